#include "chrome/picture.h"
#include "chrome/ucsearch.h"
#include "fakeservice.h"
#include "platform/fakes/fakes.h"
#include "platform/browsercontrol.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/searchbox.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace tarvelo;
using platform::Choice;
namespace fs = std::filesystem;

namespace {

const QString goods = QStringLiteral("请输入货品名称或税则号列");

class WindowTest : public ::testing::Test {
protected:
    WindowTest()
    {
        program.seams().endpointOverride = service.endpoint();
        program.hub().setTrayProbe([this] { return trayAvailable; });
    }
    ~WindowTest() override
    {
        // The engine can crash at exit when a view goes while its page still
        // loads (seen with Qt 6.8): a test ends once the page is in.
        if (program.main().window() && window().browserControl().Busy())
            pageLoaded();
    }

    MainWindow& window() { return *program.main().window(); }
    fs::path cacheFile(const char* name) const { return folder.path() / "customscache" / name; }
    fs::path shownFile() { return fs::path(window().browserControl().url().toLocalFile().toStdString()); }

    // Waits for the page the browser is loading.
    bool pageLoaded()
    {
        QSignalSpy loaded(&window().browserControl(), &platform::WebBrowser::pageLoaded);
        return loaded.wait(15000) && loaded.first().value(0).toBool();
    }

    // The result of a script run in the shown page.
    QVariant evaluate(const QString& script)
    {
        QVariant result;
        bool done = false;
        window().browserControl().page()->runJavaScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        return QTest::qWaitFor([&] { return done; }, 10000) ? result : QVariant();
    }

    void search(const QString& text)
    {
        SearchBox& box = window().searchBox();
        box.clear();
        box.insert(text);
        QTest::keyClick(&box, Qt::Key_Return);
    }

    QAction* trayEntry(const char* name) { return program.hub().menum().findChild<QAction*>(QString::fromLatin1(name)); }

