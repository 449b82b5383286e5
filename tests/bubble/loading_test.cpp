#include "bubble/loading.h"
#include "bubblefakes.h"
#include "guitest.h"
#include "chrome/caption.h"
#include "chrome/picture.h"
#include "platform/qt/twips.h"
#include "platform/browsercontrol.h"

#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tarvelo;
using bubbletest::FakeDesktop;
using bubbletest::FakeHost;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

// The bubble window on its own, its hub and screen faked; the timers' tick
// handlers are run by the test.
class LoadingTest : public QObject {
    Q_OBJECT
private:
    FakeHost host;
    FakeDesktop desktop;
    std::unique_ptr<loading> window;

    QTimer* timer(const char* name) const { return window->findChild<QTimer*>(QString::fromLatin1(name)); }

    // Load and show, as the refresh cycle does.
    void open()
    {
        window->Load();
        window->show();
    }

    void revealFully()
    {
        while (timer("Timer1")->isActive())
            window->Timer1_Timer();
    }

private slots:
    void initTestCase()
    {
        bubbletest::muteOffscreenNotices();
        // The expected pixels below are for 96 dots per inch.
        QCOMPARE(platform::twipsPerPixelX(), 15.0);
        QCOMPARE(platform::twipsPerPixelY(), 15.0);
    }

    void init()
    {
        host = FakeHost();
        desktop = FakeDesktop();
        window = std::make_unique<loading>(host, desktop);
    }

    void cleanup() { window.reset(); }

