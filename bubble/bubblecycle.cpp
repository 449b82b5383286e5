#include "bubblecycle.h"

#include "desktop.h"
#include "loading.h"
#include "pages/cshtml.h"
#include "pages/pagefiles.h"
#include "platform/browsercontrol.h"
#include "service/baseencode.h"

#include <filesystem>

namespace tarvelo {

BubbleCycle::BubbleCycle(platform::Seams& seams, BubbleHost& host, const Desktop& desktop)
    : seams_(seams), host_(host), desktop_(desktop)
{
}

BubbleCycle::~BubbleCycle() = default;

const Desktop& BubbleCycle::defaultDesktop()
{
    return PrimaryScreen::instance();
}

loading& BubbleCycle::bubble()
{
    if (!loading_)
        loading_ = std::make_unique<loading>(host_, desktop_);
    return *loading_;
}

void BubbleCycle::mmaopao()
{
    cshtml page(seams_);
    page.pathn(pagefiles::fingerprint);
    const std::string content = page.maopao();
    std::string stored;
    try {
        stored = page.readtxt(pagefiles::fingerprint);
    } catch (const std::filesystem::filesystem_error&) {
        // An unreadable fingerprint decides nothing: no file is written and
        // nothing is shown.
        return;
    }
    if (baseencode::encodestr(content) == stored)
        return;

    // Every maopao call asks the service anew: the stored fingerprint is that
    // of this second answer, the page that of the third.
    page.bodystr(baseencode::encodestr(page.maopao()));
    page.createhtml();

    page.pathn(pagefiles::bubble);
    std::string text = page.htmlheadno();
    text += page.maopao();
    text += page.htmlfoor();
    page.bodystr(std::move(text));
    page.createhtml();

    ++newsShown_;
    present(page.pathn());
}

bool BubbleCycle::showPage(const std::string& path)
{
    const unsigned before = newsShown_;
    bubble().Load();
    if (newsShown_ != before)
        return false;
    present(path);
    return true;
}

void BubbleCycle::present(const std::string& path)
{
    // Touching the browser of a window that is not loaded loads it, and its
    // load runs mmaopao once more through the hub.
    loading& window = bubble();
    window.WebBrowser1().Navigate(path);
    window.Load();
    window.show();
}

} // namespace tarvelo
