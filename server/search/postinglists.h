#pragma once
// The entries holding a term, read from a word index the first time a term is
// asked about and kept for the index's life (at most every posting of the
// index: a few megabytes). Counting the words each candidate of a query holds
// then reads nothing from disk for terms asked about before, where walking
// the index's own posting lists costs a read of a block for every term.
// Safe to use from several threads at once.
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Xapian {
class Database;
} // namespace Xapian

namespace tarvelo::server {

class PostingLists {
public:
    // For the terms of an index, by their numbers from 0 to terms - 1 (see
    // IndexVocabulary::numberOf).
    explicit PostingLists(std::uint32_t terms);

    // Document ids, ascending, of the term numbered number; the list stays
    // valid as long as this object.
    const std::vector<std::uint32_t>& of(const Xapian::Database& db, std::uint32_t number, const std::string& term) const;

private:
    // Set once a term's list is read: a list already read is found without a lock.
    std::unique_ptr<std::atomic<const std::vector<std::uint32_t>*>[]> lists_;
    mutable std::mutex mutex_;
    mutable std::deque<std::vector<std::uint32_t>> read_; // the lists, where they stay
};

} // namespace tarvelo::server
