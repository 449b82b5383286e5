#pragma once
// One news list (the home list or the bubble list) and its rendered answer.
// With a file the list follows the file: at most once per check interval the
// file's time and size are looked at, and a changed file is read again, so an
// operator publishes news by saving the file. Without a file the list is the
// one stored in the database.
#include "records.h"
#include "soaprequest.h"

#include <chrono>
#include <filesystem>
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

class NewsFeed {
public:
    NewsFeed(Operation operation, std::optional<std::filesystem::path> file, std::vector<NewsItem> storedItems,
             std::chrono::milliseconds checkInterval = std::chrono::seconds(1));

    // The complete SOAP answer for a request in namespace ns from site siteBase.
    std::shared_ptr<const std::string> answer(std::string_view ns, std::string_view siteBase);

private:
    void refreshIfDue();

    const Operation operation_;
    const std::optional<std::filesystem::path> file_;
    const std::chrono::milliseconds checkInterval_;

    std::mutex mutex_;
    std::vector<NewsItem> items_;
    std::chrono::steady_clock::time_point nextCheck_{};
    std::optional<std::filesystem::file_time_type> fileTime_;
    std::uintmax_t fileSize_ = 0;
    bool missingReported_ = false;
    // Rendered answers by namespace and site; emptied whenever the list changes.
    std::map<std::string, std::shared_ptr<const std::string>, std::less<>> answers_;
};

} // namespace tarvelo::server
