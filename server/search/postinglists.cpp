#include "postinglists.h"

#include <xapian.h>

#include <mutex>

namespace tarvelo::server {

const std::vector<std::uint32_t>& PostingLists::of(const Xapian::Database& db, const std::string& term) const
{
    {
        const std::shared_lock lock(mutex_);
        if (const auto found = lists_.find(term); found != lists_.end())
            return found->second; // elements of an unordered_map stay where they are
    }
    std::vector<std::uint32_t> ids;
    for (auto posting = db.postlist_begin(term); posting != db.postlist_end(term); ++posting)
        ids.push_back(*posting);
    const std::unique_lock lock(mutex_);
    return lists_.try_emplace(term, std::move(ids)).first->second;
}

} // namespace tarvelo::server
