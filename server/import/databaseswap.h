#pragma once
// Replacing the service database as a whole: running services read the live
// file, so it is never written. A copy beside it takes the changes and is
// renamed over it, and services notice the new file by its inode (see
// FileStamp). One replacement runs at a time: the copy is taken under an
// exclusive lock on FILE.import-lock, so that two imports cannot start from
// the same version and the second rename drop the first one's tables.
#include <filesystem>
#include <vector>

namespace tarvelo::server {

class DatabaseSwap {
public:
    // Takes the lock, removes what interrupted imports left (see
    // removeLeftovers) and copies the live database to FILE.import-PID.
    explicit DatabaseSwap(const std::filesystem::path& database);
    // Removes the copy unless it replaced the live file.
    ~DatabaseSwap();
    DatabaseSwap(const DatabaseSwap&) = delete;
    DatabaseSwap& operator=(const DatabaseSwap&) = delete;

    // The copy to change.
    const std::filesystem::path& draft() const { return draft_; }
    // The leftovers of interrupted imports removed on the way.
    const std::vector<std::filesystem::path>& leftovers() const { return leftovers_; }
    // Renames the copy over the live file, with the live file's permissions.
    void replace();

private:
    const std::filesystem::path database_;
    std::filesystem::path draft_;
    std::vector<std::filesystem::path> leftovers_;
    int lock_ = -1;
    bool replaced_ = false;
};

} // namespace tarvelo::server
