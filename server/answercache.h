#pragma once
// Rendered search answers, kept so that a repeated search costs a lookup.
// Bounded by total size, least recently used first out. Emptied when the
// database file changes (an import), which is checked at most once per
// check interval; until then an answer may be up to that old.
#include <chrono>
#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace tarvelo::server {

class AnswerCache {
public:
    AnswerCache(std::filesystem::path database, std::size_t capacityBytes,
                std::chrono::milliseconds checkInterval = std::chrono::seconds(1));

    // nullptr when not cached (always, with a capacity of 0).
    std::shared_ptr<const std::string> find(const std::string& key);
    void store(const std::string& key, std::shared_ptr<const std::string> answer);

private:
    struct Entry {
        std::string key;
        std::shared_ptr<const std::string> answer;
    };
    void dropIfDatabaseChanged();
    void clear();

    const std::filesystem::path database_;
    const std::size_t capacity_;
    const std::chrono::milliseconds checkInterval_;

    std::mutex mutex_;
    std::list<Entry> entries_; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
    std::size_t bytes_ = 0;
    std::chrono::steady_clock::time_point nextCheck_{};
    std::optional<std::filesystem::file_time_type> databaseTime_;
};

} // namespace tarvelo::server
