#pragma once
// What a search keyword asks for, in the normalised form the searched texts
// are kept in (see normalise.h), cut into tokens.
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// Longer keywords cannot be part of any stored text; they match nothing.
inline constexpr size_t maxKeywordBytes = 1000;

// A word of Latin letters or digits by its stem (see wordStem), or a run of
// ideographs, which is matched as a substring.
struct Token {
    std::string text;
    bool word = false;
    std::string spelt; // a word as written (lower-case), before its stem

    bool operator==(const Token& other) const { return text == other.text && word == other.word; }
};

// The tokens of a normalised text; separators fall away.
std::vector<Token> tokenize(std::string_view normalised);

// The English (Snowball) stem of a lower-case word, which its singular and
// plural share (tyres, tyre: tyre; batteries, battery: batteri); a word with
// digits stays as it is.
std::string wordStem(std::string_view word);

struct Keyword {
    std::string phrase;        // normalised, without surrounding punctuation, white space collapsed
    std::string code;          // the digits of a code keyword ("84.71 30" -> "847130"), else empty
    std::vector<Token> tokens; // of a word keyword
    // The phrase with Taiwan's words put as the mainland writes them (OpenCC,
    // tw2sp.json: 滑鼠 -> 鼠标), when that differs; searched as well.
    std::string mainland;

    bool empty() const { return code.empty() && tokens.empty(); }
    bool hasIdeographs() const;
};

// Keywords longer than maxKeywordBytes or not valid UTF-8 are empty.
Keyword parseKeyword(std::string_view text);

// parseKeyword in two steps: a keyword's phrase (see Keyword::phrase; empty
// where the keyword is), which is all that tells two keywords apart, then
// the keyword of that phrase. An answer kept for the phrase is then found
// without cutting the keyword into words.
std::string keywordPhrase(std::string_view text);
Keyword parsePhrase(std::string_view phrase);

// A keyword of a text already in the normalised form (a word of the search
// data, a keyword's mainland form): cut alike, without a mainland form.
// Spares the folding, which costs more than the rest of the parse.
Keyword parseNormalisedKeyword(std::string_view normalised);

} // namespace tarvelo::server
