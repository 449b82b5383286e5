#pragma once
// The search catalogue of the service database as last read. The file is
// checked at most once per check interval (see FileStamp); when it changed
// (an import renamed a new file over it) or the day changed (other rates may
// be in force), the thread that noticed reads a new catalogue while the others
// go on searching the old one, which lives until its last search ends.
#include "filestamp.h"
#include "searchcatalogue.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace tarvelo::server {

class LiveSearch {
public:
    // Reads the first catalogue; throws when the database cannot be read.
    // fixedToday: the day whose rates to answer with (2026-01-01); empty: today.
    explicit LiveSearch(std::filesystem::path database, std::string fixedToday = {},
                        std::chrono::milliseconds checkInterval = std::chrono::seconds(1));

    std::shared_ptr<const SearchCatalogue> current();

private:
    void reloadIfChanged();

    const std::filesystem::path database_;
    const std::string fixedToday_;
    const std::chrono::milliseconds checkInterval_;
    std::atomic<std::shared_ptr<const SearchCatalogue>> current_;
    std::atomic<std::chrono::steady_clock::rep> nextCheck_{0};

    std::mutex reloading_; // guards what follows
    std::optional<FileStamp> databaseStamp_;
    std::uint64_t generation_ = 0;
};

} // namespace tarvelo::server
