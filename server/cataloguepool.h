#pragma once
// Read-only catalogue connections shared by the request threads: a thread
// leases one for a request and hands it back afterwards, so statements are
// prepared once per connection, not per request.
#include "catalogue.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

namespace tarvelo::server {

class CataloguePool {
public:
    explicit CataloguePool(std::filesystem::path database);

    class Lease {
    public:
        Lease(CataloguePool& pool, std::unique_ptr<Catalogue> catalogue)
            : pool_(pool), catalogue_(std::move(catalogue)) {}
        ~Lease() { pool_.giveBack(std::move(catalogue_)); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Catalogue* operator->() const { return catalogue_.get(); }

    private:
        CataloguePool& pool_;
        std::unique_ptr<Catalogue> catalogue_;
    };

    // An idle connection, or a new one when all are in use.
    Lease lease();

private:
    void giveBack(std::unique_ptr<Catalogue> catalogue);

    std::filesystem::path database_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Catalogue>> idle_;
};

} // namespace tarvelo::server
