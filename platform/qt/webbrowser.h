#pragma once
#include "platform/browser.h"

#include <QWebEngineView>

namespace tarvelo::platform {

class GuardedPage;

// The browser control that shows the cache pages: reads them as GBK, lets a
// page reach neither other local files nor the network, has no context menu,
// (a right click on a table row is reported instead, for the window to offer
// its own entries), and hands http/https links (and every _blank link) to the user's browser
// instead of leaving our page. Other schemes are refused.
class WebBrowser : public QWebEngineView, public Browser {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    // Shows the local file at location.
    void Navigate(const std::string& location) override;
    // True from Navigate until the page has loaded or failed.
    bool Busy() const { return busy_; }

signals:
    // A navigation finished (ok: the page loaded).
    void pageLoaded(bool ok);
    // A right click on a row of a table in the page: the texts of the row's
    // cells, and where the click was on the screen.
    void rowMenuRequested(const QStringList& cells, const QPoint& globalPos);

protected:
    // The engine draws into a child widget; real clicks and key presses are
    // seen there.
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks the page for the table row at pos (in the view) and reports it.
    void askRowAt(const QPoint& pos, const QPoint& globalPos);

    GuardedPage* page_;
    bool busy_ = false;
};

} // namespace tarvelo::platform
