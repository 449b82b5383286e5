#include "watchbubble.h"

#include "bubblecycle.h"
#include "loading.h"
#include "pages/cshtml.h"
#include "pages/pagefiles.h"
#include "service/baseencode.h"
#include "watch/watchpage.h"

#include <QTimer>

#include <filesystem>
#include <utility>

namespace tarvelo {

void WatchBubble::show(const std::vector<watch::RateChange>& changes)
{
    waiting_.insert(waiting_.end(), changes.begin(), changes.end());
    if (waiting_.empty())
        return;
    if (loading* window = cycle_.window(); window && window->isLoaded())
        return retryLater(*window);
    try {
        if (!showWaiting())
            retryLater(*cycle_.window());
    } catch (const std::exception& failure) {
        seams_.messageBox.show(std::string("关注提示没有完成：") + failure.what(), "Tarvelo", platform::Buttons::Ok);
    }
}

void WatchBubble::retryLater(QObject& context)
{
    if (!std::exchange(retrying_, true))
        QTimer::singleShot(retry_, &context, [this] {
            retrying_ = false;
            show({});
        });
}

bool WatchBubble::showWaiting()
{
    const std::string content = watch::changesFragment(waiting_);
    const std::string fingerprint = baseencode::encodestr(content);
    cshtml page(seams_);
    page.pathn(pagefiles::watchFingerprint);
    try {
        if (page.readtxt(pagefiles::watchFingerprint) == fingerprint) {
            waiting_.clear();
            return true;
        }
    } catch (const std::filesystem::filesystem_error&) {
        // Unreadable: shown again rather than a change kept from the user.
    }
    page.pathn(pagefiles::watchBubble);
    page.bodystr(page.htmlheadno() + content + page.htmlfoor());
    page.createhtml();
    if (!cycle_.showPage(page.pathn()))
        return false;
    // Stored only once shown: a page the news kept off the screen is shown later.
    waiting_.clear();
    page.pathn(pagefiles::watchFingerprint);
    page.bodystr(fingerprint);
    page.createhtml();
    return true;
}

} // namespace tarvelo
