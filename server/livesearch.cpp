#include "livesearch.h"

#include "filestamp.h"
#include "log.h"
#include "today.h"

namespace tarvelo::server {
namespace {

using Clock = std::chrono::steady_clock;

std::shared_ptr<const SearchCatalogue> read(const std::filesystem::path& database, std::uint64_t generation,
                                            const std::string& today)
{
    Connection db(database, Connection::Mode::ReadOnly);
    return std::make_shared<const SearchCatalogue>(db, generation, today);
}

} // namespace

LiveSearch::LiveSearch(std::filesystem::path database, std::string fixedToday, std::chrono::milliseconds checkInterval)
    : database_(std::move(database)), fixedToday_(std::move(fixedToday)), checkInterval_(checkInterval),
      databaseStamp_(stampOf(database_))
{
    current_.store(read(database_, generation_, dateToday(fixedToday_)));
    nextCheck_.store((Clock::now() + checkInterval_).time_since_epoch().count());
}

std::shared_ptr<const SearchCatalogue> LiveSearch::current()
{
    if (Clock::now().time_since_epoch().count() >= nextCheck_.load(std::memory_order_relaxed))
        reloadIfChanged();
    return current_.load();
}

void LiveSearch::reloadIfChanged()
{
    const std::unique_lock lock(reloading_, std::try_to_lock);
    if (!lock.owns_lock())
        return; // another thread is checking
    nextCheck_.store((Clock::now() + checkInterval_).time_since_epoch().count(), std::memory_order_relaxed);
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
