#pragma once
// Read-only catalogue connections shared by the request threads: a thread
// leases one for a request and hands it back afterwards, so statements are
// prepared once per connection, not per request. An import renames a new
// database over the old one; at most once per check interval the file is
// looked at (see FileStamp), and once it was replaced the idle connections
// are closed and the leased ones are closed when handed back, so new leases
// read the new file. A leased connection keeps reading the file it opened
// (an unchanging copy, since imports never write the live file), so one
// request sees one version of the data.
#include "catalogue.h"
#include "filestamp.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace tarvelo::server {

class CataloguePool {
public:
    explicit CataloguePool(std::filesystem::path database,
                           std::chrono::milliseconds checkInterval = std::chrono::seconds(1));

    class Lease {
    public:
        Lease(CataloguePool& pool, std::unique_ptr<Catalogue> catalogue, std::uint64_t generation)
            : pool_(pool), catalogue_(std::move(catalogue)), generation_(generation) {}
        ~Lease() { pool_.giveBack(std::move(catalogue_), generation_); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Catalogue* operator->() const { return catalogue_.get(); }

    private:
        CataloguePool& pool_;
        std::unique_ptr<Catalogue> catalogue_;
        const std::uint64_t generation_;
    };

    // An idle connection, or a new one when all are in use.
    Lease lease();

private:
    void giveBack(std::unique_ptr<Catalogue> catalogue, std::uint64_t generation);
    // Called with mutex_ held.
    void forgetIfReplaced();

    const std::filesystem::path database_;
    const std::chrono::milliseconds checkInterval_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Catalogue>> idle_;
    std::uint64_t generation_ = 0;
    std::optional<FileStamp> stamp_;
    std::chrono::steady_clock::time_point nextCheck_;
};

} // namespace tarvelo::server
