#include "postinglists.h"

#include <xapian.h>

namespace tarvelo::server {

PostingLists::PostingLists(std::uint32_t terms)
    : lists_(std::make_unique<std::atomic<const std::vector<std::uint32_t>*>[]>(terms))
{
}

const std::vector<std::uint32_t>& PostingLists::of(const Xapian::Database& db, std::uint32_t number,
                                                   const std::string& term) const
{
    std::atomic<const std::vector<std::uint32_t>*>& slot = lists_[number];
    if (const auto* list = slot.load(std::memory_order_acquire))
        return *list;
    std::vector<std::uint32_t> ids;
    for (auto posting = db.postlist_begin(term); posting != db.postlist_end(term); ++posting)
        ids.push_back(*posting);
    const std::lock_guard lock(mutex_);
    // Another search may have read it meanwhile.
    if (const auto* list = slot.load(std::memory_order_relaxed))
        return *list;
    const auto* list = &read_.emplace_back(std::move(ids));
    slot.store(list, std::memory_order_release);
    return *list;
}

} // namespace tarvelo::server
