#include "mainwindow.h"

#include "assets/skin.h"
#include "chrome/framepieces.h"
#include "chrome/top2.h"
#include "chrome/ucsearch.h"
#include "chrome/uctop.h"
#include "hub.h"
#include "layout.h"
#include "platform/qt/twips.h"
#include "platform/browsercontrol.h"
#include "platform/seams.h"
#include "searchbox.h"
#include "version.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tarvelo {
namespace {

using platform::pixelsX;
using platform::pixelsY;

QRect pixelRect(int left, int top, int width, int height)
{
    return QRect(pixelsX(left), pixelsY(top), pixelsX(width), pixelsY(height));
}

template <typename Control>
Control* child(QWidget* parent, const char* name, int left, int top, int width, int height, auto&&... args)
{
    auto* control = new Control(parent, args...);
    control->setObjectName(QString::fromLatin1(name));
    control->setTwipsGeometry(left, top, width, height);
    return control;
}

} // namespace

MainWindow::MainWindow(Hub& hub, platform::Seams& seams)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | (hub.trayAvailable() ? Qt::Tool : Qt::Widget)),
      hub_(hub)
{
    setObjectName(QStringLiteral("mainn"));
    setWindowTitle(QString::fromLatin1(version::title));
    setWindowIcon(QIcon(QString::fromLatin1(skin::icon32)));

    // Made back to front, so that each child lies over the ones before it.
    topcent1 = child<topcent>(this, "topcent1", 2040, 1200, 615, 1215);
    ucleft1 = child<ucleft>(this, "ucleft1", 0, 2280, 2010, 735);
    ucright1 = child<ucright>(this, "ucright1", 10560, 2520, 345, 1215);
    ucbottom1 = child<ucbottom>(this, "ucbottom1", 2040, 6000, 7695, 510);
    uctop1 = child<uctop>(this, "uctop1", 2040, -35, 1335, 1320, hub_, static_cast<MainWindowHost&>(*this));
    top11 = child<top1>(this, "top11", 0, 0, 2055, 2295);
    top21 = child<top2>(this, "top21", 8760, 0, 2085, 2520, hub_, static_cast<MainWindowHost&>(*this));
    top41 = child<top4>(this, "top41", 8760, 4200, 2085, 2340);
    top31 = child<top3>(this, "top31", 0, 4200, 2085, 2325);
    lefttext1 = child<lefttext>(this, "lefttext1", 130, 1320, 1680, 2985);
    Text1 = new SearchBox(this, hub_);
    Text1->setGeometry(pixelRect(2520, 1560, 5655, 375));
    WebBrowser1_ = new platform::WebBrowser(this);
    WebBrowser1_->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1_->setGeometry(pixelRect(1800, 2280, 8655, 3615));
    ucsearch1 = child<ucsearch>(this, "ucsearch1", 2280, 1320, 7500, 825, hub_, static_cast<MainWindowHost&>(*this));

    top21->setExitSeams(seams.messageBox, seams.processExit);
    connect(Text1, &SearchBox::enterPressed, ucsearch1, &ucsearch::rukong);
    connect(&hub_, &Hub::trayShownChanged, this, &MainWindow::followTray);
    connect(WebBrowser1_, &platform::WebBrowser::rowMenuRequested, this, &MainWindow::rowMenu);

    resize(pixelsX(10425), pixelsY(6105));
}

void MainWindow::Form_Load()
{
    hub_.load();
    hub_.setTimerEnabled(true);
    hub_.Timer1().setInterval(10000);
    cornerrgn();
    maxbounds();
    layoutweb();
    Text1->raise();
    QThread::msleep(20);
    hub_.mdefaut();
}

FramePieces MainWindow::pieces() const
{
    return {*top11, *uctop1, *ucbottom1, *ucright1, *ucleft1, *topcent1, *top31, *top41, *top21};
}

int MainWindow::W() const { return platform::twipsX(width()); }
int MainWindow::H() const { return platform::twipsY(height()); }

void MainWindow::layoutframe()
{
    tarvelo::layoutframe(pieces(), W(), H());
}

void MainWindow::resizeSteps()
{
    layoutcorner(pieces(), W(), H());
    cornerrgn();
    if (windowState() == WindowState::Normal) {
        uctop1->image4n(false, false, false);
        top21->image4n(true, false, true);
    } else {
        top21->image4n(false, false, false);
        uctop1->image4n(true, false, true);
    }
    layoutweb();
}

void MainWindow::cornerrgn()
{
    setMask(tarvelo::cornerrgn(pixelsX(W()), pixelsY(H())));
}

// Fixes the maximised size from the screen and its taskbar.
void MainWindow::maxbounds()
{
    const QScreen* s = screen();
    hook_ = tarvelo::maxbounds(s->geometry().size(), taskbarHeight(*s));
}

