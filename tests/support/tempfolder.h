#pragma once
#include <filesystem>

namespace tarvelo::testkit {

// A fresh folder under the system temp folder, removed with its content when
// the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace tarvelo::testkit
