#include "platform/qt/desktoplinks.h"
#include "platform/qt/guardedpage.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/windowsystem.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEngineSettings>

#include <gtest/gtest.h>

using namespace tarvelo::platform;

namespace {

// Receives the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
    }
    ~UrlCatcher() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

TEST(WindowSystem, WaylandSessionsWithXWaylandRunOnX11AndTheUserHasTheLastWord)
{
    const struct {
        const char* what;
        QStringList variables;
        QByteArray platform;
    } cases[] = {
        {"X11 session", {"DISPLAY=:0", "XDG_SESSION_TYPE=x11"}, ""},
        {"Wayland with XWayland", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"}, "xcb"},
        {"Wayland session type with XWayland", {"XDG_SESSION_TYPE=wayland", "DISPLAY=:1"}, "xcb"},
        {"Wayland alone", {"WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"}, ""},
        {"an empty DISPLAY", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY="}, ""},
        {"the user's choice", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"}, ""},
        {"the tests' choice", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=offscreen"}, ""},
        {"no display at all", {}, ""},
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment;
        for (const QString& variable : c.variables)
            environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
        EXPECT_EQ(preferredPlatform(environment), c.platform) << c.what;
    }
}

TEST(DesktopLinks, OnlyWebAddressesReachTheUsersBrowser)
{
    UrlCatcher catcher;
    EXPECT_TRUE(openInUserBrowser(QUrl(QStringLiteral("http://www.example.org/a"))));
    EXPECT_TRUE(openInUserBrowser(QUrl(QStringLiteral("HTTPS://www.example.org/b"))));
    EXPECT_FALSE(openInUserBrowser(QUrl(QStringLiteral("file:///etc/passwd"))));
    EXPECT_FALSE(openInUserBrowser(QUrl(QStringLiteral("javascript:alert(1)"))));
    EXPECT_FALSE(openInUserBrowser(QUrl(QStringLiteral("http:///nohost"))));
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].host(), QStringLiteral("www.example.org"));
}

class OpenPage : public GuardedPage {
public:
    using GuardedPage::acceptNavigationRequest;
};

TEST(GuardedPage, ShowsOnlyOurFileAndSendsClickedWebLinksOut)
{
    UrlCatcher catcher;
    OpenPage page;
    const QUrl ours = QUrl::fromLocalFile(QStringLiteral("/tmp/customscache/Tariff20110101.html"));
    EXPECT_FALSE(page.acceptNavigationRequest(ours, QWebEnginePage::NavigationTypeTyped, true));
    page.expect(ours);
    EXPECT_TRUE(page.acceptNavigationRequest(ours, QWebEnginePage::NavigationTypeTyped, true));
    QUrl anchor = ours;
    anchor.setFragment(QStringLiteral("top"));
    EXPECT_TRUE(page.acceptNavigationRequest(anchor, QWebEnginePage::NavigationTypeLinkClicked, true));
    EXPECT_FALSE(page.acceptNavigationRequest(QUrl::fromLocalFile(QStringLiteral("/etc/passwd")),
                                              QWebEnginePage::NavigationTypeLinkClicked, true));
    EXPECT_FALSE(page.acceptNavigationRequest(ours, QWebEnginePage::NavigationTypeTyped, false));
    EXPECT_FALSE(page.acceptNavigationRequest(QUrl(QStringLiteral("data:text/html,x")),
                                              QWebEnginePage::NavigationTypeLinkClicked, true));
    EXPECT_TRUE(catcher.opened.isEmpty());

    const QUrl web(QStringLiteral("http://www.example.org/policy"));
    EXPECT_FALSE(page.acceptNavigationRequest(web, QWebEnginePage::NavigationTypeRedirect, true));
    EXPECT_TRUE(catcher.opened.isEmpty()); // only a click hands a link on
    // A "clicked" link without a real click before it came from a script.
    EXPECT_FALSE(page.acceptNavigationRequest(web, QWebEnginePage::NavigationTypeLinkClicked, true));
    EXPECT_TRUE(catcher.opened.isEmpty());
    page.noteUserGesture();
    EXPECT_FALSE(page.acceptNavigationRequest(web, QWebEnginePage::NavigationTypeLinkClicked, true));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], web);
}

TEST(GuardedPage, ReadsGbkAndKeepsLocalPagesToThemselves)
{
    GuardedPage page;
    const QWebEngineSettings* s = page.settings();
    EXPECT_EQ(s->defaultTextEncoding(), QStringLiteral("GBK"));
    EXPECT_FALSE(s->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls));
    EXPECT_FALSE(s->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls));
}

// Answers the next message box with a key press and remembers what it showed.
struct BoxReader {
    QString text, caption;
    int buttons = 0;
    bool hasIcon = true;
    void pressSoon(int key)
    {
        QTimer::singleShot(50, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text();
            caption = box->windowTitle();
            buttons = box->buttons().size();
            hasIcon = box->icon() != QMessageBox::NoIcon;
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        });
    }
};

TEST(QtMessageBox, OkCancelWithEscapeAsCancel)
{
    QtMessageBox boxes;
    BoxReader reader;
    reader.pressSoon(Qt::Key_Escape);
    EXPECT_EQ(boxes.show("first\rsecond\r\nthird", "title", Buttons::OkCancel), Choice::Cancel);
    EXPECT_EQ(reader.text, QStringLiteral("first\nsecond\nthird"));
    EXPECT_EQ(reader.caption, QStringLiteral("title"));
    EXPECT_EQ(reader.buttons, 2);
    EXPECT_FALSE(reader.hasIcon);

    reader.pressSoon(Qt::Key_Return);
    EXPECT_EQ(boxes.show("退出", "退出Tarvelo", Buttons::OkCancel), Choice::Ok);
    EXPECT_EQ(reader.text, QStringLiteral("退出"));
}

TEST(QtMessageBox, OkOnly)
{
    QtMessageBox boxes;
    BoxReader reader;
    reader.pressSoon(Qt::Key_Escape);
    EXPECT_EQ(boxes.show("nothing found", "Tarvelo", Buttons::Ok), Choice::Ok);
    EXPECT_EQ(reader.buttons, 1);
}

} // namespace

#include "platform_test.moc"
