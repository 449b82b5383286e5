#include "wordindex.h"

#include "keyword.h"
#include "synonyms.h"
#include "utf8.h"

#include <xapian.h>

#include <algorithm>
#include <bitset>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <stdexcept>
#include <system_error>
#include <span>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace tarvelo::server {
namespace {

bool hasDigit(std::string_view word)
{
    return std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The index term of a stem: set apart from the words as written.
std::string stemTerm(std::string_view stem)
{
    std::string term = "Z";
    term += stem;
    return term;
}

std::vector<std::string> codePoints(std::string_view run)
{
    std::vector<std::string> out;
    for (size_t pos = 0; pos < run.size();) {
        const size_t start = pos;
        nextCodePoint(run, pos);
        out.emplace_back(run.substr(start, pos - start));
    }
    return out;
}

using Terms = std::unordered_map<std::string, unsigned>; // term -> within-document frequency

void indexText(Terms& doc, Terms& spelling, std::string_view normalised, unsigned weight)
{
    const std::vector<Token> tokens = tokenize(normalised);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.word) {
            doc[t.spelt] += weight;
            if (!hasDigit(t.spelt)) {
                doc[stemTerm(t.text)] += weight;
                if (t.spelt.size() >= 4)
                    ++spelling[t.spelt];
            }
            // Compounds: hand bag, hand-bag and handbag are one word.
            if (i + 1 < tokens.size() && tokens[i + 1].word) {
                const std::string joined = t.spelt + tokens[i + 1].spelt;
                doc[joined] += weight;
                if (!hasDigit(joined))
                    doc[stemTerm(wordStem(joined))] += weight;
            }
            continue;
        }
        const std::vector<std::string> symbols = codePoints(t.text);
        for (size_t s = 0; s < symbols.size(); ++s) {
            doc[symbols[s]] += weight;
            if (s + 1 < symbols.size())
                doc[symbols[s] + symbols[s + 1]] += weight;
        }
    }
}

// BM25 with its usual parameters (Xapian's defaults). Its length
// normalisation divides a term's frequency by the entry's length factor;
// that is done once here, when an entry is written (the frequency is kept
// scaled up, as Xapian keeps whole numbers), and searches weigh by BM25 with
// no normalisation and k1 scaled alike. The weights are then BM25's, times a
// constant, and a search need not read every candidate's length.
constexpr double bm25K1 = 1;
constexpr double bm25B = 0.5;
constexpr double bm25MinNormalLength = 0.5;
constexpr double wdfScale = 1000;

// An entry's length factor, of its length over the average length.
double lengthFactor(double normalLength)
{
    return (1 - bm25B) + bm25B * std::max(normalLength, bm25MinNormalLength);
}

// A term some entry holds, with its number (see IndexVocabulary::numberOf).
struct IndexTerm {
    std::string text;
    std::uint32_t number;
};

// The index terms of a query word, as alternatives (see termsOf).
struct WordTerms {
    std::vector<std::vector<IndexTerm>> alternatives;
    unsigned count = 1; // how often the keyword says the word
};

// Candidates reordered by the words they hold, at most.
constexpr size_t reordered = 100;

// A query of more words (a pasted shop title) looks for candidates by this
// many of them, those that weigh most (Xapian's elite set, at its default
// size); every word still counts in the reordering.
constexpr Xapian::termcount candidateWords = 10;

struct Candidate {
    size_t words; // how many of the query's words the entry holds
    double weight;
    std::uint32_t tie;
    std::uint32_t position;
};

// Document ids (positions + 1), ascending: a posting list.
using Ids = std::vector<std::uint32_t>;
// Which of the counted candidates (by place among them) hold something.
using Holders = std::bitset<reordered>;
// Each document id's place among the counted candidates; notCounted for the
// rest. A posting list is then read once, whatever the candidates.
using Places = std::vector<std::uint8_t>;
constexpr std::uint8_t notCounted = 0xff;
static_assert(reordered < notCounted);

