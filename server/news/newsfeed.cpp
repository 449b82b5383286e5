#include "newsfeed.h"

#include "catalogue.h"
#include "csv.h"
#include "encoding.h"
#include "escape.h"
#include "log.h"

#include <fstream>
#include <sstream>

namespace tarvelo::server {
namespace {

// A client that sends a different host name on every request must not grow
// the rendered lists without bound.
constexpr size_t maxRendered = 32;

std::string readWhole(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw std::runtime_error("cannot read " + file.string());
    return text.str();
}

} // namespace

std::string newsMarkup(const std::vector<NewsItem>& items, std::string_view siteBase)
{
    std::string html = "<ul>";
    for (const NewsItem& item : items) {
        html += "<li><a href='";
        if (item.link.starts_with('/'))
            appendAttribute(html, siteBase);
        appendAttribute(html, item.link);
        html += "' target='_blank'>";
        appendText(html, item.title);
        html += "</a>";
        if (!item.date.empty()) {
            // The client's style block covers only the links; keep the date quiet.
            html += " <span style='color:#999;font-size:12px'>";
            appendText(html, item.date);
            html += "</span>";
        }
        html += "</li>";
    }
    html += "</ul>";
    return html;
}

std::vector<NewsItem> readNewsFile(const std::filesystem::path& file)
{
    const CsvTable table(decodeCsvText(readWhole(file), file.string()), file.string());
    table.require({"title", "link", "date"});
    std::vector<NewsItem> items;
    for (size_t r = 0; r < table.size(); ++r)
        items.push_back({table.field(r, "title"), table.field(r, "link"), table.field(r, "date")});
    return items;
}

NewsSource newsFile(std::filesystem::path file)
{
    return {std::move(file), readNewsFile};
}

NewsSource storedNews(std::filesystem::path database, std::string list)
{
    return {std::move(database), [list = std::move(list)](const std::filesystem::path& file) {
                // A connection of its own: the pooled ones may still read the replaced file.
                return Catalogue(file).news(list);
            }};
}

NewsFeed::NewsFeed(std::string name, NewsSource source, std::chrono::milliseconds checkInterval)
    : name_(std::move(name)), source_(std::move(source)), checkInterval_(checkInterval)
{
    const std::lock_guard lock(mutex_);
    refreshIfDue();
}

bool NewsFeed::loaded()
{
    const std::lock_guard lock(mutex_);
    refreshIfDue();
    return loaded_;
}

std::shared_ptr<const std::string> NewsFeed::rendered(const std::string& key, const Render& render)
{
    const std::lock_guard lock(mutex_);
    refreshIfDue();
    if (const auto it = rendered_.find(key); it != rendered_.end())
        return it->second;
    if (rendered_.size() >= maxRendered)
        rendered_.clear();
    auto text = std::make_shared<const std::string>(render(items_));
    rendered_.emplace(key, text);
    return text;
}

void NewsFeed::refreshIfDue()
{
    const auto now = std::chrono::steady_clock::now();
    if (now < nextCheck_)
        return;
    nextCheck_ = now + checkInterval_;

    const auto stamp = stampOf(source_.file);
    if (!stamp) {
        if (!missingReported_)
            logLine(name_ + ": cannot look at " + source_.file.string() +
                    "; keeping the " + std::to_string(items_.size()) + " items read before");
        missingReported_ = true;
        return;
    }
    missingReported_ = false;
    if (stamp == stamp_)
        return;
    try {
        items_ = source_.read(source_.file);
        loaded_ = true;
        logLine(name_ + ": " + std::to_string(items_.size()) + " news items read from " +
                source_.file.string());
    } catch (const std::exception& e) {
        logLine(name_ + ": " + e.what() + "; keeping the " +
                std::to_string(items_.size()) + " items read before");
    }
    stamp_ = stamp;
    rendered_.clear();
}

} // namespace tarvelo::server
