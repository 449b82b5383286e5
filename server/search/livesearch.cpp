#include "livesearch.h"

#include "filestamp.h"
#include "log.h"
#include "today.h"

#include <condition_variable>
#include <mutex>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tarvelo::server {
namespace {

std::shared_ptr<const SearchCatalogue> read(const std::filesystem::path& database, std::uint64_t generation,
                                            const std::string& today)
{
    auto catalogue = std::make_shared<const SearchCatalogue>(readSearchSource(database, today), generation, today,
                                                             wordIndexesOf(database));
#ifdef __GLIBC__
    // Reading the records and building word indexes frees far more than the
    // catalogue keeps; glibc holds on to freed memory unless asked to give it back.
    ::malloc_trim(0);
#endif
    return catalogue;
}

} // namespace

std::filesystem::path wordIndexesOf(const std::filesystem::path& database)
{
    return database.parent_path() / (database.filename().string() + ".words");
}

LiveSearch::LiveSearch(std::filesystem::path database, std::string fixedToday, std::chrono::milliseconds checkInterval)
    : database_(std::move(database)), fixedToday_(std::move(fixedToday)), checkInterval_(checkInterval),
      databaseStamp_(stampOf(database_))
{
    current_.store(read(database_, generation_, dateToday(fixedToday_)));
    watcher_ = std::jthread([this](const std::stop_token& stop) { watch(stop); });
}

void LiveSearch::watch(const std::stop_token& stop)
{
    std::mutex mutex;
    std::condition_variable_any stopped;
    std::unique_lock lock(mutex);
    while (!stopped.wait_for(lock, stop, checkInterval_, [] { return false; }) && !stop.stop_requested())
        reloadIfChanged();
}

void LiveSearch::reloadIfChanged()
{
    const auto stamp = stampOf(database_);
    const std::string today = dateToday(fixedToday_);
    if (!stamp || (stamp == databaseStamp_ && today == current_.load()->today()))
        return;
    try {
        current_.store(read(database_, generation_ + 1, today));
        ++generation_;
        databaseStamp_ = stamp;
    } catch (const std::exception& e) {
        // Half-replaced or locked for longer than the busy time-out: keep
        // serving the last catalogue and try again at the next check.
        logLine(std::string("cannot read the search catalogue again: ") + e.what());
    }
}

} // namespace tarvelo::server
