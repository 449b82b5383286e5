#pragma once

namespace tarvelo::platform {

// Ends the process at once: no window gets its closing steps, no further code
// of the program runs. Test fakes record the call and return instead.
class ProcessExit {
public:
    virtual ~ProcessExit() = default;
    virtual void exitNow(int code) = 0;
};

} // namespace tarvelo::platform
