#include "hub.h"

#include "assets/skin.h"
#include "chrome/ucsearch.h"
#include "homeage.h"
#include "links.h"
#include "mainview.h"
#include "pages/cshtml.h"
#include "pages/pagefiles.h"
#include "platform/browser.h"
#include "platform/qt/desktoplinks.h"
#include "platform/seams.h"
#include "searchhistory.h"
#include "traytip.h"
#include "version.h"

#include <QAction>
#include <QMenu>
#include <QUrl>

#include <exception>

namespace tarvelo {
namespace {

// Category index to array slot: 0 to 2 as they are, any other value is Export.
std::size_t slot(int16_t index)
{
    return index >= 0 && index <= 2 ? static_cast<std::size_t>(index) : 3;
}

const QString exitPrompt = QStringLiteral("   你确定要退出 Tarvelo 软件吗？  ");
const QString exitCaption = QStringLiteral("退出Tarvelo");

} // namespace

Hub::Hub(platform::Seams& seams, QObject* parent)
    : QObject(parent), seams_(seams),
      Text1_{placeholders::law, placeholders::goods, placeholders::goods, placeholders::goods},
      tip_(traytip(QString::fromLatin1(version::title), version::major, version::minor, version::revision)),
      trayMenu_(buildTrayMenu())
{
    setObjectName(QStringLiteral("menu"));
    Timer1_.setObjectName(QStringLiteral("Timer1"));
    Timer1_.setInterval(0);
    connect(&Timer1_, &QTimer::timeout, this, &Hub::Timer1_Timer);
    trayWatch_.setInterval(3000);
    connect(&trayWatch_, &QTimer::timeout, this, &Hub::watchTray);

    connect(trayMenu_.mopen, &QAction::triggered, this, &Hub::openMainWindow);
    connect(trayMenu_.minrw, &QAction::triggered, this, [this] {
        // Without a tray nothing could bring an unloaded window back.
        if (trayShown())
            emit unloadMainWindow();
        else
            emit minimizeMainWindow();
    });
    connect(trayMenu_.mabout, &QAction::triggered, this, &Hub::aboutRequested);
    connect(trayMenu_.mbatch, &QAction::triggered, this, &Hub::batchRequested);
    connect(trayMenu_.mwatch, &QAction::triggered, this, [this] { emit watchRequested({}, {}); });
    connect(trayMenu_.murl, &QAction::triggered, this, [] { openurl(links::makerHome); });
    for (std::size_t i = 0; i < trayMenu_.murlno.size(); ++i)
        connect(trayMenu_.murlno[i], &QAction::triggered, this, [i] { openurl(links::entries[i].url); });
    connect(trayMenu_.mexit, &QAction::triggered, this, &Hub::mexit);
}

// Whatever ends the hub (log-off, the end of the event loop) takes the icon away.
Hub::~Hub()
{
    deltubiao();
}

void Hub::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    deltubiao();
    addtubiao();
    trayWatch_.start();
}

bool Hub::categorySearched(int16_t index) const
{
    return categorySearched_[slot(index)] != 0;
}

void Hub::setCategorySearched(int16_t index)
{
    categorySearched_[slot(index)] = 1;
}

void Hub::GetText1(int16_t index)
{
    if (view_)
        view_->setText1(Text1_[slot(index)]);
}

void Hub::SetText1(int16_t index)
{
    if (view_)
        Text1_[slot(index)] = view_->text1();
}

template <typename Steps>
void Hub::command(Steps steps)
{
    // A failure no step reports itself (a cache file the system will not let
    // us read, say) ends the command with a message; the program goes on.
    try {
        steps();
    } catch (const std::exception& failure) {
        seams_.messageBox.show(std::string("操作没有完成：") + failure.what(), "Tarvelo", platform::Buttons::Ok);
    }
}

void Hub::mdefaut()
{
    command([this] { homePage(); });
}

