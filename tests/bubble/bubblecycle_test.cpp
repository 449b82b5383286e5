#include "bubble/bubblecycle.h"
#include "bubble/loading.h"
#include "bubble/watchbubble.h"
#include "bubblefakes.h"
#include "guitest.h"
#include "platform/fakes/fakes.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QByteArray>
#include <QTest>

#include <chrono>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

using namespace tarvelo;
using bubbletest::FakeDesktop;
using bubbletest::FakeHost;
namespace fs = std::filesystem;

namespace {

// The service's bubble list: escaped list markup, as the service answers it.
std::string answer(const std::string& marker)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope><soap:Body><maopaoResponse>"
           "<maopaoResult>&lt;ul&gt;&lt;li&gt;&lt;a href='http://news.example/1'&gt;" +
           marker + "&lt;/a&gt;&lt;/li&gt;&lt;/ul&gt;</maopaoResult></maopaoResponse></soap:Body></soap:Envelope>";
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

int bubbleWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += w->objectName() == QLatin1String("loading");
    return count;
}

} // namespace

// The refresh cycle against a loopback service that answers the bubble list
// from a script; the hub is faked and forwards its command to the cycle.
class BubbleCycleTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testkit::TempFolder> folder;
    std::unique_ptr<platform::fakes::FakePlatform> fakes;
    std::unique_ptr<testkit::LoopbackServer> server;
    std::mutex listsMutex;
    std::vector<std::string> lists; // the n-th request gets the n-th list, the last one from then on
    size_t served = 0;
    FakeHost host;
    FakeDesktop desktop;
    std::unique_ptr<BubbleCycle> cycle;

    void serve(std::vector<std::string> markers)
    {
        std::lock_guard lock(listsMutex);
        lists = std::move(markers);
    }

    size_t requests() const { return server->requestCount(); }

    // Starts the program anew: a fresh cycle on the same cache folder.
    void restart()
    {
        cycle = std::make_unique<BubbleCycle>(fakes->seams, host, desktop);
    }

    fs::path cacheFile(const char* name) const { return folder->path() / "customscache" / name; }

    // The list whose fingerprint is stored.
    QByteArray storedList() const
    {
        return QByteArray::fromBase64(QByteArray::fromStdString(readBytes(cacheFile("softjs.txt"))));
    }
    QByteArray page() const { return QByteArray::fromStdString(readBytes(cacheFile("softmaopao.html"))); }

    bool bubbleShown() const { return cycle->window() && cycle->window()->isVisible(); }

