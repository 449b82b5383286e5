#pragma once
// The terms a word index holds and its synonyms, read into memory once the
// index is whole. A query's words are looked up here rather than in the
// index's files, where every lookup reads blocks from disk: a query then asks
// the index only for terms it holds, and for spelling only about words
// nothing holds.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Xapian {
class Database;
} // namespace Xapian

namespace tarvelo::server {

class IndexVocabulary {
public:
    IndexVocabulary() = default;
    explicit IndexVocabulary(const Xapian::Database& db);

    // The number of a term some entry holds, from 0 to size() - 1 (see
    // PostingLists); none for any other.
    std::optional<std::uint32_t> numberOf(const std::string& term) const
    {
        const auto found = terms_.find(term);
        return found == terms_.end() ? std::nullopt : std::optional(found->second);
    }
    bool holds(const std::string& term) const { return terms_.contains(term); }
    std::uint32_t size() const { return static_cast<std::uint32_t>(terms_.size()); }
    // The terms a term stands for as well; empty when none.
    const std::vector<std::string>& synonymsOf(const std::string& term) const;

private:
    std::unordered_map<std::string, std::uint32_t> terms_;
    std::unordered_map<std::string, std::vector<std::string>> synonyms_;
};

} // namespace tarvelo::server
