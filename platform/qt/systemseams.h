#pragma once
// The machine's clock, process end and program folder.
#include "platform/clock.h"
#include "platform/processexit.h"
#include "platform/programfolder.h"

namespace tarvelo::platform {

class SystemClock : public Clock {
public:
    std::chrono::system_clock::time_point now() const override;
};

// Ends the process on the spot: no destructors, no event processing.
class ImmediateExit : public ProcessExit {
public:
    [[noreturn]] void exitNow(int code) override;
};

// The folder of the running executable.
class ApplicationFolder : public ProgramFolder {
public:
    std::filesystem::path path() const override;
};

} // namespace tarvelo::platform
