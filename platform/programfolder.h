#pragma once
#include <filesystem>

namespace tarvelo::platform {

// The folder that holds the running executable, without a trailing separator.
class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    virtual std::filesystem::path path() const = 0;
};

} // namespace tarvelo::platform
