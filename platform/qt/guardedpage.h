#pragma once
#include <QUrl>
#include <QWebEnginePage>

namespace tarvelo::platform {

// The page behind the browser control. It shows only the local file the
// program asked for; a clicked web link goes to the user's browser instead,
// and everything else is refused.
class GuardedPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit GuardedPage(QObject* parent = nullptr);

    // The local file the next navigation is allowed to show.
    void expect(const QUrl& fileUrl) { expected_ = fileUrl; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // target="_blank": the link opens in the user's browser; no window is made.
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    QUrl expected_;
};

} // namespace tarvelo::platform