    void windowAndControls()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("数"));
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window->windowType(), Qt::Tool);
        QCOMPARE(window->size(), QSize(182, 158));

        auto* browser = window->findChild<platform::WebBrowser*>(QStringLiteral("WebBrowser1"));
        auto* label = window->findChild<Caption*>(QStringLiteral("Label1"));
        auto* close = window->findChild<Picture*>(QStringLiteral("Image3"));
        auto* strip = window->findChild<Picture*>(QStringLiteral("Image2"));
        auto* background = window->findChild<Picture*>(QStringLiteral("Image1"));
        QVERIFY(browser && label && close && strip && background);
        QCOMPARE(browser->geometry(), QRect(5, 21, 169, 129));
        QCOMPARE(label->geometry(), QRect(8, 2, 137, 17));
        QCOMPARE(label->text(), QStringLiteral("中国Veloria"));
        QCOMPARE(close->geometry(), QRect(148, 0, 32, 15));
        QCOMPARE(strip->geometry(), QRect(0, 0, 153, 17));
        QCOMPARE(background->geometry(), QRect(0, 0, 182, 158));
        QVERIFY(!background->pixmap().isNull());

        // Front to back: browser, label, close picture, title strip, background.
        QVERIFY(browser->isAncestorOf(window->childAt(90, 80)) || window->childAt(90, 80) == browser);
        QCOMPARE(window->childAt(20, 8), label);
        QCOMPARE(window->childAt(150, 5), close);
        QCOMPARE(window->childAt(150, 16), strip);
        QCOMPARE(window->childAt(2, 100), background);

        // Nothing ticks before the load.
        QVERIFY(!timer("Timer1")->isActive());
        QVERIFY(!timer("Timer2")->isActive());
        QVERIFY(!window->isLoaded());
    }

    void loadSteps()
    {
        window->Load();
        QCOMPARE(host.events, (std::vector<std::string>{"timer off", "mmaopao"}));
        QVERIFY(window->isLoaded());
        QVERIFY(timer("Timer1")->isActive());
        QCOMPARE(timer("Timer1")->interval(), 10);
        QVERIFY(!timer("Timer2")->isActive());
        QCOMPARE(window->revealEdge(), int16_t(157));
        QCOMPARE(window->mask(), QRegion(0, 157, 182, 1)); // only the bottom row

        // Loading a loaded window does nothing.
        window->Load();
        QCOMPARE(host.mmaopaoCalls, 1);
    }

    void touchingTheBrowserLoads()
    {
        window->WebBrowser1();
        QVERIFY(window->isLoaded());
        QCOMPARE(host.mmaopaoCalls, 1);
        window->WebBrowser1();
        QCOMPARE(host.mmaopaoCalls, 1);
    }

    void placedAboveABottomTaskbar()
    {
        desktop.work = QRect(0, 0, 1920, 1040);
        window->Load();
        QCOMPARE(window->pos(), QPoint(1736, 882));
        QCOMPARE(window->geometry().bottom() + 1, 1040);
    }

    void placedBesideARightTaskbar()
    {
        desktop.work = QRect(0, 0, 1860, 1080);
        window->Load();
        QCOMPARE(window->pos(), QPoint(1736, 922));
        QCOMPARE(window->geometry().bottom() + 1, 1080);
    }

    void revealGrowsTenRowsATick()
    {
        open();
        std::vector<int> edges{window->revealEdge()};
        for (int tick = 1; tick <= 16; ++tick) {
            window->Timer1_Timer();
            edges.push_back(window->revealEdge());
            const int edge = window->revealEdge();
            QCOMPARE(window->mask(), edge > 0 ? QRegion(0, edge, 182, 158 - edge) : QRegion(0, 0, 182, 158));
            // The 16th tick ends the reveal and starts the countdown.
            QCOMPARE(timer("Timer1")->isActive(), tick < 16);
            QCOMPARE(timer("Timer2")->isActive(), tick == 16);
        }
        const std::vector<int> expected{157, 147, 137, 127, 117, 107, 97, 87, 77, 67, 57, 47, 37, 27, 17, 7, -3};
        QCOMPARE(edges, expected);
        QCOMPARE(timer("Timer2")->interval(), 1000);
        QCOMPARE(window->closeCount(), int16_t(0));
    }

    void closesAfterTwentySeconds()
    {
        open();
        revealFully();
        for (int tick = 1; tick < 20; ++tick)
            window->Timer2_Timer();
        QCOMPARE(window->closeCount(), int16_t(19));
        QVERIFY(window->isVisible());
        QVERIFY(!host.timerEnabled);

        window->Timer2_Timer();
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isLoaded());
        QVERIFY(!timer("Timer2")->isActive());
        QCOMPARE(window->closeCount(), int16_t(0));
        QVERIFY(host.timerEnabled);
        // The fade ends at 15 of 255.
        QCOMPARE(qRound(window->windowOpacity() * 255), 15);
    }

    void hubTimerOnBeforeTheFade()
    {
        open();
        double opacityWhenSwitchedOn = -1;
        host.onTimerSwitch = [&](bool on) {
            if (on)
                opacityWhenSwitchedOn = window->windowOpacity();
        };
        window->Unload();
        QCOMPARE(opacityWhenSwitchedOn, 1.0);
        QVERIFY(host.timerEnabled);
    }

    void closePictureDuringTheReveal()
    {
        open();
        for (int tick = 0; tick < 3; ++tick)
            window->Timer1_Timer();
        auto* close = window->findChild<Picture*>(QStringLiteral("Image3"));
        sendMouse(close, QEvent::MouseButtonPress, {10, 5}, Qt::LeftButton);
        sendMouse(close, QEvent::MouseButtonRelease, {10, 5}, Qt::LeftButton);

        QVERIFY(!window->isVisible());
        QVERIFY(!window->isLoaded());
        QVERIFY(host.timerEnabled);
        // The reveal stopped with the window, where it was.
        QVERIFY(!timer("Timer1")->isActive());
        QVERIFY(!timer("Timer2")->isActive());
        QCOMPARE(window->revealEdge(), int16_t(127));
        QVERIFY(window->mask().isEmpty());
    }

    void loadedAgainAfterAClose()
    {
        open();
        revealFully();
        for (int tick = 0; tick < 5; ++tick)
            window->Timer2_Timer();
        window->Image3_Click();
        QCOMPARE(window->closeCount(), int16_t(5));

        // Fresh state: opaque, bottom row only, hub timer off, reveal ticking.
        open();
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowOpacity(), 1.0);
        QCOMPARE(window->revealEdge(), int16_t(157));
        QVERIFY(!host.timerEnabled);
        QVERIFY(timer("Timer1")->isActive());
        QCOMPARE(host.mmaopaoCalls, 2);

        // The countdown starts from 0 again: a full 20 ticks.
        revealFully();
        QCOMPARE(window->closeCount(), int16_t(0));
        for (int tick = 1; tick < 20; ++tick)
            window->Timer2_Timer();
        QVERIFY(window->isLoaded());
        window->Timer2_Timer();
        QVERIFY(!window->isLoaded());
    }

    void dragByTheTitleStripWithTheRightButton()
    {
        open();
        const QPoint start = window->pos();
        auto* strip = window->findChild<Picture*>(QStringLiteral("Image2"));
        sendMouse(strip, QEvent::MouseButtonPress, {40, 6}, Qt::RightButton);
        QVERIFY(window->dragging());
        sendMouse(strip, QEvent::MouseMove, {30, 10}, Qt::RightButton);
        QCOMPARE(window->pos(), start + QPoint(-10, 4));
        // The pointer stays on the same spot of the strip, which moved along.
        sendMouse(strip, QEvent::MouseMove, {45, 6}, Qt::RightButton);
        QCOMPARE(window->pos(), start + QPoint(-5, 4));
        sendMouse(strip, QEvent::MouseButtonRelease, {45, 6}, Qt::RightButton);
        QVERIFY(!window->dragging());

        // Moves without a drag do nothing.
        sendMouse(strip, QEvent::MouseMove, {80, 12}, Qt::NoButton);
        QCOMPARE(window->pos(), start + QPoint(-5, 4));
        // The reveal went on meanwhile.
        QVERIFY(timer("Timer1")->isActive());
        window->Timer1_Timer();
        QCOMPARE(window->revealEdge(), int16_t(147));
    }

    void dragByTheLabel()
    {
        open();
        revealFully();
        const QPoint start = window->pos();
        auto* label = window->findChild<Caption*>(QStringLiteral("Label1"));
        sendMouse(label, QEvent::MouseButtonPress, {20, 5}, Qt::LeftButton);
        sendMouse(label, QEvent::MouseMove, {5, 2}, Qt::LeftButton);
        QCOMPARE(window->pos(), start + QPoint(-15, -3));
        sendMouse(label, QEvent::MouseButtonRelease, {5, 2}, Qt::LeftButton);
        QVERIFY(!window->dragging());
        // The countdown goes on.
        QVERIFY(timer("Timer2")->isActive());
    }
};

int main(int argc, char** argv)
{
    return bubbletest::runGuiTest<LoadingTest>(argc, argv);
}

#include "loading_test.moc"