    // A right click at pos in the window; true when the tray menu came up.
    bool rightClickShowsTheMenu(QPoint pos)
    {
        QContextMenuEvent click(QContextMenuEvent::Mouse, pos, window().mapToGlobal(pos));
        QWidget* target = window().childAt(pos);
        QApplication::sendEvent(target ? target : &window(), &click);
        const bool shown = program.hub().menum().isVisible();
        program.hub().menum().hide();
        return shown;
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    testkit::FakeService service;
    // The desktop's tray, as the hub sees it.
    bool trayAvailable = true;
    Program program{fakes.messageBox, fakes.processExit, fakes.clock, fakes.programFolder};
};

TEST_F(WindowTest, FreshStartShowsTheHomePageWithCommodityCurrent)
{
    program.start();
    ASSERT_NE(program.main().window(), nullptr);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(pageLoaded());
    EXPECT_EQ(shownFile(), cacheFile("softdefaut.html"));
    EXPECT_EQ(program.hub().currentCategory(), 1);
    EXPECT_EQ(window().searchBox().text(), goods);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Tarvelo"));
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(program.hub().Timer1().isActive());
    EXPECT_EQ(program.hub().Timer1().interval(), 10000);
    EXPECT_EQ(service.count("mdefaut"), 1);
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    // The home page's body says scroll="no": no scroll bars.
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.body).overflow")).toString(),
              QStringLiteral("hidden"));
    // Centred on the screen.
    const QRect screen = window().screen()->geometry();
    EXPECT_LE(std::abs(window().geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(window().geometry().center().y() - screen.center().y()), 1);
}

TEST_F(WindowTest, InitialSizeAndLayout)
{
    program.start();
    EXPECT_EQ(window().size(), QSize(695, 407));
    // 1920, 2290, 8280, 3477 twips.
    EXPECT_EQ(window().browserControl().geometry(), QRect(128, 153, 552, 232));
    EXPECT_EQ(window().mask().boundingRect(), QRect(QPoint(4, 3), QPoint(692, 394)));
    // The search box lies in front of the search bar.
    const QObjectList& children = window().children();
    EXPECT_GT(children.indexOf(static_cast<QObject*>(&window().searchBox())),
              children.indexOf(static_cast<QObject*>(&window().searchBar())));
    EXPECT_EQ(window().searchBox().geometry(), QRect(168, 104, 377, 25));
}

TEST_F(WindowTest, TheSkinIsDrawnFromPicturesOfTheScreensScale)
{
    // Run at 100 %, 150 % and 200 % (QT_SCALE_FACTOR); above 100 % the double pictures serve.
    program.start();
    const qreal ratio = qApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0;
    const QList<Picture*> pictures = window().findChildren<Picture*>();
    ASSERT_GT(pictures.size(), 10);
    for (const Picture* picture : pictures)
        EXPECT_EQ(picture->pixmap().devicePixelRatio(), ratio) << picture->objectName().toStdString();
}

TEST_F(WindowTest, ASearchInEachCategoryByKeyboard)
{
    program.start();
    ASSERT_TRUE(pageLoaded());
    const struct {
        int16_t category;
        const char* file;
        const char* operation;
    } cases[] = {{1, "Commodity20110101.html", "Commodity"},
                 {2, "Tariff20110101.html", "Tariff"},
                 {3, "Export20110101.html", "Export"},
                 {0, "pearticle20110101.html", "PE_Article"}};
    for (const auto& c : cases) {
        program.hub().setCurrentCategory(c.category);
        search(QStringLiteral("steel"));
        EXPECT_EQ(service.count(c.operation), 1) << c.operation;
        EXPECT_TRUE(program.hub().categorySearched(c.category));
        EXPECT_TRUE(pageLoaded()) << c.file;
        EXPECT_EQ(shownFile(), cacheFile(c.file));
        EXPECT_NE(evaluate(QStringLiteral("getComputedStyle(document.body).overflow")).toString(),
                  QStringLiteral("hidden"));
    }
}

TEST_F(WindowTest, EmptyAndPlaceholderTextsStartNoSearch)
{
    program.start();
    for (const QString& text : {QString(), QStringLiteral("   "), goods, QStringLiteral("请输入法规的名称或关键词")}) {
        search(text);
        EXPECT_EQ(service.total(), 1); // the home page only
    }
    EXPECT_FALSE(program.hub().categorySearched(1));
}

TEST_F(WindowTest, UnloadAndReloadKeepFlagsAndTexts)
{
    program.start();
    search(QStringLiteral("steel"));
    program.hub().setCurrentCategory(2);
    search(QStringLiteral("iron"));
    ASSERT_TRUE(program.hub().categorySearched(2));

    program.hub().menum().findChild<QAction*>(QStringLiteral("minrw"))->trigger();
    EXPECT_EQ(program.main().window(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(program.hub().Timer1().isActive());

    program.hub().setTimerEnabled(false);
    program.main().Show();
    ASSERT_NE(program.main().window(), nullptr);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(program.hub().Timer1().isActive()); // every load switches it on
    EXPECT_EQ(program.hub().currentCategory(), 1);
    EXPECT_EQ(window().searchBox().text(), goods);
    EXPECT_EQ(service.count("mdefaut"), 2);
    EXPECT_TRUE(program.hub().categorySearched(1));
    EXPECT_TRUE(program.hub().categorySearched(2));
    EXPECT_FALSE(program.hub().categorySearched(3));

    // The tab bar's click sequence for tab 2: its kept text and last page.
    program.hub().setCurrentCategory(2);
    program.hub().GetText1(2);
    program.hub().mainqh(2);
    EXPECT_EQ(window().searchBox().text(), QStringLiteral("iron"));
    EXPECT_TRUE(pageLoaded());
    EXPECT_EQ(shownFile(), cacheFile("Tariff20110101.html"));
}

TEST_F(WindowTest, ACloseFromTheSystemUnloadsAndTheProgramGoesOn)
{
    program.start();
    window().close();
    EXPECT_EQ(program.main().window(), nullptr);
    EXPECT_EQ(fakes.processExit.calls, 0);
    program.hub().menum().findChild<QAction*>(QStringLiteral("mopen"))->trigger();
    ASSERT_NE(program.main().window(), nullptr);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowState(), WindowState::Normal);
}

TEST_F(WindowTest, AnUnloadedWindowGoesWithTheProgramAtTheLatest)
{
    // Its browser page must not outlive the engine, which goes after the program.
    auto other = std::make_unique<Program>(fakes.messageBox, fakes.processExit, fakes.clock, fakes.programFolder);
    other->seams().endpointOverride = service.endpoint();
    other->hub().setTrayProbe([] { return true; });
    other->start();
    QPointer<MainWindow> closed = other->main().window();
    closed->close();
    ASSERT_EQ(other->main().window(), nullptr);
    other.reset();
    EXPECT_TRUE(closed.isNull());
}

TEST_F(WindowTest, UnloadingFromTheTrayWhileTheStartPromptIsOpenSkipsTheRemainingLoadSteps)
{
    program.seams().endpointOverride = testkit::unreachableEndpoint();
    program.seams().timeouts = {std::chrono::milliseconds(500), std::chrono::milliseconds(500)};
    QPointer<MainWindow> loading;
    fakes.messageBox.whileShown = [&] {
        loading = program.main().window();
        program.hub().menum().findChild<QAction*>(QStringLiteral("minrw"))->trigger();
        // The prompt's own event loop would run deferred deletions now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    fakes.messageBox.answerNext(Choice::Cancel);
    program.start();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(program.main().window(), nullptr);
    EXPECT_TRUE(loading.isNull());

    fakes.messageBox.whileShown = nullptr;
    program.seams().endpointOverride = service.endpoint();
    program.hub().menum().findChild<QAction*>(QStringLiteral("mopen"))->trigger();
    ASSERT_NE(program.main().window(), nullptr);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(WindowTest, WithoutATrayMinimisingGoesToTheTaskbar)
{
    trayAvailable = false;
    program.start();
    EXPECT_FALSE(program.hub().trayShown());
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::Tool)); // a taskbar button
    MainWindow* first = &window();

    // The title bar's minimise button and the menu's 最小化任务栏 alike.
    window().hideWindow();
    EXPECT_TRUE(window().isMinimized());
    EXPECT_TRUE(window().isVisible());
    program.main().open();
    EXPECT_FALSE(window().isMinimized());
    trayEntry("minrw")->trigger();
    ASSERT_EQ(program.main().window(), first);
    EXPECT_TRUE(window().isMinimized());
    // A second start of the program brings it back.
    program.main().Show();
    EXPECT_FALSE(window().isMinimized());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(WindowTest, WithoutATrayClosingAsksToExit)
{
    trayAvailable = false;
    program.start();
    fakes.messageBox.answerNext(Choice::Cancel);
    window().close();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].caption, "退出Tarvelo");
    EXPECT_EQ(fakes.messageBox.shown[0].buttons, platform::Buttons::OkCancel);
    ASSERT_NE(program.main().window(), nullptr);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(fakes.processExit.calls, 0);

    fakes.messageBox.answerNext(Choice::Ok);
    window().close();
    EXPECT_EQ(fakes.processExit.calls, 1);
}

TEST_F(WindowTest, WithoutATrayTheTitleAreaOffersTheTrayMenu)
{
    trayAvailable = false;
    program.start();
    const struct {
        const char* where;
        QPoint pos;
        bool menu;
    } cases[] = {
        {"logo", window().findChild<QWidget*>(QStringLiteral("top11"))->geometry().center(), true},
        {"title band", QPoint(window().width() / 2, 5), true},
        {"tab strip", window().findChild<QWidget*>(QStringLiteral("uctop1"))->geometry().center(), true},
        {"page", window().browserControl().geometry().center(), false},
        {"search box", window().searchBox().geometry().center(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rightClickShowsTheMenu(c.pos), c.menu) << c.where;
}

TEST_F(WindowTest, ATrayThatAppearsLaterGetsTheIconAndTheWindowGivesUpItsTaskbarButton)
{
    trayAvailable = false;
    program.start();
    QSignalSpy changed(&program.hub(), &Hub::trayShownChanged);
    program.hub().trayWatch().setInterval(1);
    trayAvailable = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.hub().trayShown(); }, 5000));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(rightClickShowsTheMenu(QPoint(window().width() / 2, 5)));