void Hub::homePage()
{
    cshtml page(seams_);
    page.pathn(pagefiles::home);
    const int m = minutesBetween(page.GetFileTime(page.pathn()), seams_.clock.now());
    if (!homePageReusable(m)) {
        std::string body = page.htmlheadno();
        body += page.defaut();
        body += page.htmlfoor();
        page.bodystr(std::move(body));
        page.createhtml();
    }
    show(page.pathn());
}

void Hub::lookup(QueryCategory category, std::string_view file, Content content, const QString& str)
{
    command([&] {
        if (history_)
            history_->add(static_cast<int16_t>(category), str);
        cshtml page(seams_);
        page.pathn(file);
        std::string body = page.htmlhead();
        body += (page.*content)(str.toStdString());
        body += page.htmlfoor();
        page.bodystr(std::move(body));
        page.createhtml();
        show(page.pathn());
    });
}

void Hub::Tariff(const QString& str) { lookup(QueryCategory::Tariff, pagefiles::tariff, &cshtml::Tariff, str); }
void Hub::Export(const QString& str) { lookup(QueryCategory::Export, pagefiles::exportRebate, &cshtml::Export, str); }
void Hub::Commodity(const QString& str)
{
    lookup(QueryCategory::Commodity, pagefiles::commodity, &cshtml::Commodity, str);
}
void Hub::pe_article(const QString& str)
{
    lookup(QueryCategory::pe_article, pagefiles::peArticle, &cshtml::pe_article, str);
}

void Hub::mainqh(int16_t index)
{
    static constexpr std::array<std::string_view, 4> searched = {
        pagefiles::peArticle, pagefiles::commodity, pagefiles::tariff, pagefiles::exportRebate};
    const std::size_t i = slot(index);
    command([&] {
        cshtml page(seams_);
        page.pathn(categorySearched_[i] >= 1 ? searched[i] : pagefiles::home);
        show(page.pathn());
    });
}

void Hub::show(const std::string& path)
{
    if (view_)
        view_->WebBrowser1().Navigate(path);
}

void Hub::setTimerEnabled(bool enabled)
{
    if (enabled)
        Timer1_.start();
    else
        Timer1_.stop();
}

void Hub::Timer1_Timer()
{
    // A connection prompt is waiting for the user: no second exchange, no
    // second prompt on top of it.
    if (seams_.openConnectionPrompts > 0)
        return;
    mmaopao();
}

void Hub::mmaopao()
{
    if (bubbleCycle_)
        command(bubbleCycle_);
}

bool Hub::trayShown() const
{
    return tray_ && tray_->isVisible();
}

void Hub::watchTray()
{
    const bool available = trayAvailable_();
    if (available == trayShown())
        return;
    if (available)
        addtubiao();
    else
        deltubiao();
    emit trayShownChanged(trayShown());
}

void Hub::addtubiao()
{
    if (!trayAvailable_())
        return;
    if (!tray_) {
        tray_ = new QSystemTrayIcon(QIcon(QString::fromLatin1(skin::icon16)), this);
        tray_->setToolTip(tip_);
        tray_->setContextMenu(trayMenu_.menum.get());
        connect(tray_, &QSystemTrayIcon::activated, this, &Hub::trayActivated);
    }
    tray_->show();
}

void Hub::deltubiao()
{
    if (tray_)
        tray_->hide();
}

void Hub::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    // The right button opens the context menu by itself; other events are ignored.
    if (reason == QSystemTrayIcon::Trigger)
        emit showMainWindow();
}

void Hub::mexit()
{
    const std::string prompt = exitPrompt.toStdString();
    const std::string caption = exitCaption.toStdString();
    if (seams_.messageBox.show(prompt, caption, platform::Buttons::OkCancel) != platform::Choice::Ok)
        return;
    deltubiao();
    seams_.processExit.exitNow(0);
}

void Hub::openurl(const QString& url)
{
    platform::openInUserBrowser(QUrl(url));
}

} // namespace tarvelo
