#include "watchbubble.h"

#include "bubblecycle.h"
#include "pages/cshtml.h"
#include "pages/pagefiles.h"
#include "service/baseencode.h"
#include "watch/watchpage.h"

#include <filesystem>

namespace tarvelo {

void WatchBubble::show(const std::vector<watch::RateChange>& changes)
{
    if (changes.empty())
        return;
    const std::string content = watch::changesFragment(changes);
    const std::string fingerprint = baseencode::encodestr(content);
    cshtml page(seams_);
    page.pathn(pagefiles::watchFingerprint);
    try {
        if (page.readtxt(pagefiles::watchFingerprint) == fingerprint)
            return;
    } catch (const std::filesystem::filesystem_error&) {
        // Unreadable: shown again rather than a change kept from the user.
    }
    page.bodystr(fingerprint);
    page.createhtml();

    page.pathn(pagefiles::watchBubble);
    page.bodystr(page.htmlheadno() + content + page.htmlfoor());
    page.createhtml();
    cycle_.showPage(page.pathn());
}

} // namespace tarvelo
