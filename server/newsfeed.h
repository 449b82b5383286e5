#pragma once
// One news list (the home list or the bubble list) and its rendered answer.
// The list follows its source, a CSV file or the list stored in the service
// database: at most once per check interval the file is looked at (see
// FileStamp), and a changed file is read again, so an operator publishes news
// by saving the file or importing into the database.
#include "filestamp.h"
#include "records.h"
#include "soaprequest.h"

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
    NewsFeed(Operation operation, NewsSource source, std::chrono::milliseconds checkInterval = std::chrono::seconds(1));

    // Whether the list was read from its source at least once.
    bool loaded();

    // The complete SOAP answer for a request in namespace ns from site siteBase.
    std::shared_ptr<const std::string> answer(std::string_view ns, std::string_view siteBase);

private:
    void refreshIfDue();

    const Operation operation_;
    const NewsSource source_;
    const std::chrono::milliseconds checkInterval_;

    std::mutex mutex_;
    std::vector<NewsItem> items_;
    bool loaded_ = false;
    std::chrono::steady_clock::time_point nextCheck_{};
    std::optional<FileStamp> stamp_;
    bool missingReported_ = false;
    // Rendered answers by namespace and site; emptied whenever the list changes.
    std::map<std::string, std::shared_ptr<const std::string>, std::less<>> answers_;
};

} // namespace tarvelo::server