// The counted candidates a posting list holds.
Holders holders(const Ids& ids, const Places& places)
{
    Holders held;
    for (const std::uint32_t id : ids)
        if (const std::uint8_t place = places[id]; place != notCounted)
            held.set(place);
    return held;
}

// The words each of the first candidates (at most reordered) holds: an
// entry holds a word where it holds every term of one of the word's
// alternatives.
void countWords(const PostingLists& postings, const Xapian::Database& db, const std::vector<WordTerms>& words,
                std::vector<Candidate>& all, size_t first)
{
    if (first == 0)
        return;
    const std::span<Candidate> candidates(all.data(), first);
    Places places(db.get_lastdocid() + 1, notCounted);
    for (size_t place = 0; place < candidates.size(); ++place) {
        places[candidates[place].position + 1] = static_cast<std::uint8_t>(place);
        candidates[place].words = 0;
    }
    for (const WordTerms& word : words) {
        Holders holdWord;
        for (const std::vector<IndexTerm>& alternative : word.alternatives) {
            Holders holdAll;
            holdAll.set();
            for (const IndexTerm& term : alternative)
                holdAll &= holders(postings.of(db, term.number, term.text), places);
            holdWord |= holdAll;
        }
        for (size_t place = 0; place < candidates.size(); ++place)
            candidates[place].words += holdWord[place] ? word.count : 0;
    }
}

// Whether some entry holds every one of terms.
bool heldTogether(const PostingLists& postings, const Xapian::Database& db, const std::vector<IndexTerm>& terms)
{
    std::vector<const Ids*> lists;
    for (const IndexTerm& term : terms)
        lists.push_back(&postings.of(db, term.number, term.text));
    std::sort(lists.begin(), lists.end(), [](const Ids* a, const Ids* b) { return a->size() < b->size(); });
    return std::any_of(lists.front()->begin(), lists.front()->end(), [&](std::uint32_t id) {
        return std::all_of(lists.begin() + 1, lists.end(),
                           [id](const Ids* ids) { return std::binary_search(ids->begin(), ids->end(), id); });
    });
}

} // namespace

namespace {

std::vector<std::string> pairsOf(std::string_view run)
{
    const std::vector<std::string> symbols = codePoints(run);
    if (symbols.size() == 1)
        return symbols;
    std::vector<std::string> pairs;
    for (size_t s = 0; s + 1 < symbols.size(); ++s)
        pairs.push_back(symbols[s] + symbols[s + 1]);
    return pairs;
}

// The index terms of a query word: it is present where every term of one of
// its alternatives is (a Latin word: its stem, a synonym or a
// Chinese word the dictionary glosses it with; ideographs: every pair of
// characters). Alternatives holding a term no entry holds are left out.
WordTerms termsOf(const IndexVocabulary& vocabulary, const QueryWord& word)
{
    WordTerms terms;
    terms.count = word.count;
    const auto add = [&](std::vector<std::string> alternative) {
        std::vector<IndexTerm> held;
        for (std::string& term : alternative) {
            const auto number = vocabulary.numberOf(term);
            if (!number)
                return;
            held.push_back({std::move(term), *number});
        }
        terms.alternatives.push_back(std::move(held));
    };
    if (!word.latin) {
        add(pairsOf(word.text));
    } else {
        // A word is found by its stem, which its other forms share; a word
        // with digits (a model, a size) as written.
        const std::string term = hasDigit(word.text) ? word.text : stemTerm(word.stem);
        add({term});
        for (const std::string& synonym : vocabulary.synonymsOf(term))
            add({synonym});
        for (const std::string& chinese : word.chinese)
            add(pairsOf(chinese));
    }
    return terms;
}

} // namespace

