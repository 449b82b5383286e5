#pragma once
// Stand-ins for the hub and the screen, for the bubble tests.
#include "bubble/bubblehost.h"
#include "bubble/desktop.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvelo::bubbletest {

// Records what the bubble does with the hub, and forwards the hub command.
class FakeHost : public BubbleHost {
public:
    void setTimerEnabled(bool enabled) override
    {
        timerEnabled = enabled;
        events.push_back(enabled ? "timer on" : "timer off");
        if (onTimerSwitch)
            onTimerSwitch(enabled);
    }
    void mmaopao() override
    {
        ++mmaopaoCalls;
        events.push_back("mmaopao");
        if (command)
            command();
    }

    bool timerEnabled = true;
    int mmaopaoCalls = 0;
    std::vector<std::string> events;
    std::function<void()> command;
    std::function<void(bool)> onTimerSwitch;
};

// A 1920 × 1080 screen; the work area is set by the test.
class FakeDesktop : public Desktop {
public:
    QRect screen() const override { return screenRect; }
    QRect workArea() const override { return work; }

    QRect screenRect{0, 0, 1920, 1080};
    QRect work{0, 0, 1920, 1040};
};

} // namespace tarvelo::bubbletest
