#pragma once
#include <chrono>

namespace tarvelo::platform {

// The wall clock, so that time-dependent rules can be tested with a set time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
};

} // namespace tarvelo::platform
