#include "guardedpage.h"

#include "desktoplinks.h"

#include <QFontDatabase>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace tarvelo::platform {
namespace {

// Pages whose body carries scroll="no" show no scroll bars.
constexpr char noScrollScript[] = R"js(
(function () {
    var style = document.createElement('style');
    style.textContent = 'body[scroll="no" i] { overflow: hidden; }';
    (document.head || document.documentElement).appendChild(style);
})();
)js";

// A script of ours, run apart from the page's own scripts in every frame.
QWebEngineScript userScript(const char* name, const char* source, QWebEngineScript::InjectionPoint when)
{
    QWebEngineScript script;
    script.setName(QString::fromLatin1(name));
    script.setSourceCode(QString::fromLatin1(source));
    script.setInjectionPoint(when);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    return script;
}

// A javascript: link does nothing when clicked (the page's own scripts are
// contained already; its links should not run more of them).
constexpr char inertScriptLinks[] = R"js(
document.addEventListener('click', function (event) {
    var link = event.target && event.target.closest ? event.target.closest('a[href]') : null;
    if (link && /^\s*javascript:/i.test(link.getAttribute('href')))
        event.preventDefault();
}, true);
)js";

// How long after a click or key press a link still counts as the user's.
constexpr qint64 gestureWindowMs = 1000;

// Stands in for the window a _blank link asks for: learns the link's URL,
// hands it to the desktop and goes.
class LinkCatcher : public QWebEnginePage {
public:
    explicit LinkCatcher(GuardedPage* owner) : QWebEnginePage(owner->profile(), owner), owner_(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        if (owner_->followsUserGesture())
            openInUserBrowser(url);
        deleteLater();
        return false;
    }

private:
    const GuardedPage* owner_;
};

// The pages name no font; show them in a sans-serif face that has the Chinese
// glyphs, where the machine has one.
QString pageFontFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Microsoft YaHei", "WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC"}) {
        if (installed.contains(QLatin1String(family)))
            return QLatin1String(family);
    }
    return {};
}

} // namespace

GuardedPage::GuardedPage(QObject* parent) : QWebEnginePage(parent)
{
    QWebEngineSettings* s = settings();
    s->setDefaultTextEncoding(QStringLiteral("GBK"));
    if (const QString family = pageFontFamily(); !family.isEmpty())
        s->setFontFamily(QWebEngineSettings::StandardFont, family);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    scripts().insert(userScript("noscroll", noScrollScript, QWebEngineScript::DocumentReady));
    scripts().insert(userScript("inertlinks", inertScriptLinks, QWebEngineScript::DocumentCreation));
}

bool GuardedPage::followsUserGesture() const
{
    return lastGesture_.isValid() && lastGesture_.elapsed() <= gestureWindowMs;
}

bool GuardedPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (isWebUrl(url)) {
        if (type == NavigationTypeLinkClicked && followsUserGesture())
            openInUserBrowser(url);
        return false;
    }
    // Our own file, also when a link jumps to an anchor in it or it reloads.
    return isMainFrame && url.isLocalFile() && !expected_.isEmpty()
           && url.adjusted(QUrl::RemoveFragment) == expected_;
}

QWebEnginePage* GuardedPage::createWindow(WebWindowType)
{
    return new LinkCatcher(this);
}

} // namespace tarvelo::platform