void MainWindow::layoutweb()
{
    if (windowState() == WindowState::Minimized)
        return;
    const QRect r = tarvelo::layoutweb(pieces(), W(), H());
    WebBrowser1_->setGeometry(pixelRect(r.x(), r.y(), r.width(), r.height()));
}

void MainWindow::image4n()
{
    if (windowState() == WindowState::Normal) {
        top21->image4n(true, false, true);
        uctop1->image4n(false, false, false);
    } else {
        uctop1->image4n(true, false, true);
        top21->image4n(false, false, false);
    }
}

void MainWindow::qh(int16_t& index)
{
    uctop1->qh(index);
    image4n();
}

void MainWindow::searchFor(int16_t index, const QString& text)
{
    hub_.setCurrentCategory(index);
    qh(index);
    Text1->setText(text);
    ucsearch1->rukong();
}

void MainWindow::qhno()
{
    uctop1->qhno();
}

WindowState MainWindow::windowState() const
{
    if (isMinimized())
        return WindowState::Minimized;
    return maximized_ ? WindowState::Maximized : WindowState::Normal;
}

void MainWindow::setWindowState(WindowState state)
{
    if (state == windowState())
        return;
    if (isMinimized() && state != WindowState::Minimized)
        showNormal();
    switch (state) {
    case WindowState::Maximized:
        normalGeometry_ = geometry();
        maximized_ = true;
#ifdef Q_OS_WIN
        showMaximized();
#else
        setGeometry(QRect(hook_.maxPosition, hook_.maxSize));
#endif
        break;
    case WindowState::Normal:
        if (maximized_) {
            maximized_ = false;
#ifdef Q_OS_WIN
            showNormal();
#else
            setGeometry(normalGeometry_);
#endif
        }
        break;
    case WindowState::Minimized:
        showMinimized();
        break;
    }
    resizeSteps();
}

void MainWindow::hideWindow()
{
    if (hub_.trayShown())
        hide();
    else
        showMinimized();
}

// The taskbar button goes when the tray takes over, and comes back without it.
void MainWindow::followTray(bool trayShown)
{
    if (windowFlags().testFlag(Qt::Tool) == trayShown)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::Tool, trayShown);
    if (shown)
        show();
}

QPoint MainWindow::positionTwips() const
{
    return QPoint(platform::twipsX(x()), platform::twipsY(y()));
}

void MainWindow::moveTwips(QPoint topLeft)
{
    move(pixelsX(topLeft.x()), pixelsY(topLeft.y()));
}

QString MainWindow::searchText() const
{
    return Text1->text();
}

platform::Browser& MainWindow::WebBrowser1()
{
    return *WebBrowser1_;
}

QString MainWindow::text1() const
{
    return Text1->text();
}

void MainWindow::setText1(const QString& text)
{
    Text1->setText(text);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    resizeSteps();
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        resizeSteps();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (hub_.trayShown())
        emit unloadRequested();
    else
        hub_.mexit();
}

// A row of the tariff page (税则号列 first, nine columns) can be watched.
void MainWindow::rowMenu(const QStringList& cells, const QPoint& globalPos)
{
    static const QRegularExpression lineCode(QStringLiteral("^(\\d{8}|\\d{10})$"));
    // A service may write the code with dots (7208.1000).
    const QString code = cells.value(0).remove(QLatin1Char('.')).remove(QLatin1Char(' '));
    if (cells.size() != 9 || !lineCode.match(code).hasMatch())
        return;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuRow"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* watch = menu->addAction(QStringLiteral("加入关注 %1").arg(code));
    watch->setObjectName(QStringLiteral("mnuWatch"));
    connect(watch, &QAction::triggered, &hub_, [this, code, name = cells[1]] {
        emit hub_.watchRequested(code, name);
    });
    menu->popup(globalPos);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    // The title band above the search bar, and the logo in the corner.
    const bool titleArea = event->pos().y() < ucsearch1->y() || top11->geometry().contains(event->pos());
    if (hub_.trayShown() || !titleArea) {
        event->ignore();
        return;
    }
    hub_.menum().popup(event->globalPos());
}

#ifdef Q_OS_WIN
// winproc: the system asks for the maximised size and the tracking limits.
bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_GETMINMAXINFO)
        return QWidget::nativeEvent(eventType, message, result);
    auto* info = reinterpret_cast<MINMAXINFO*>(msg->lParam);
    info->ptMaxSize = {hook_.maxSize.width(), hook_.maxSize.height()};
    info->ptMaxPosition = {hook_.maxPosition.x(), hook_.maxPosition.y()};
    info->ptMinTrackSize = {hook_.minTrackSize.width(), hook_.minTrackSize.height()};
    info->ptMaxTrackSize = {hook_.maxTrackSize.width(), hook_.maxTrackSize.height()};
    *result = 0;
    return true;
}
#endif

} // namespace tarvelo