private slots:
    void initTestCase() { bubbletest::muteOffscreenNotices(); }

    void init()
    {
        folder = std::make_unique<testkit::TempFolder>();
        fakes = std::make_unique<platform::fakes::FakePlatform>(folder->path());
        server = std::make_unique<testkit::LoopbackServer>([this](const testkit::CapturedRequest&) {
            std::lock_guard lock(listsMutex);
            const std::string& list = lists.at(std::min(served++, lists.size() - 1));
            return testkit::ScriptedAnswer::ok(answer(list));
        });
        fakes->seams.endpointOverride = server->endpoint();
        served = 0;
        host = FakeHost();
        host.command = [this] { cycle->mmaopao(); };
        serve({"list-A"});
        restart();
    }

    void cleanup()
    {
        cycle.reset();
        QVERIFY(fakes->messageBox.shown.empty());
        server.reset();
        fakes.reset();
        folder.reset();
    }

    void firstRunShowsTheBubble()
    {
        QVERIFY(!fs::exists(cacheFile("softjs.txt")));
        cycle->mmaopao();

        QCOMPARE(requests(), size_t(4)); // three, and one from the window's load
        QCOMPARE(host.mmaopaoCalls, 1);
        QVERIFY(storedList().contains("list-A"));
        QVERIFY(page().contains("<ul><li><a href='http://news.example/1'>list-A</a></li></ul>"));
        QVERIFY(bubbleShown());
        QVERIFY(cycle->window()->isLoaded());
        QVERIFY(!host.timerEnabled);
    }

    void watchChangesWaitForTheNewsBubbleAndKeepTheirOwnFingerprint()
    {
        cycle->mmaopao();
        const std::string news = readBytes(cacheFile("softjs.txt"));
        WatchBubble bubble(fakes->seams, *cycle, std::chrono::milliseconds(20));
        const watch::RateChange change{"22042100", "葡萄酒", {"14%", "180%", "10%", "13%", "升", "AB"},
                                       {"12%", "180%", "10%", "13%", "升", "AB"}, true};
        bubble.show({change});
        QVERIFY(!fs::exists(cacheFile("softwatch.html"))); // the news bubble is on screen

        cycle->window()->Unload();
        QTRY_VERIFY(fs::exists(cacheFile("softwatch.html")));
        QVERIFY(bubbleShown());
        QVERIFY(page().contains("list-A"));
        const QByteArray watchPage = QByteArray::fromStdString(readBytes(cacheFile("softwatch.html")));
        QVERIFY(watchPage.contains("<span class='was'>14%</span>"));
        QVERIFY(watchPage.contains("<span class='now'>12%</span>"));
        QCOMPARE(readBytes(cacheFile("softjs.txt")), news);

        // The same changes again: that page was shown last.
        cycle->window()->Unload();
        bubble.show({change});
        QVERIFY(!cycle->window()->isLoaded());
    }

    // The news list changes just as the watch bubble's window loads: the
    // news is shown (its load runs the news check), the watch page after it.
    void newsChangingAsTheWatchBubbleRisesIsShownFirst()
    {
        cycle->mmaopao();
        cycle->window()->Unload();
        serve({"list-B"});
        WatchBubble bubble(fakes->seams, *cycle, std::chrono::milliseconds(20));
        const watch::RateChange change{"22042100", "葡萄酒", {"14%", "180%", "10%", "13%", "升", "AB"},
                                       {"12%", "180%", "10%", "13%", "升", "AB"}, true};
        bubble.show({change});
        QVERIFY(bubbleShown());
        QVERIFY(storedList().contains("list-B"));
        QVERIFY(page().contains("list-B"));
        QVERIFY(!fs::exists(cacheFile("softwatchjs.txt"))); // not shown yet

        cycle->window()->Unload();
        QTRY_VERIFY(fs::exists(cacheFile("softwatchjs.txt")));
        QVERIFY(bubbleShown());
    }

    void unchangedListCostsOneRequest()
    {
        cycle->mmaopao();
        cycle->window()->Unload();
        QVERIFY(host.timerEnabled);
        const std::string fingerprint = readBytes(cacheFile("softjs.txt"));
        const std::string bubblePage = readBytes(cacheFile("softmaopao.html"));

        for (int run = 1; run <= 3; ++run) {
            cycle->mmaopao();
            QCOMPARE(requests(), size_t(4 + run));
            QVERIFY(!bubbleShown());
        }
        QCOMPARE(host.mmaopaoCalls, 1);
        QCOMPARE(readBytes(cacheFile("softjs.txt")), fingerprint);
        QCOMPARE(readBytes(cacheFile("softmaopao.html")), bubblePage);
        QVERIFY(host.timerEnabled);
    }

    void unchangedListAfterARestart()
    {
        cycle->mmaopao();
        restart();
        QCOMPARE(bubbleWindows(), 0);

        cycle->mmaopao();
        QCOMPARE(requests(), size_t(5));
        QVERIFY(cycle->window() == nullptr);
    }

    void changedListTakesThreeRequestsAndTheNestedOne()
    {
        cycle->mmaopao();
        cycle->window()->Unload();
        const size_t before = requests();

        // Decided on the first answer, stored from the second, shown from the
        // third; the nested run finds the second again and ends.
        serve({"list-A", "list-A", "list-A", "list-A", "list-X", "list-B", "list-C", "list-B"});
        cycle->mmaopao();

        QCOMPARE(requests() - before, size_t(4));
        QCOMPARE(host.mmaopaoCalls, 2);
        QVERIFY(storedList().contains("list-B"));
        QVERIFY(page().contains("list-C"));
        QVERIFY(!page().contains("list-B"));
        QVERIFY(bubbleShown());
        QCOMPARE(bubbleWindows(), 1);
    }

    void listChangingAgainWhileTheWindowLoads()
    {
        // The nested run finds yet another list and goes through the steps
        // itself, on the same window.
        serve({"list-X", "list-B", "list-C", "list-D", "list-E", "list-F"});
        cycle->mmaopao();

        QCOMPARE(requests(), size_t(6));
        QCOMPARE(host.mmaopaoCalls, 1);
        QVERIFY(storedList().contains("list-E"));
        QVERIFY(page().contains("list-F"));
        QVERIFY(bubbleShown());
        QCOMPARE(bubbleWindows(), 1);

        // The stored fingerprint is not the current list's: the next run shows it again.
        cycle->window()->Unload();
        cycle->mmaopao();
        QCOMPARE(requests(), size_t(10));
        QVERIFY(storedList().contains("list-F"));
        QVERIFY(bubbleShown());
    }

    void deletingTheFingerprintShowsItAgain()
    {
        cycle->mmaopao();
        cycle->window()->Unload();
        cycle->mmaopao();
        QVERIFY(!bubbleShown());

        fs::remove(cacheFile("softjs.txt"));
        cycle->mmaopao();
        QCOMPARE(requests(), size_t(9));
        QVERIFY(bubbleShown());
        QVERIFY(storedList().contains("list-A"));
        QCOMPARE(cycle->window()->windowOpacity(), 1.0);
        QCOMPARE(cycle->window()->revealEdge(), int16_t(157));
    }

    void hubTimerOffWhileShownAndOnAfterTheClose()
    {
        QVERIFY(host.timerEnabled);
        cycle->mmaopao();
        QVERIFY(!host.timerEnabled);
        cycle->window()->Image3_Click();
        QVERIFY(host.timerEnabled);
        QVERIFY(!bubbleShown());
    }

    void unreadableFingerprintEndsTheRun()
    {
        fs::create_directories(cacheFile("softjs.txt").parent_path());
        fs::create_symlink("softjs.txt", cacheFile("softjs.txt")); // a loop: reading fails

        cycle->mmaopao();
        QCOMPARE(requests(), size_t(1));
        QVERIFY(fs::is_symlink(cacheFile("softjs.txt")));
        QVERIFY(!fs::exists(cacheFile("softmaopao.html")));
        QVERIFY(cycle->window() == nullptr);
        QVERIFY(host.timerEnabled);
    }
};

int main(int argc, char** argv)
{
    return bubbletest::runGuiTest<BubbleCycleTest>(argc, argv);
}

#include "bubblecycle_test.moc"
