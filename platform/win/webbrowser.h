#pragma once
#include "platform/browser.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;

namespace tarvelo::platform {

namespace win {
class HtmlControl;
}

// The browser control that shows the cache pages on Windows: the system's
// WebBrowser control in a native child window. It reads the pages as code
// page 936, runs no script, shows no menu of its own, lets a page go nowhere
// but the file it was given, and hands a web link the user clicked to the
// user's browser. Where the system cannot give the control, the widget says so
// in place of the page and the rest of the program goes on.
class WebBrowser : public QWidget, public Browser {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;
    // Shows the local file at location.
    void Navigate(const std::string& location) override;

    // Why no page can be shown here; empty while the control works.
    QString unavailableReason() const;

signals:
    // A navigation finished (ok: the page loaded).
    void pageLoaded(bool ok);
    // A right click on a row of a table in the page: the texts of the row's
    // cells, and where the click was on the screen.
    void rowMenuRequested(const QStringList& cells, const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool allows(const std::wstring& url, bool topLevel) const;
    void showNotice(const QString& reason);

    std::unique_ptr<win::HtmlControl> control_;
    QLabel* notice_ = nullptr;
    QString reason_;
    QString expected_; // the file the next navigation may show, as a URL
};

} // namespace tarvelo::platform
