#pragma once
#include "platform/seams.h"
#include "watch/changes.h"

#include <vector>

namespace tarvelo {

class BubbleCycle;

// The watch list's bubble: the changes found by a check, written as a page of
// their own with a fingerprint of their own (the news bubble's are left
// alone), shown in the bubble window unless that very page was shown last.
class WatchBubble {
public:
    WatchBubble(platform::Seams& seams, BubbleCycle& cycle) : seams_(seams), cycle_(cycle) {}

    void show(const std::vector<watch::RateChange>& changes);

private:
    platform::Seams& seams_;
    BubbleCycle& cycle_;
};

} // namespace tarvelo
