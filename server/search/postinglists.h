#pragma once
// The entries holding a term, read from a word index the first time a term is
// asked about and kept for the index's life (at most every posting of the
// index: a few megabytes). Counting the words each candidate of a query holds
// then reads nothing from disk for terms asked about before, where walking
// the index's own posting lists costs a read of a block for every term.
// Safe to use from several threads at once.
#include <cstdint>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Xapian {
class Database;
} // namespace Xapian

namespace tarvelo::server {

class PostingLists {
public:
    // Document ids, ascending; the list stays valid as long as this object.
    const std::vector<std::uint32_t>& of(const Xapian::Database& db, const std::string& term) const;

private:
    mutable std::shared_mutex mutex_;
    mutable std::unordered_map<std::string, std::vector<std::uint32_t>> lists_;
};

} // namespace tarvelo::server
