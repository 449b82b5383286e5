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
    // Shows another page of the cache folder in the bubble window (the watch
    // list's). Loading the window runs mmaopao once more; when that shows a
    // changed news list, the news keeps the window and the answer is false:
    // the caller's page waits for the next time.
    bool showPage(const std::string& path);

    // The bubble window, or null before the first change was shown.
    loading* window() const { return loading_.get(); }

private:
    static const Desktop& defaultDesktop();
    // The bubble window, created on first use.
    loading& bubble();
    // Points the bubble window at a page and shows it.
    void present(const std::string& path);

    platform::Seams& seams_;
    BubbleHost& host_;
    unsigned newsShown_ = 0; // how often mmaopao showed a changed list
    const Desktop& desktop_;
    std::unique_ptr<loading> loading_;
};

} // namespace tarvelo
