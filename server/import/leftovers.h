#pragma once
// Files an interrupted import or database creation leaves beside the
// database: FILE.import-PID and FILE.new-PID, with SQLite's -journal, -wal
// and -shm files beside them.
#include <filesystem>
#include <vector>

namespace tarvelo::server {

// Removes the leftovers of processes that no longer run and returns their
// paths. Call it holding the import lock (see DatabaseSwap): no import is
// then under way, and a database being created is skipped since its process
// still runs.
std::vector<std::filesystem::path> removeLeftovers(const std::filesystem::path& database);

} // namespace tarvelo::server