namespace {

// Changed whenever what an index holds for a text changes (its terms, their
// weights, the spelling and synonym data): a kept index of another format is
// then never opened.
constexpr std::string_view indexFormat = "words-5";

// Kept indexes not opened for this long are removed when another is kept.
constexpr auto keptFor = std::chrono::hours(24 * 7);

void mix(std::uint64_t& hash, std::string_view bytes)
{
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ULL; // FNV-1a
    }
}

// A folder for an index being built: beside where it will be kept (so that
// the finished one is moved there by a rename), else under the temporary folder.
std::filesystem::path freshFolder(const std::filesystem::path& kept)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvelo-words-XXXXXX").string();
    if (!kept.empty()) {
        std::error_code error;
        std::filesystem::create_directories(kept.parent_path(), error);
        if (!error)
            pattern = kept.string() + ".part-XXXXXX";
    }
    if (!::mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "cannot make a folder for the search index");
    return pattern;
}

// Xapian's errors are not std::exceptions: said again as one, so that the
// catalogue's readers, which keep the last catalogue when a read fails, see them.
template <class Action>
void withXapian(std::string_view what, Action&& action)
{
    try {
        action();
    } catch (const Xapian::Error& e) {
        throw std::runtime_error(std::string(what) + ": " + e.get_description());
    }
}

void removeUnused(const std::filesystem::path& folder, const std::filesystem::path& keep)
{
    std::error_code error;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code ignored;
        if (entry.path() != keep && entry.is_directory(ignored) && now - entry.last_write_time(ignored) > keptFor)
            std::filesystem::remove_all(entry.path(), ignored);
    }
}

} // namespace

IndexFingerprint::IndexFingerprint() : hash_(0xcbf29ce484222325ULL)
{
    mix(hash_, indexFormat);
    for (const auto& [a, b] : englishSynonyms()) {
        mix(hash_, a);
        mix(hash_, " ");
        mix(hash_, b);
        mix(hash_, "\n");
    }
}

void IndexFingerprint::add(const std::vector<WeightedText>& texts)
{
    for (const WeightedText& t : texts) {
        mix(hash_, t.normalised);
        const char weight[] = {'\x1f', static_cast<char>('0' + t.weight)};
        mix(hash_, std::string_view(weight, sizeof weight));
    }
    mix(hash_, "\x1e");
}

std::string IndexFingerprint::folderName(std::string_view name) const
{
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash_));
    return std::string(name) + "-" + hex;
}

