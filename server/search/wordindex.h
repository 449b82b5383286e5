#pragma once
// The description search beneath the exact tiers: a Xapian index of every
// entry's texts (its name and description, the search references that point
// to it, and with less weight the texts of its heading and chapter). A query
// is a list of words; an entry ranks first by how many of them it holds (every
// word present before most words), then by BM25, then by level and code.
// English words are indexed as written and by their Snowball stem, with
// adjacent words also joined (hand bag = handbag), and a query's English word
// also stands for its synonyms and other spellings that some text holds
// (eggplant: aubergine; color: colour); Chinese runs as single
// characters and pairs of characters, so that a word of several characters
// is found wherever its pairs all stand.
//
// The index lives in a folder of its own under the system's temporary
// folder, removed with the object. Xapian database handles must not be shared
// between threads, so each search leases one from a pool.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Xapian {
class Database;
class WritableDatabase;
} // namespace Xapian

namespace tarvelo::server {

// A text of an entry and how much it counts (1 to 4).
struct WeightedText {
    std::string_view normalised;
    unsigned weight;
};

// One word of a query: Latin (a lower-case word) or a run of ideographs.
// A Latin word may also stand for Chinese words (its translations).
struct QueryWord {
    std::string text;
    bool latin = false;
    std::vector<std::string> chinese;
};

class WordIndex {
public:
    WordIndex();
    ~WordIndex();
    WordIndex(const WordIndex&) = delete;
    WordIndex& operator=(const WordIndex&) = delete;

    // Entries in position order, the first at position 0.
    void add(const std::vector<WeightedText>& texts);
    // Once every entry is added; afterwards only find may be called.
    void commit();

    // A Latin word no entry holds, spelt as the closest one some entry holds;
    // empty when there is none.
    std::string correction(const std::string& latinWord) const;
    // Positions of the entries holding any of words, best first (see above),
    // at most limit. tieOrder (by position) orders entries of equal standing,
    // lower first.
    std::vector<std::uint32_t> find(const std::vector<QueryWord>& words, size_t limit,
                                    const std::vector<std::uint32_t>& tieOrder) const;

private:
    class Lease;

    std::filesystem::path folder_;
    std::unique_ptr<Xapian::WritableDatabase> writer_;
    std::uint32_t added_ = 0;
    std::unordered_map<std::string, unsigned> spelling_; // words seen while adding, and how often
    mutable std::mutex mutex_;
    mutable std::vector<std::unique_ptr<Xapian::Database>> idle_;
};

} // namespace tarvelo::server
