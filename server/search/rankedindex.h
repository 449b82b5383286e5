#pragma once
// The ranking every search answers with. A code keyword finds the entries
// whose code starts with it, shortest code first, then in code order (a
// ten-digit declaration code that finds none: its eight-digit line). A word
// keyword ranks an entry by the best of:
//   exactTerm      a search reference equal to the keyword points to it
//   translatedTerm an English keyword no reference equals: a reference equal
//                  to a Chinese word the dictionary glosses with the keyword
//                  points to it ("beef" -> 牛肉)
//   wholeInName    its name (Chinese, or for a code the English description
//                  as its English name) holds the keyword as whole words or
//                  a whole phrase
//   termContaining a search reference holding the keyword points to it
//   inName         its name holds every token of the keyword
//   inDescription  its description holds every token
//   byWords        the word index (see WordIndex): every meaningful word of
//                  the keyword in its texts, references and parents' texts,
//                  then most of them, by BM25
//   byDictionary   a Chinese keyword no reference knows: its name or
//                  description holds one of the word's English glosses, or a
//                  reference holding a gloss as whole words points to it
// Within a rank declarable lines (six digits or more) come before headings,
// headings before chapters, then code order (articles: newest first). A Latin
// word no text knows is first spelt as the closest word the index knows.
#include "keyword.h"
#include "lexicon.h"
#include "textindex.h"
#include "wordindex.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

enum class Ties { byCode, newestFirst };

class RankedIndex {
public:
    explicit RankedIndex(Ties ties) : ties_(ties) {}

    // byCode: entries added in code order. newestFirst: order holds the time
    // (2024-03-01T09:30:00+08:00), code is empty.
    void add(std::string_view code, std::string_view order, std::string_view name, std::string_view description);

    // Once every entry is added: where each search reference and HS code of
    // lexicon leads in this index, and the word index of the entries' texts,
    // kept as name in the folder indexes when that is given (opened there if
    // an index of the same texts is kept already). find takes the same lexicon.
    void link(const Lexicon& lexicon, const std::filesystem::path& indexes = {}, std::string_view name = {});

    // Positions of the matching entries, best first, at most limit of them.
    std::vector<std::uint32_t> find(const Keyword& keyword, const Lexicon& lexicon, size_t limit) const;

private:
    using Run = std::pair<std::uint32_t, std::uint32_t>; // positions [first, second)

    std::vector<std::uint32_t> codeMatches(std::string_view code, size_t limit) const;
    void orderTies();
    // The keyword with each Latin word no text knows spelt as the closest
    // word the word index knows (Xapian's spelling data).
    Keyword corrected(const Keyword& keyword) const;
    // The meaningful words of the keyword and of its mainland form (see
    // Keyword::mainland; empty when the same).
    std::vector<QueryWord> wordsOf(const Keyword& keyword, const Keyword& mainland, const Lexicon& lexicon) const;
    // The positions whose code starts with prefix.
    Run under(std::string_view prefix) const;

    Ties ties_;
    std::vector<Run> referenceRuns_; // by reference: the entries under its code
    std::vector<Run> belowHs_;       // by HS code: the entries below it
    std::vector<std::string> codes_;
    std::vector<std::string> order_;
    TextIndex text_;
    std::unique_ptr<WordIndex> words_;
    std::vector<std::uint32_t> tieOrder_; // by position: its place among equals in the word index's ranks
};

} // namespace tarvelo::server