    // And the other way, when the tray goes.
    trayAvailable = false;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !program.hub().trayShown(); }, 5000));
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window().isVisible());
}

TEST_F(WindowTest, TimerTicksAskForTheBubbleList)
{
    program.start();
    EXPECT_EQ(service.count("maopao"), 0);
    program.hub().Timer1().setInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return service.count("maopao") > 0; }, 5000));
    program.hub().setTimerEnabled(false);
}

TEST_F(WindowTest, TheAboutBoxOpensBesideTheWindowAndOnlyOnce)
{
    program.start();
    QAction* mabout = program.hub().menum().findChild<QAction*>(QStringLiteral("mabout"));
    mabout->trigger();
    ASSERT_NE(program.about(), nullptr);
    frmAbout* first = program.about();
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    mabout->trigger();
    EXPECT_EQ(program.about(), first);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(program.about(), nullptr);
    mabout->trigger();
    EXPECT_NE(program.about(), nullptr);
}

TEST_F(WindowTest, TheGoodsListWindowOpensFromTheMenuAndFromAHandedOverList)
{
    program.start();
    program.hub().menum().findChild<QAction*>(QStringLiteral("mbatch"))->trigger();
    ASSERT_NE(program.batch(), nullptr);
    BatchWindow* window = program.batch();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("批量查询"));

    const auto list = folder.path() / "清单.csv";
    std::ofstream(list) << "商品编码,完税价格\n84713000,100\n";
    program.lookUp({QStringLiteral("--batch"), QString::fromStdString(list.string())});
    EXPECT_EQ(program.batch(), window) << "one window, brought forward";
    EXPECT_EQ(window->findChild<QPlainTextEdit*>(QStringLiteral("txtList"))->toPlainText(),
              QStringLiteral("商品编码\t完税价格\n84713000\t100"));
}

