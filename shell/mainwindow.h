#pragma once
#include "chrome/mainwindowhost.h"
#include "mainview.h"
#include "maxbounds.h"

#include <QWidget>

#include <cstdint>

namespace tarvelo {

namespace platform {
struct Seams;
class WebBrowser;
} // namespace platform

class Hub;
class SearchBox;
class lefttext;
class top1;
class top2;
class top3;
class top4;
class topcent;
class ucbottom;
class ucleft;
class ucright;
class ucsearch;
class uctop;
struct FramePieces;

// The loaded main window: borderless, its frame drawn by the chrome controls
// and clipped to a rounded rectangle. With our icon in the tray it has no
// taskbar button; without one it has, minimises there, offers the tray menu on
// a right click in its title area and asks before a close ends the program.
// It exists from a load to the next unload; mainn makes and drops it.
class MainWindow : public QWidget, public MainWindowHost, public MainView {
    Q_OBJECT
public:
    MainWindow(Hub& hub, platform::Seams& seams);

    // The load steps: hub and tray, bubble timer, region, maximised size,
    // browser layout, then the home page.
    void Form_Load();
    void layoutframe();

    // MainWindowHost
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    void hideWindow() override;
    QPoint positionTwips() const override;
    void moveTwips(QPoint topLeft) override;
    void image4n() override;
    void qhno() override;
    QString searchText() const override;

    // MainView
    platform::Browser& WebBrowser1() override;
    QString text1() const override;
    void setText1(const QString& text) override;

    // Shows tab index as selected and places the home button. Part of the
    // window's operations but called by nothing: the tab bar selects its own tabs.
    void qh(int16_t& index);
    // Switches to category index and searches text as if typed into the box.
    void searchFor(int16_t index, const QString& text);

    platform::WebBrowser& browserControl() const { return *WebBrowser1_; }
    SearchBox& searchBox() const { return *Text1; }
    ucsearch& searchBar() const { return *ucsearch1; }
    const MinMaxInfo& maximisedBounds() const { return hook_; }

signals:
    // The system asked the window to close: it is to be unloaded.
    void unloadRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    FramePieces pieces() const;
    int W() const;
    int H() const;
    void resizeSteps();
    void cornerrgn();
    void maxbounds();
    void layoutweb();
    void followTray(bool trayShown);
    // Offers to watch the tariff line of a row the user right-clicked.
    void rowMenu(const QStringList& cells, const QPoint& globalPos);

    Hub& hub_;
    // Children, back to front.
    topcent* topcent1;
    ucleft* ucleft1;
    ucright* ucright1;
    ucbottom* ucbottom1;
    uctop* uctop1;
    top1* top11;
    top2* top21;
    top4* top41;
    top3* top31;
    lefttext* lefttext1;
    SearchBox* Text1;
    platform::WebBrowser* WebBrowser1_;
    ucsearch* ucsearch1;

    MinMaxInfo hook_;
    bool maximized_ = false;
    QRect normalGeometry_;
};

} // namespace tarvelo
