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

// The folder of the running executable. An installed program (under /usr, or
// in a folder the user cannot write) keeps its cache in the user's data folder
// instead, since the executable's folder is shared and read-only.
class ApplicationFolder : public ProgramFolder {
public:
    std::filesystem::path path() const override;
};

} // namespace tarvelo::platform