TEST_F(WindowTest, ATariffRowIsWatchedFromItsMenuAndTheWatchWindowOpens)
{
    program.watchList(folder.path() / "data" / "watch.json");
    program.start();
    ASSERT_TRUE(pageLoaded());
    program.hub().setCurrentCategory(2);
    search(QStringLiteral("steel"));
    ASSERT_TRUE(pageLoaded());

    // A right click on the result row offers it; the header row offers nothing.
    const QVariantList box = evaluate(QStringLiteral(
        "(function () { var r = document.querySelectorAll('tr')[1].cells[1].getBoundingClientRect();"
        " return [r.left + 5, r.top + 5]; })()")).toList();
    ASSERT_EQ(box.size(), 2);
    QWidget* view = window().browserControl().focusProxy();
    ASSERT_NE(view, nullptr);
    QTest::mousePress(view, Qt::RightButton, {}, QPoint(box[0].toInt(), box[1].toInt()));
    QMenu* menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (menu = window().findChild<QMenu*>(QStringLiteral("mnuRow"))); }, 10000));
    QAction* watch = menu->findChild<QAction*>(QStringLiteral("mnuWatch"));
    ASSERT_NE(watch, nullptr);
    EXPECT_EQ(watch->text(), QStringLiteral("加入关注 72081000"));
    watch->trigger();
    ASSERT_TRUE(program.watchMonitor()->watches("72081000"));
    EXPECT_EQ(program.watchMonitor()->lines()[0].name, "steel");
    ASSERT_NE(program.watchWindow(), nullptr);
    EXPECT_EQ(program.watchWindow()->windowTitle(), QStringLiteral("关注"));

    // The menu entry and a handed-over line bring the same window forward.
    trayEntry("mwatch")->trigger();
    program.lookUp({QStringLiteral("--watch"), QStringLiteral("01012100")});
    EXPECT_TRUE(program.watchMonitor()->watches("01012100"));
    const auto* grid = program.watchWindow()->findChild<QTableWidget*>(QStringLiteral("grdWatch"));
    EXPECT_EQ(grid->rowCount(), 2);
    // This service has no rates to give: the lines wait, and the window says why.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program.watchMonitor()->checking(); }, 10000));
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("（待查询）"));
    EXPECT_FALSE(program.watchWindow()->findChild<QLabel*>(QStringLiteral("lblStatus"))->text().isEmpty());
}

