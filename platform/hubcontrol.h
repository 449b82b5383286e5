#pragma once

namespace tarvelo::platform {

// What the service client needs of the hub when an exchange fails: removing
// the tray icon before the program ends, and switching the bubble timer off.
class HubControl {
public:
    virtual ~HubControl() = default;
    virtual void deltubiao() = 0;
    virtual void setTimerEnabled(bool enabled) = 0;
};

} // namespace tarvelo::platform
