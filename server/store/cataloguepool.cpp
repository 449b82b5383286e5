#include "cataloguepool.h"

namespace tarvelo::server {

CataloguePool::CataloguePool(std::filesystem::path database, std::chrono::milliseconds checkInterval)
    : database_(std::move(database)), checkInterval_(checkInterval), stamp_(stampOf(database_)),
      nextCheck_(std::chrono::steady_clock::now() + checkInterval_)
{
    // Opening one connection up front reports a broken database at start-up.
    idle_.push_back(std::make_unique<Catalogue>(database_));
}

CataloguePool::Lease CataloguePool::lease()
{
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(mutex_);
        forgetIfReplaced();
        generation = generation_;
        if (!idle_.empty()) {
            auto catalogue = std::move(idle_.back());
            idle_.pop_back();
            return Lease(*this, std::move(catalogue), generation);
        }
    }
    // The stamp is taken before the file is opened: should it be replaced in
    // between, the next check notices and this connection is not kept.
    return Lease(*this, std::make_unique<Catalogue>(database_), generation);
}

void CataloguePool::giveBack(std::unique_ptr<Catalogue> catalogue, std::uint64_t generation)
{
    const std::lock_guard lock(mutex_);
    if (generation == generation_)
        idle_.push_back(std::move(catalogue));
}

void CataloguePool::forgetIfReplaced()
{
    const auto now = std::chrono::steady_clock::now();
    if (now < nextCheck_)
        return;
    nextCheck_ = now + checkInterval_;
    const auto stamp = stampOf(database_);
    if (!stamp || stamp == stamp_)
        return;
    stamp_ = stamp;
    ++generation_;
    idle_.clear();
}

} // namespace tarvelo::server
