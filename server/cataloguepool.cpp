#include "cataloguepool.h"

namespace tarvelo::server {

CataloguePool::CataloguePool(std::filesystem::path database) : database_(std::move(database))
{
    // Opening one connection up front reports a broken database at start-up.
    idle_.push_back(std::make_unique<Catalogue>(database_));
}

CataloguePool::Lease CataloguePool::lease()
{
    {
        const std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            auto catalogue = std::move(idle_.back());
            idle_.pop_back();
            return Lease(*this, std::move(catalogue));
        }
    }
    return Lease(*this, std::make_unique<Catalogue>(database_));
}

void CataloguePool::giveBack(std::unique_ptr<Catalogue> catalogue)
{
    const std::lock_guard lock(mutex_);
    idle_.push_back(std::move(catalogue));
}

} // namespace tarvelo::server
