#pragma once
// The search catalogue of the service database as last read. The file is
// checked at most once per check interval (see FileStamp); when it changed
// (an import renamed a new file over it) or the day changed (other rates may
// be in force), a thread of its own reads a new catalogue while searches go on
// with the old one, which lives until its last search ends. No search waits
// for a read: one takes seconds with the whole data.
#include "filestamp.h"
#include "searchcatalogue.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace tarvelo::server {

// Where the word indexes of a database's catalogues are kept, so that a
// start or another replica with the same data opens them instead of
// building them: a folder beside the database.
std::filesystem::path wordIndexesOf(const std::filesystem::path& database);

class LiveSearch {
public:
    // Reads the first catalogue; throws when the database cannot be read.
    // fixedToday: the day whose rates to answer with (2026-01-01); empty: today.
    explicit LiveSearch(std::filesystem::path database, std::string fixedToday = {},
                        std::chrono::milliseconds checkInterval = std::chrono::seconds(1));

    std::shared_ptr<const SearchCatalogue> current() const { return current_.load(); }

private:
    void watch(const std::stop_token& stop);
    void reloadIfChanged();

    const std::filesystem::path database_;
    const std::string fixedToday_;
    const std::chrono::milliseconds checkInterval_;
    std::atomic<std::shared_ptr<const SearchCatalogue>> current_;
    // Used by the watcher thread alone once it runs.
    std::optional<FileStamp> databaseStamp_;
    std::uint64_t generation_ = 0;
    std::jthread watcher_; // last: stopped and joined before the rest goes
};

} // namespace tarvelo::server
