#pragma once
// One news list (the home list or the bubble list) and its rendered answer.
// The list follows its source, a CSV file or the list stored in the service
// database: at most once per check interval the file is looked at (see
// FileStamp), and a changed file is read again, so an operator publishes news
// by saving the file or importing into the database.
#include "filestamp.h"
#include "records.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// The list as HTML: <ul><li><a href='...' target='_blank'>title</a> <span>date</span></li>...</ul>.
// Links starting with "/" are prefixed with siteBase.
std::string newsMarkup(const std::vector<NewsItem>& items, std::string_view siteBase);

// Reads a news file: CSV with the columns title, link, date.
std::vector<NewsItem> readNewsFile(const std::filesystem::path& file);

// Where a list comes from: the file to watch and how to read the list from it.
struct NewsSource {
    std::filesystem::path file;
    std::function<std::vector<NewsItem>(const std::filesystem::path&)> read;
};
// A CSV file (see readNewsFile).
NewsSource newsFile(std::filesystem::path file);
// The list ("news" or "bubble") stored in the service database.
NewsSource storedNews(std::filesystem::path database, std::string list);

class NewsFeed {
public:
    // name ("mdefaut", "maopao") heads the feed's log lines.
    NewsFeed(std::string name, NewsSource source, std::chrono::milliseconds checkInterval = std::chrono::seconds(1));

    // Whether the list was read from its source at least once.
    bool loaded();

    // The list as render writes it, kept under key until the list changes,
    // so that a polled answer is rendered once per key rather than per poll.
    using Render = std::function<std::string(const std::vector<NewsItem>&)>;
    std::shared_ptr<const std::string> rendered(const std::string& key, const Render& render);

private:
    void refreshIfDue();

    const std::string name_;
    const NewsSource source_;
    const std::chrono::milliseconds checkInterval_;

    std::mutex mutex_;
    std::vector<NewsItem> items_;
    bool loaded_ = false;
    std::chrono::steady_clock::time_point nextCheck_{};
    std::optional<FileStamp> stamp_;
    bool missingReported_ = false;
    // Rendered lists by key; emptied whenever the list changes.
    std::map<std::string, std::shared_ptr<const std::string>, std::less<>> rendered_;
};

} // namespace tarvelo::server
