#pragma once

namespace tarvelo {

// What the bubble window and the bubble cycle use of the hub.
class BubbleHost {
public:
    virtual ~BubbleHost() = default;
    // The hub timer that drives the bubble refresh.
    virtual void setTimerEnabled(bool enabled) = 0;
    // One run of the bubble refresh.
    virtual void mmaopao() = 0;
};

} // namespace tarvelo
