// Hostile answers in the real browser control: the service's values carry
// scripts, javascript: links, file references and frames. The page may render
// that markup, but it must not read local files, reach any network address or
// take our browser elsewhere; a user's click on a web link goes to the user's
// browser and other schemes do nothing.
#include "lookups.h"
#include "platform/browsercontrol.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

using namespace tarvelo;
using namespace tarvelo::robustness;
using namespace std::chrono_literals;
using testkit::LoopbackServer;
using testkit::ScriptedAnswer;

namespace {

// Receives every URL the desktop would be asked to open, by scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char* scheme : schemes)
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char* scheme : schemes)
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }

private:
    static constexpr const char* schemes[] = {"http", "https", "file", "javascript", "data", "ftp", "mailto"};
};

QVariant evaluate(QWebEnginePage* page, const QString& script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    for (int i = 0; i < 500 && !done; ++i)
        QTest::qWait(10);
    EXPECT_TRUE(done) << script.toStdString();
    return result;
}

// The markup a hostile service puts into its values. PORT is the bait
// server's port, SECRET a local file outside the cache folder.
const std::string hostileMarkup = R"html(
<script>
window.notes = [];
function note(s) { notes.push(s); document.title = notes.join('|'); }
fetch('file://SECRET').then(function (r) { return r.text(); })
  .then(function (t) { note('fetch-file:' + t); }, function () { note('fetch-file-refused'); });
fetch('http://127.0.0.1:PORT/fetch').then(function (r) { return r.text(); })
  .then(function (t) { note('fetch-net:' + t); }, function () { note('fetch-net-refused'); });
try { var x = new XMLHttpRequest(); x.open('GET', 'http://127.0.0.1:PORT/xhr', false); x.send();
      note('xhr-net:' + x.responseText); } catch (e) { note('xhr-net-refused'); }
try { var y = new XMLHttpRequest(); y.open('GET', 'file://SECRET', false); y.send();
      note('xhr-file:' + y.responseText); } catch (e) { note('xhr-file-refused'); }
var w = window.open('http://127.0.0.1:PORT/open'); note('open:' + (w ? 'window' : 'none'));
new Image().src = 'http://127.0.0.1:PORT/image';
navigator.sendBeacon && navigator.sendBeacon('http://127.0.0.1:PORT/beacon', 'x');
setTimeout(function () { try { note('frame:' + document.getElementById('ff').contentDocument.body.innerText); }
                         catch (e) { note('frame-refused'); } }, 600);
</script>
<meta http-equiv="refresh" content="0;url=http://127.0.0.1:PORT/refresh">
<img src="http://127.0.0.1:PORT/img-tag"><img src="file://SECRET">
<link rel="stylesheet" href="http://127.0.0.1:PORT/style">
<iframe id="ff" src="file://SECRET"></iframe>
<iframe src="http://127.0.0.1:PORT/frame"></iframe>
<form id="form" action="http://127.0.0.1:PORT/form" method="post"><input name="q" value="1"></form>
<a id="js" href="javascript:void(document.title='javascript-link-ran')" style="display:block;height:30px">js</a>
<a id="web" href="http://127.0.0.1:PORT/clicked" style="display:block;height:30px">web</a>
<a id="file" href="file://SECRET" style="display:block;height:30px">file</a>
<a id="blank" href="https://127.0.0.1:PORT/blank" target="_blank" style="display:block;height:30px">blank</a>
<a id="scripted" href="http://127.0.0.1:PORT/scripted" style="display:block;height:30px">scripted</a>
)html";

class HostileAnswers : public ::testing::Test {
protected:
    HostileAnswers()
    {
        fakes.seams.timeouts = {2000ms, 2000ms, 5000ms};
        fakes.seams.endpointOverride = service.endpoint();
        secret = folder.path() / "secret.txt";
        std::ofstream(secret) << "TOP-SECRET-CONTENT";
        browser.resize(900, 700);
        browser.show();
    }

    std::string markup() const
    {
        std::string s = hostileMarkup;
        for (const auto& [key, value] : {std::pair<std::string, std::string>{"PORT", std::to_string(bait.port())},
                                         {"SECRET", secret.string()}}) {
            for (size_t at = s.find(key); at != std::string::npos; at = s.find(key, at + value.size()))
                s.replace(at, key.size(), value);
        }
        return s;
    }

    // Shows the page at path and lets its scripts run.
    void show(const std::string& path)
    {
        expected = QUrl::fromLocalFile(QString::fromStdString(path));
        QSignalSpy loaded(&browser, &platform::WebBrowser::pageLoaded);
        browser.Navigate(path);
        ASSERT_TRUE(loaded.wait(20000));
        EXPECT_TRUE(loaded.first().first().toBool());
        QTest::qWait(1500);
    }

