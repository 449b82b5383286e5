#pragma once
// What a search knows beyond the searched table itself: the search
// references (everyday terms pointing to codes), the HS nomenclature's
// Chinese and English texts (to find a line through its heading and
// chapter), and the Chinese-English dictionary glosses that lead a Chinese
// word no reference knows to the English descriptions.
#include "searchsource.h"
#include "textindex.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tarvelo::server {

// The tokens of a keyword joined by spaces: "Soybeans" -> "soybean".
std::string comparedForm(const Keyword& keyword);

struct Lexicon {
    // From the source's references, HS texts and glosses.
    explicit Lexicon(const SearchSource& source);

    TextIndex references; // name: the term
    std::vector<std::string> referenceCodes;
    TextIndex hs;         // name: Chinese, description: English
    std::vector<std::string> hsCodes;
    // Normalised Chinese word -> its English glosses.
    std::unordered_map<std::string, std::vector<std::string>> glosses;
    // The other way: an English gloss in its compared form (see
    // comparedForm) -> the Chinese words it glosses.
    std::unordered_map<std::string, std::vector<std::string>> words;
    // An English word or pair of words in its compared form -> the Chinese
    // words it may stand for in a search: the first few of those it glosses
    // that have two characters or more and that chineseWords holds.
    std::unordered_map<std::string, std::vector<std::string>> translations;
    // Runs of ideographs the searched texts hold as words (reference terms,
    // HS names), normalised: what long Chinese keywords are cut into (see
    // queryWords). The dictionary's words are left out: a word no text holds
    // would find nothing, where its parts may.
    std::unordered_set<std::string> chineseWords;
};

} // namespace tarvelo::server
