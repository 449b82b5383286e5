#include "fakeservice.h"
#include "pages/frames.h"
#include "platform/fakes/fakes.h"
#include "service/cp936.h"
#include "shell/hub.h"
#include "support/tempfolder.h"
#include "testview.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tarvelo;
using platform::Choice;
namespace fs = std::filesystem;

namespace {

const QString goods = QStringLiteral("请输入货品名称或税则号列");
const QString law = QStringLiteral("请输入法规的名称或关键词");

class HubTest : public ::testing::Test {
protected:
    HubTest()
    {
        fakes.seams.endpointOverride = service.endpoint();
        hub.setView(&view);
    }

    fs::path cacheFile(const char* name) const { return folder.path() / "customscache" / name; }

    static std::string bytesOf(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    testkit::FakeService service;
    Hub hub{fakes.seams};
    testkit::TestView view{hub};
};

TEST_F(HubTest, StartsWithNothingSearchedAndThePlaceholdersSaved)
{
    EXPECT_EQ(hub.currentCategory(), 0);
    for (int16_t i = 0; i < 4; ++i)
        EXPECT_FALSE(hub.categorySearched(i)) << i;
    const QString expected[] = {law, goods, goods, goods};
    const QSignalBlocker quiet(view.box);
    for (int16_t i = 0; i < 4; ++i) {
        view.box.setText(QStringLiteral("x"));
        hub.GetText1(i);
        EXPECT_EQ(view.box.text(), expected[i]) << i;
    }
    EXPECT_FALSE(hub.Timer1().isActive());
    EXPECT_EQ(hub.objectName(), QStringLiteral("menu"));
}

struct Lookup {
    void (Hub::*command)(const QString&);
    const char* file;
    const char* operation;
};

void PrintTo(const Lookup& lookup, std::ostream* out)
{
    *out << lookup.operation;
}

class LookupTest : public HubTest, public ::testing::WithParamInterface<Lookup> {};

TEST_P(LookupTest, WritesThePageInCodePage936AndShowsIt)
{
    const Lookup lookup = GetParam();
    const QString keyword = QStringLiteral(" 钢铁 ");
    (hub.*lookup.command)(keyword);

    EXPECT_EQ(service.count(lookup.operation), 1);
    EXPECT_EQ(service.lastKeyword(), " 钢铁 "); // passed on untrimmed
    const fs::path file = cacheFile(lookup.file);
    ASSERT_EQ(view.browser.locations.size(), 1u);
    EXPECT_EQ(fs::path(view.shown()), file);

    const std::string bytes = bytesOf(file);
    EXPECT_TRUE(bytes.starts_with(pages::frames::head));
    EXPECT_TRUE(bytes.ends_with("</body>"));
    EXPECT_NE(bytes.find(service::utf8ToCp936("钢铁")), std::string::npos);
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST_P(LookupTest, AnEmptyAnswerStillWritesAndShowsTheFrame)
{
    const Lookup lookup = GetParam();
    service.answerWithoutRecords(true);
    (hub.*lookup.command)(QStringLiteral("nothing"));

    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fs::path(view.shown()), cacheFile(lookup.file));
    EXPECT_TRUE(bytesOf(cacheFile(lookup.file)).starts_with(pages::frames::head));
}

TEST_P(LookupTest, ASecondSearchOverwritesTheSameFile)
{
    const Lookup lookup = GetParam();
    (hub.*lookup.command)(QStringLiteral("first"));
    (hub.*lookup.command)(QStringLiteral("second"));
    const std::string bytes = bytesOf(cacheFile(lookup.file));
    EXPECT_EQ(bytes.find("first"), std::string::npos);
    EXPECT_NE(bytes.find("second"), std::string::npos);
    EXPECT_EQ(view.browser.locations[0], view.browser.locations[1]);
}

INSTANTIATE_TEST_SUITE_P(EachCategory, LookupTest,
                         ::testing::Values(Lookup{&Hub::Tariff, "Tariff20110101.html", "Tariff"},
                                           Lookup{&Hub::Export, "Export20110101.html", "Export"},
                                           Lookup{&Hub::Commodity, "Commodity20110101.html", "Commodity"},
                                           Lookup{&Hub::pe_article, "pearticle20110101.html", "PE_Article"}),
                         [](const auto& info) { return std::string(info.param.operation); });

TEST_F(HubTest, CategorySwitchShowsTheHomePageUntilTheCategoryWasSearched)
{
    // A results page left over from an earlier run does not count.
    fs::create_directories(cacheFile("x").parent_path());
    std::ofstream(cacheFile("Commodity20110101.html")) << "old";

    hub.mainqh(1);
    EXPECT_EQ(fs::path(view.shown()), cacheFile("softdefaut.html"));

    hub.setCategorySearched(1);
    hub.Commodity(QStringLiteral("steel"));
    hub.mainqh(0);
    EXPECT_EQ(fs::path(view.shown()), cacheFile("softdefaut.html"));
    hub.mainqh(1);
    EXPECT_EQ(fs::path(view.shown()), cacheFile("Commodity20110101.html"));
    EXPECT_EQ(service.total(), 1); // switching asks the service nothing
}

TEST_F(HubTest, AnyCategoryPastTheLastOneCountsAsExport)
{
    hub.mainqh(7);
    EXPECT_EQ(fs::path(view.shown()), cacheFile("softdefaut.html"));
    hub.setCategorySearched(3);
    hub.mainqh(7);
    EXPECT_EQ(fs::path(view.shown()), cacheFile("Export20110101.html"));
    hub.mainqh(-1);
    EXPECT_EQ(fs::path(view.shown()), cacheFile("Export20110101.html"));
}

TEST_F(HubTest, SavedTextsBelongToTheirCategory)
{
    const QSignalBlocker quiet(view.box);
    view.box.setText(QStringLiteral("steel"));
    hub.SetText1(2);
    view.box.setText(QStringLiteral("other"));
    hub.GetText1(2);
    EXPECT_EQ(view.box.text(), QStringLiteral("steel"));
    hub.GetText1(0);
    EXPECT_EQ(view.box.text(), law);
}

// The home page is reused only when it was written 1 to 3 whole minutes ago.
struct Age {
    int callSeconds; // after 10:00:00; the page was written at 10:00:20
    bool rebuilt;
};

void PrintTo(const Age& age, std::ostream* out)
{
    *out << age.callSeconds << " s";
}

class HomePageAge : public HubTest, public ::testing::WithParamInterface<Age> {};

TEST_P(HomePageAge, RebuildsOutsideOneToThreeMinutes)
{
    using namespace std::chrono;
    const sys_seconds tenOClock = sys_days{year{2024} / 3 / 5} + hours{10};
    hub.mdefaut(); // makes the file
    ASSERT_EQ(service.count("mdefaut"), 1);
    const fs::path home = cacheFile("softdefaut.html");
    fs::last_write_time(home, file_clock::from_sys(tenOClock + seconds{20}));
    fakes.clock.current = tenOClock + seconds{GetParam().callSeconds};

    hub.mdefaut();
    EXPECT_EQ(service.count("mdefaut"), GetParam().rebuilt ? 2 : 1);
    EXPECT_EQ(fs::path(view.shown()), home);
    EXPECT_EQ(view.browser.locations.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(WrittenAt100020, HomePageAge,
                         ::testing::Values(Age{50, true}, Age{65, false}, Age{179, false}, Age{239, false},
                                           Age{240, true}, Age{-3600, true}, Age{3600, true}),
                         [](const auto& info) {
                             const int s = info.param.callSeconds;
                             return (s < 0 ? "calledAtMinus" : "calledAt") + std::to_string(std::abs(s)) + "s";
                         });

TEST_F(HubTest, AMissingHomePageIsBuiltAndShown)
{
    hub.mdefaut();
    EXPECT_EQ(service.count("mdefaut"), 1);
    const std::string bytes = bytesOf(cacheFile("softdefaut.html"));
    EXPECT_TRUE(bytes.starts_with(pages::frames::headNoScroll));
    EXPECT_NE(bytes.find("<li>news 1</li>"), std::string::npos);
    EXPECT_EQ(fs::path(view.shown()), cacheFile("softdefaut.html"));
}

TEST_F(HubTest, CommandsWithoutAWindowStillWriteTheirPage)
{
    hub.setView(nullptr);
    hub.Tariff(QStringLiteral("steel"));
    EXPECT_TRUE(fs::exists(cacheFile("Tariff20110101.html")));
    EXPECT_TRUE(view.browser.locations.empty());
}

TEST_F(HubTest, TimerTicksRunTheBubbleUnlessAConnectionPromptIsOpen)
{
    int runs = 0;
    hub.setBubbleCycle([&] { ++runs; });
    hub.Timer1().setInterval(1);
    hub.setTimerEnabled(true);

    fakes.seams.openConnectionPrompts = 1;
    QTest::qWait(30);
    EXPECT_EQ(runs, 0);

    fakes.seams.openConnectionPrompts = 0;
    QTest::qWait(30);
    EXPECT_GT(runs, 0);

    hub.setTimerEnabled(false);
    const int stopped = runs;
    QTest::qWait(30);
    EXPECT_EQ(runs, stopped);
}

QAction* item(Hub& hub, const char* name)
{
    return hub.menum().findChild<QAction*>(QString::fromLatin1(name));
}

TEST_F(HubTest, ExitAsksAndEndsOnlyOnOk)
{
    fakes.messageBox.answerNext(Choice::Cancel);
    item(hub, "mexit")->trigger();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "   你确定要退出 Tarvelo 软件吗？  ");
    EXPECT_EQ(fakes.messageBox.shown[0].caption, "退出Tarvelo");
    EXPECT_EQ(fakes.messageBox.shown[0].buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(fakes.processExit.calls, 0);

    fakes.messageBox.answerNext(Choice::Ok);
    item(hub, "mexit")->trigger();
    EXPECT_EQ(fakes.processExit.calls, 1);
    EXPECT_EQ(fakes.processExit.lastCode, 0);
}

TEST_F(HubTest, TrayMenuItemsInOrder)
{
    const QList<QAction*> actions = hub.menum().actions();
    const QStringList names = {"mopen", "minrw", "mabout", "mbatch", "mwatch", "no02", "murl", "murlno1",
                               "murlno2", "murlno3", "murlno4", "murlno5", "no01", "mexit"};
    ASSERT_EQ(actions.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QAction* a = actions[i];
        EXPECT_EQ(a->objectName(), names[i]);
        const bool separator = names[i].startsWith(QStringLiteral("no0"));
        EXPECT_EQ(a->isSeparator(), separator) << names[i].toStdString();
        // mopen, minrw, mbatch and mwatch carry no picture; the eight others do.
        if (!separator) {
            EXPECT_EQ(a->icon().isNull(), i < 2 || i == 3 || i == 4) << names[i].toStdString();
        }
    }
    EXPECT_EQ(actions[0]->text(), QStringLiteral("打开Tarvelo"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("最小化任务栏"));
    EXPECT_EQ(actions[2]->text(), QStringLiteral("关于Tarvelo"));
    EXPECT_EQ(actions[3]->text(), QStringLiteral("批量查询"));
    EXPECT_EQ(actions[4]->text(), QStringLiteral("关注"));
    EXPECT_EQ(actions[5]->text(), QStringLiteral("-------------"));
    EXPECT_EQ(actions[6]->text(), QStringLiteral("Veloria"));
    EXPECT_EQ(actions[13]->text(), QStringLiteral("退出"));
    EXPECT_DOUBLE_EQ(hub.menum().font().pointSizeF(), 8.25);
    EXPECT_EQ(hub.menum().font().families().value(0), QStringLiteral("Tahoma"));
}

TEST_F(HubTest, MenuEntriesAskForTheMainWindowTheAboutBoxAndTheGoodsList)
{
    int open = 0, unload = 0, minimize = 0, about = 0, batch = 0, watch = 0;
    QObject::connect(&hub, &Hub::openMainWindow, [&] { ++open; });
    QObject::connect(&hub, &Hub::unloadMainWindow, [&] { ++unload; });
    QObject::connect(&hub, &Hub::minimizeMainWindow, [&] { ++minimize; });
    QObject::connect(&hub, &Hub::aboutRequested, [&] { ++about; });
    QObject::connect(&hub, &Hub::batchRequested, [&] { ++batch; });
    QObject::connect(&hub, &Hub::watchRequested, [&](const QString& code, const QString&) { watch += code.isEmpty(); });
    bool tray = false;
    hub.setTrayProbe([&] { return tray; });
    hub.load();
    item(hub, "mopen")->trigger();
    item(hub, "minrw")->trigger(); // no tray to go to: the taskbar
    item(hub, "mabout")->trigger();
    item(hub, "mbatch")->trigger();
    item(hub, "mwatch")->trigger();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(unload, 0);
    EXPECT_EQ(minimize, 1);
    EXPECT_EQ(about, 1);
    EXPECT_EQ(batch, 1);
    EXPECT_EQ(watch, 1);

    tray = true;
    hub.trayWatch().setInterval(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return hub.trayShown(); }, 5000));
    item(hub, "minrw")->trigger();
    EXPECT_EQ(unload, 1);
    EXPECT_EQ(minimize, 1);
}

TEST_F(HubTest, TrayTipCarriesMajorMinorAndRevision)
{
    EXPECT_EQ(hub.traytipText(), QStringLiteral("Tarvelo(版本 1.2.2)"));
}

} // namespace

TEST_F(HubTest, AFailureInsideACommandIsReportedAndTheHubGoesOn)
{
    // A link that points at itself: asking for the cached home page's age fails.
    fs::create_directories(cacheFile("x").parent_path());
    fs::create_symlink("softdefaut.html", cacheFile("softdefaut.html"));
    hub.mdefaut();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].caption, "Tarvelo");
    EXPECT_EQ(fakes.messageBox.shown[0].text.rfind("操作没有完成：", 0), 0u);
    EXPECT_NE(fakes.messageBox.shown[0].text.find("softdefaut.html"), std::string::npos);

    // Commands that do not fail go on as before.
    hub.Tariff(QStringLiteral("steel"));
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(service.count("Tariff"), 1);
}
