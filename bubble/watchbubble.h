#pragma once
#include "platform/seams.h"
#include "watch/changes.h"

#include <chrono>
#include <vector>

class QObject;

namespace tarvelo {

class BubbleCycle;

// The watch list's bubble: the changes found by a check, written as a page of
// their own with a fingerprint of their own (the news bubble's are left
// alone), shown in the bubble window unless that very page was shown last.
// A bubble on screen is never replaced: the changes wait until it has gone.
class WatchBubble {
public:
    WatchBubble(platform::Seams& seams, BubbleCycle& cycle,
                std::chrono::milliseconds retry = std::chrono::seconds(5))
        : seams_(seams), cycle_(cycle), retry_(retry) {}

    // Failures are reported to the user, never thrown.
    void show(const std::vector<watch::RateChange>& changes);

private:
    // False when the news bubble took the window first: the changes wait.
    bool showWaiting();
    void retryLater(QObject& context);

    platform::Seams& seams_;
    BubbleCycle& cycle_;
    const std::chrono::milliseconds retry_;
    std::vector<watch::RateChange> waiting_;
    bool retrying_ = false;
};

} // namespace tarvelo
