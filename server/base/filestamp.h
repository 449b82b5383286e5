#pragma once
// What tells that a file changed: its identity (device and inode), size and
// modification time. A file replaced by a rename gets a new inode even when
// its time and size match the old one's, which time and size alone would miss.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace tarvelo::server {

struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// nullopt when the file cannot be looked at (missing, no permission).
std::optional<FileStamp> stampOf(const std::filesystem::path& file);

} // namespace tarvelo::server
