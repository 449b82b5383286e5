#pragma once
#include "twipswidget.h"

namespace tarvelo {

class HubApi;
class MainWindowHost;
class Picture;

// The search bar under the search box, with the search button.
class ucsearch : public TwipsWidget {
    Q_OBJECT
public:
    ucsearch(QWidget* parent, HubApi& hub, MainWindowHost& host);

    // Submits the search box text to the current category's lookup, unless it
    // is empty or a placeholder.
    void rukong();

protected:
    void resizeTwips() override;

private:
    void showHoverLook(bool hover);

    HubApi& hub_;
    MainWindowHost& host_;
    Picture* Image3 = nullptr;
    Picture* Image2 = nullptr;
    Picture* Image1 = nullptr;
};

// The placeholders the search box shows while nothing has been typed.
namespace placeholders {
inline const QString goods = QStringLiteral("请输入货品名称或税则号列");
inline const QString law = QStringLiteral("请输入法规的名称或关键词");
bool isPlaceholder(const QString& text);
} // namespace placeholders

} // namespace tarvelo
