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
// The index lives in a folder of its own: under the system's temporary
// folder, removed with the object, or kept in a folder of indexes beside the
// database, named by a fingerprint of everything it indexes, so that the next
// start (or another replica) with the same texts opens it instead of building
// it again. Xapian database handles must not be shared between threads, so
// each search leases one from a pool.
#include "indexvocabulary.h"
#include "postinglists.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
    std::string stem; // of a Latin word (see wordStem)
    unsigned count = 1; // how often the keyword says it
};

// A fingerprint of an index's entries, their texts in order: fed every
// entry's texts, as WordIndex::add is.
class IndexFingerprint {
public:
    IndexFingerprint();
    void add(const std::vector<WeightedText>& texts);
    // The folder name of an index named name with these entries.
    std::string folderName(std::string_view name) const;

private:
    std::uint64_t hash_;
};

class WordIndex {
public:
    // An index to fill (add, then commit), in a temporary folder; with kept
    // set, commit moves it there (unless another process put it there first).
    explicit WordIndex(std::filesystem::path kept = {});
    ~WordIndex();
    WordIndex(const WordIndex&) = delete;
    WordIndex& operator=(const WordIndex&) = delete;

    // The finished index in kept, when a commit left one there; else null.
    static std::unique_ptr<WordIndex> open(const std::filesystem::path& kept);
    // For open alone.
    class Opened {
        Opened() = default;
        friend class WordIndex;
    };
    WordIndex(std::filesystem::path folder, Opened);

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
    void readVocabulary();

    std::filesystem::path folder_;
    std::filesystem::path kept_; // where commit moves the index; empty: nowhere
    bool temporary_ = true;      // folder_ is removed with the object
    std::unique_ptr<Xapian::WritableDatabase> writer_;
    std::vector<std::vector<std::pair<std::string, unsigned>>> pending_; // each added entry's terms
    std::unordered_map<std::string, unsigned> spelling_; // words seen while adding, and how often
    IndexVocabulary vocabulary_;                         // once whole
    std::unique_ptr<const PostingLists> postings_;       // once whole
    mutable std::mutex mutex_;
    mutable std::vector<std::unique_ptr<Xapian::Database>> idle_;
};

} // namespace tarvelo::server
