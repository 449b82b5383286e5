#pragma once
#include "platform/seams.h"

#include <memory>
#include <string>

namespace tarvelo {

class BubbleHost;
class Desktop;
class loading;

// The bubble refresh: fetches the bubble list, compares its fingerprint with
// the one stored in the cache folder and, when they differ, stores the new
// one, writes the bubble page and shows it in the bubble window. The hub owns
// the cycle and forwards its command mmaopao to it on every timer tick; the
// bubble window's load runs the command once more through the hub.
class BubbleCycle {
public:
    BubbleCycle(platform::Seams& seams, BubbleHost& host,
                const Desktop& desktop = defaultDesktop());
    ~BubbleCycle();
    BubbleCycle(const BubbleCycle&) = delete;
    BubbleCycle& operator=(const BubbleCycle&) = delete;

    void mmaopao();
    // Points the bubble window at a page of the cache folder and shows it;
    // the watch list's bubble rises through this too.
    void showPage(const std::string& path);

    // The bubble window, or null before the first change was shown.
    loading* window() const { return loading_.get(); }

private:
    static const Desktop& defaultDesktop();
    // The bubble window, created on first use.
    loading& bubble();

    platform::Seams& seams_;
    BubbleHost& host_;
    const Desktop& desktop_;
    std::unique_ptr<loading> loading_;
};

} // namespace tarvelo
