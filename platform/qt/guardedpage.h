#pragma once
#include <QElapsedTimer>
#include <QUrl>
#include <QWebEnginePage>

namespace tarvelo::platform {

// The page behind the browser control. It shows only the local file the
// program asked for; a web link the user clicked goes to the user's browser
// instead, and everything else is refused. The page's scripts count as links
// to the engine, so a link is handed on only right after a real click or key
// press in the view; javascript: links do nothing.
class GuardedPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit GuardedPage(QObject* parent = nullptr);

    // The local file the next navigation is allowed to show.
    void expect(const QUrl& fileUrl) { expected_ = fileUrl; }

    // The user just clicked or pressed a key in the view.
    void noteUserGesture() { lastGesture_.start(); }
    bool followsUserGesture() const;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // target="_blank": the link opens in the user's browser; no window is made.
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    QUrl expected_;
    QElapsedTimer lastGesture_;
};

} // namespace tarvelo::platform