class WordIndex::Lease {
public:
    explicit Lease(const WordIndex& index) : index_(index)
    {
        {
            const std::lock_guard lock(index_.mutex_);
            if (!index_.idle_.empty()) {
                db_ = std::move(index_.idle_.back());
                index_.idle_.pop_back();
            }
        }
        if (!db_) {
            db_ = std::make_unique<Xapian::Database>(index_.folder_.string());
            // In use: not one of the unused kept indexes a commit removes.
            if (!index_.temporary_) {
                std::error_code ignored;
                std::filesystem::last_write_time(index_.folder_, std::filesystem::file_time_type::clock::now(), ignored);
            }
        }
    }
    ~Lease()
    {
        const std::lock_guard lock(index_.mutex_);
        index_.idle_.push_back(std::move(db_));
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    Xapian::Database& operator*() const { return *db_; }

private:
    const WordIndex& index_;
    std::unique_ptr<Xapian::Database> db_;
};

WordIndex::WordIndex(std::filesystem::path kept) : folder_(freshFolder(kept))
{
    if (folder_.parent_path() == kept.parent_path())
        kept_ = std::move(kept);
    // No syncing: a machine that stops mid-build leaves only a folder that is
    // never opened (see commit).
    withXapian("cannot make the search index", [this] {
        writer_ = std::make_unique<Xapian::WritableDatabase>(
            folder_.string(), Xapian::DB_CREATE_OR_OVERWRITE | Xapian::DB_BACKEND_GLASS | Xapian::DB_NO_SYNC);
    });
}

WordIndex::WordIndex(std::filesystem::path folder, Opened) : folder_(std::move(folder)), temporary_(false)
{
    readVocabulary();
}

void WordIndex::readVocabulary()
{
    withXapian("cannot read the search index",
               [this] { vocabulary_ = IndexVocabulary(Xapian::Database(folder_.string())); });
    postings_ = std::make_unique<const PostingLists>(vocabulary_.size());
}

WordIndex::~WordIndex()
{
    idle_.clear();
    writer_.reset();
    std::error_code ignored;
    if (temporary_)
        std::filesystem::remove_all(folder_, ignored);
}

std::unique_ptr<WordIndex> WordIndex::open(const std::filesystem::path& kept)
{
    std::error_code error;
    if (!std::filesystem::is_directory(kept, error))
        return nullptr;
    std::unique_ptr<WordIndex> index;
    try {
        index = std::make_unique<WordIndex>(kept, Opened{});
    } catch (const std::runtime_error&) {
        // Damaged on disk (a finished index is only ever renamed into
        // place): removed, to be built and kept anew.
        std::filesystem::remove_all(kept, error);
        return nullptr;
    }
    // Opened now: not one of the unused ones another commit removes.
    std::filesystem::last_write_time(kept, std::filesystem::file_time_type::clock::now(), error);
    return index;
}

void WordIndex::add(const std::vector<WeightedText>& texts)
{
    // Terms are gathered first: Xapian's document adds each one at a cost.
    Terms terms;
    for (const WeightedText& t : texts)
        indexText(terms, spelling_, t.normalised, t.weight);
    // Written at commit, when the average length is known.
    pending_.emplace_back(terms.begin(), terms.end());
}

void WordIndex::commit()
{
    withXapian("cannot finish the search index", [this] {
        // An entry's length is the sum of its terms' frequencies, as Xapian's.
        std::vector<double> lengths;
        for (const auto& terms : pending_)
            lengths.push_back(std::accumulate(terms.begin(), terms.end(), 0.0,
                                              [](double sum, const auto& term) { return sum + term.second; }));
        const double total = std::accumulate(lengths.begin(), lengths.end(), 0.0);
        const double average = total > 0 ? total / static_cast<double>(lengths.size()) : 1;
        for (size_t p = 0; p < pending_.size(); ++p) {
            const double factor = lengthFactor(lengths[p] / average);
            // Given back as Xapian takes them in: the terms are not held twice.
            const auto terms = std::exchange(pending_[p], {});
            Xapian::Document doc;
            for (const auto& [term, wdf] : terms)
                doc.add_term(term, std::max(1u, static_cast<unsigned>(std::lround(wdfScale * wdf / factor))));
            // Document ids are positions + 1: the entries keep their order.
            writer_->add_document(doc);
        }
        pending_.clear();
        // Once per word: the spelling table is costly to update.
        for (const auto& [word, count] : spelling_)
            writer_->add_spelling(word, count);
        spelling_.clear();
        writer_->commit();
        // A synonym counts only where some text holds it: a word then finds the
        // goods its synonym names, and nothing is added for words no text uses.
        for (const auto& [a, b] : englishSynonyms()) {
            const std::string stemA = stemTerm(wordStem(a));
            const std::string stemB = stemTerm(wordStem(b));
            // Two forms of one word (insulator, insulation) share a stem,
            // which is not its own synonym: it would count twice.
            if (stemA == stemB)
                continue;
            for (const auto& [key, term] : {std::pair(&stemA, &stemB), std::pair(&stemB, &stemA)})
                if (writer_->term_exists(*term))
                    writer_->add_synonym(*key, *term);
        }
        writer_->commit();
        writer_.reset();
    });
    readVocabulary();
    // Kept under its final name only when whole: a folder of that name is
    // always a finished index. Another process may have kept the same one
    // first; this one then stays temporary.
    if (kept_.empty())
        return;
    std::error_code error;
    std::filesystem::rename(folder_, kept_, error);
    if (error)
        return;
    folder_ = kept_;
    temporary_ = false;
    removeUnused(folder_.parent_path(), folder_);
}

std::string WordIndex::correction(const std::string& latinWord) const
{
    if (latinWord.size() < 4 || hasDigit(latinWord))
        return {};
    const std::string stem = stemTerm(wordStem(latinWord));
    if (vocabulary_.holds(latinWord) || vocabulary_.holds(stem) || !vocabulary_.synonymsOf(stem).empty())
        return {};
    const Lease db(*this);
    return (*db).get_spelling_suggestion(latinWord, latinWord.size() >= 8 ? 2 : 1);
}

std::vector<std::uint32_t> WordIndex::find(const std::vector<QueryWord>& words, size_t limit,
                                           const std::vector<std::uint32_t>& tieOrder) const
{
    if (words.empty() || limit == 0)
        return {};
    const Lease db(*this);
    std::vector<WordTerms> terms;
    std::vector<Xapian::Query> subqueries;
    for (const QueryWord& w : words) {
        WordTerms held = termsOf(vocabulary_, w);
        // Characters whose pairs stand in entries, but never all in one, find
        // nothing; nor would the query if only such words were among its
        // weightiest (see candidateWords).
        std::erase_if(held.alternatives, [&](const std::vector<IndexTerm>& alternative) {
            return alternative.size() > 1 && !heldTogether(*postings_, *db, alternative);
        });
        // A word no entry holds changes no entry's standing.
        if (held.alternatives.empty())
            continue;
        terms.push_back(std::move(held));
        std::vector<Xapian::Query> alternatives;
        for (const std::vector<IndexTerm>& a : terms.back().alternatives) {
            std::vector<Xapian::Query> all;
            for (const IndexTerm& term : a)
                all.emplace_back(term.text);
            alternatives.emplace_back(Xapian::Query::OP_AND, all.begin(), all.end());
        }
        Xapian::Query word(Xapian::Query::OP_OR, alternatives.begin(), alternatives.end());
        subqueries.push_back(w.count > 1 ? Xapian::Query(Xapian::Query::OP_SCALE_WEIGHT, word, w.count) : word);
    }
    if (terms.empty())
        return {};
    Xapian::Enquire enquire(*db);
    if (subqueries.size() > candidateWords)
        enquire.set_query(Xapian::Query(Xapian::Query::OP_ELITE_SET, subqueries.begin(), subqueries.end(), candidateWords));
    else
        enquire.set_query(Xapian::Query(Xapian::Query::OP_OR, subqueries.begin(), subqueries.end()));
    // Lengths are normalised in the stored frequencies (see lengthFactor):
    // b and the shortest normal length are 0; k2 and k3 are Xapian's defaults.
    enquire.set_weighting_scheme(Xapian::BM25Weight(bm25K1 * wdfScale, 0, 1, 0, 0));
    // Candidates by BM25 alone; the words they hold reorder them below. With
    // one word every candidate holds it.
    const bool oneWord = terms.size() == 1;
    const Xapian::MSet found = enquire.get_mset(0, static_cast<Xapian::doccount>(limit));

    std::vector<Candidate> candidates;
    candidates.reserve(found.size());
    for (auto it = found.begin(); it != found.end(); ++it) {
        const std::uint32_t position = *it - 1;
        candidates.push_back({1, it.get_weight(), tieOrder.at(position), position});
    }
    // The best by BM25 are counted and reordered, the rest follow in BM25 order.
    const size_t counted = oneWord ? 0 : std::min(candidates.size(), reordered);
    countWords(*postings_, *db, terms, candidates, counted);
    const auto before = [](const Candidate& a, const Candidate& b) {
        return std::tie(b.words, b.weight, a.tie) < std::tie(a.words, a.weight, b.tie);
    };
    std::sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(counted), before);
    std::vector<std::uint32_t> out;
    for (const Candidate& c : candidates)
        out.push_back(c.position);
    return out;
}

} // namespace tarvelo::server
