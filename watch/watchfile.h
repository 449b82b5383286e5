#pragma once
// The watch list's file in the user's data folder: JSON in UTF-8, written
// whole through a temporary file, so that a crash leaves the last list.
#include "rates.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarvelo::watch {

struct LoadedList {
    std::vector<WatchedLine> lines;
    // When the file could not be read as a watch list: where it was moved
    // (FILE.damaged-DATE) and why, for the user; empty otherwise.
    std::string damaged;
};

// The list in file; none when there is no file. A damaged file is moved
// aside, never overwritten, and the list starts empty.
LoadedList loadWatchList(const std::filesystem::path& file, const std::string& today);

// Throws std::runtime_error with the reason when the file cannot be written.
void saveWatchList(const std::filesystem::path& file, const std::vector<WatchedLine>& lines);

} // namespace tarvelo::watch