    // A real mouse click on the element with that id.
    void click(const char* id)
    {
        const QVariantList centre =
            evaluate(browser.page(), QStringLiteral("(function () { var r = document.getElementById('%1')"
                                                    ".getBoundingClientRect(); return [r.left + r.width / 2,"
                                                    " r.top + r.height / 2]; })()")
                                         .arg(QLatin1String(id)))
                .toList();
        ASSERT_EQ(centre.size(), 2) << id;
        const QPoint at(centre[0].toInt(), centre[1].toInt());
        QWidget* target = browser.focusProxy() ? browser.focusProxy() : &browser;
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        QTest::qWait(700);
    }

    QString title() { return evaluate(browser.page(), QStringLiteral("document.title")).toString(); }

    void expectNothingEscaped()
    {
        const QString t = title();
        EXPECT_FALSE(t.contains(QLatin1String("TOP-SECRET"))) << t.toStdString();
        EXPECT_FALSE(t.contains(QLatin1String("fetch-net:"))) << t.toStdString();
        EXPECT_FALSE(t.contains(QLatin1String("xhr-net:"))) << t.toStdString();
        EXPECT_FALSE(t.contains(QLatin1String("open:window"))) << t.toStdString();
        EXPECT_EQ(bait.requestCount(), 0u) << bait.requests().front().target;
        EXPECT_EQ(browser.url(), expected);
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    std::filesystem::path secret;
    LoopbackServer bait{[](const auto&) { return ScriptedAnswer::ok("BAIT-REACHED", "text/html"); }};
    std::string answer;
    LoopbackServer service{[this](const auto&) { return ScriptedAnswer::ok(answer); }};
    UrlCatcher catcher;
    platform::WebBrowser browser;
    QUrl expected;
};

} // namespace

TEST_F(HostileAnswers, TariffCellsWithScriptsReachNothing)
{
    answer = "<r><Table><ArticleID>1</ArticleID><HS_code>0101</HS_code><Product_name><![CDATA[" + markup() +
             "]]></Product_name></Table></r>";
    show(runLookup(fakes.seams, lookups[0], "马"));
    EXPECT_EQ(service.requestCount(), 1u);
    EXPECT_TRUE(fakes.messageBox.shown.empty());

    // The scripts ran (the markup is raw by design) and were refused. The file
    // frame stays empty: its navigation is refused, so it holds a blank page.
    const QString t = title();
    for (const char* refused : {"xhr-net-refused", "xhr-file-refused", "fetch-net-refused", "fetch-file-refused",
                                "open:none"})
        EXPECT_TRUE(t.contains(QLatin1String(refused))) << refused << " in " << t.toStdString();
    expectNothingEscaped();
    EXPECT_TRUE(catcher.opened.isEmpty());
}

TEST_F(HostileAnswers, HomePageMarkupReachesNothingAndOnlyClickedWebLinksLeave)
{
    answer = markup(); // the home page shows the decoded answer as it is
    show(runHome(fakes.seams));
    expectNothingEscaped();
    EXPECT_TRUE(catcher.opened.isEmpty());

    // A file: link does nothing (javascript: links: see below).
    click("file");
    EXPECT_TRUE(catcher.opened.isEmpty());
    expectNothingEscaped();

    // A clicked web link goes to the user's browser, not to ours.
    click("web");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].path(), QStringLiteral("/clicked"));
    click("blank");
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[1].scheme(), QStringLiteral("https"));
    expectNothingEscaped();
}

TEST_F(HostileAnswers, ScriptsCannotSubmitFormsToTheNetwork)
{
    answer = markup();
    show(runHome(fakes.seams));
    evaluate(browser.page(), QStringLiteral("document.getElementById('form').submit(); 1"));
    QTest::qWait(500);
    expectNothingEscaped();
    EXPECT_TRUE(catcher.opened.isEmpty());
}

// The web engine reports a navigation that the page's own script starts
// (location = …, a.click()) as a clicked link; without a real click just
// before, nothing may reach the user's browser.
TEST_F(HostileAnswers, ScriptsCannotOpenWebAddressesWithoutAClick)
{
    answer = markup();
    show(runHome(fakes.seams));
    evaluate(browser.page(), QStringLiteral("location = 'http://127.0.0.1:%1/navigate'; 1").arg(bait.port()));
    QTest::qWait(500);
    evaluate(browser.page(), QStringLiteral("document.getElementById('scripted').click(); 1"));
    QTest::qWait(500);
    expectNothingEscaped();
    for (const QUrl& url : catcher.opened)
        ADD_FAILURE() << "handed to the user's browser without a click: " << url.toString().toStdString();
}

// A clicked javascript: link runs nothing.
TEST_F(HostileAnswers, JavascriptLinksDoNothing)
{
    answer = markup();
    show(runHome(fakes.seams));
    click("js");
    EXPECT_NE(title(), QStringLiteral("javascript-link-ran"));
    expectNothingEscaped();
}

#include "hostile_test.moc"