TEST_F(WindowTest, ADamagedWatchListIsReportedOnceTheWindowIsUp)
{
    const fs::path file = folder.path() / "watch.json";
    std::ofstream(file) << "{\"lines\": [";
    program.watchList(file);
    program.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fakes.messageBox.shown.empty(); }, 5000));
    EXPECT_NE(fakes.messageBox.shown[0].text.find("watch.json.damaged-"), std::string::npos)
        << fakes.messageBox.shown[0].text;
    EXPECT_TRUE(program.watchMonitor()->lines().empty());
}

TEST_F(WindowTest, ShowingAHiddenWindowDoesNotReloadIt)
{
    program.start();
    MainWindow* first = &window();
    window().hideWindow();
    program.main().Show();
    EXPECT_EQ(program.main().window(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(service.count("mdefaut"), 1);
}

TEST_F(WindowTest, MaximisedToTheMinMaxRuleAndBack)
{
    program.start();
    const QRect normal = window().geometry();
    const QRect browser = window().browserControl().geometry();
    window().setWindowState(WindowState::Maximized);
    const MinMaxInfo& bounds = window().maximisedBounds();
    const QScreen& screen = *window().screen();
    EXPECT_EQ(bounds.maxSize, QSize(screen.geometry().width() + 2,
                                    screen.availableGeometry().height() + 13));
    EXPECT_EQ(window().geometry(), QRect(bounds.maxPosition, bounds.maxSize));
    EXPECT_EQ(window().windowState(), WindowState::Maximized);
    EXPECT_EQ(window().mask().boundingRect().bottomRight(),
              QPoint(bounds.maxSize.width() - 3, bounds.maxSize.height() - 13));
    EXPECT_GT(window().browserControl().width(), browser.width());

    window().setWindowState(WindowState::Normal);
    EXPECT_EQ(window().geometry(), normal);
    EXPECT_EQ(window().browserControl().geometry(), browser);
}

TEST_F(WindowTest, AFailedExchangeAnsweredWithCancelStopsTheBubbleTimer)
{
    program.seams().endpointOverride = "http://127.0.0.1:1/Service.asmx";
    program.seams().timeouts = {std::chrono::milliseconds(500), std::chrono::milliseconds(500)};
    fakes.messageBox.answerNext(Choice::Cancel);
    program.start();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_FALSE(program.hub().Timer1().isActive());
    EXPECT_EQ(fakes.processExit.calls, 0);
}

TEST_F(WindowTest, AFailedExchangeAnsweredWithOkEndsTheProgram)
{
    program.seams().endpointOverride = "http://127.0.0.1:1/Service.asmx";
    program.seams().timeouts = {std::chrono::milliseconds(500), std::chrono::milliseconds(500)};
    fakes.messageBox.answerNext(Choice::Ok);
    program.start();
    EXPECT_EQ(fakes.processExit.calls, 1);
}

} // namespace
