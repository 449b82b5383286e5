#pragma once
// The terms a word index holds and its synonyms, read into memory once the
// index is whole. A query's words are looked up here rather than in the
// index's files, where every lookup reads blocks from disk: a query then asks
// the index only for terms it holds, and for spelling only about words
// nothing holds.
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Xapian {
class Database;
} // namespace Xapian

namespace tarvelo::server {

class IndexVocabulary {
public:
    IndexVocabulary() = default;
    explicit IndexVocabulary(const Xapian::Database& db);

    bool holds(const std::string& term) const { return terms_.contains(term); }
    // The terms a term stands for as well; empty when none.
    const std::vector<std::string>& synonymsOf(const std::string& term) const;

private:
    std::unordered_set<std::string> terms_;
    std::unordered_map<std::string, std::vector<std::string>> synonyms_;
};

} // namespace tarvelo::server
