#include "keyword.h"

#include "normalise.h"
#include "text.h"
#include "utf8.h"

#include <xapian.h>

#include <algorithm>

namespace tarvelo::server {
namespace {

bool wordCharacter(char32_t c)
{
    return !isSeparator(c) && !isIdeograph(c);
}

// Digits with optional dots, spaces and hyphens: 8471.30, 8471 30, 87-03.
std::string codeDigits(std::string_view text)
{
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c != '.' && c != ' ' && c != '-')
            return {};
    }
    return digits;
}

// Without surrounding punctuation, white space collapsed to single spaces.
std::string collapsed(std::string_view normalised)
{
    std::string phrase;
    bool space = false;
    for (const char c : trimPunctuation(normalised)) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
        if (!blank && space)
            phrase += ' ';
        space = blank;
        if (!blank)
            phrase += c;
    }
    return phrase;
}

} // namespace

std::string wordStem(std::string_view word)
{
    if (std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(word); // codes, sizes and models stay as they are
    // A stemmer keeps state while it works: one per thread.
    thread_local const Xapian::Stem english("english");
    return english(std::string(word));
}

std::vector<Token> tokenize(std::string_view text)
{
    std::vector<Token> tokens;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        const char32_t c = nextCodePoint(text, pos);
        if (isSeparator(c))
            continue;
        const bool word = wordCharacter(c);
        size_t end = pos;
        while (end < text.size()) {
            size_t next = end;
            const char32_t d = nextCodePoint(text, next);
            if (isSeparator(d) || wordCharacter(d) != word)
                break;
            end = next;
        }
        const std::string_view piece = text.substr(start, end - start);
        if (word)
            tokens.push_back({wordStem(piece), true, std::string(piece)});
        else
            tokens.push_back({std::string(piece), false, {}});
        pos = end;
    }
    return tokens;
}

bool Keyword::hasIdeographs() const
{
    return std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return !t.word; });
}

std::string keywordPhrase(std::string_view text)
{
    if (text.size() > maxKeywordBytes || !validUtf8(text))
        return {};
    return collapsed(normalise(text));
}

Keyword parseNormalisedKeyword(std::string_view normalised)
{
    Keyword k;
    k.phrase = collapsed(normalised);
    k.code = codeDigits(k.phrase);
    if (k.code.empty())
        k.tokens = tokenize(k.phrase);
    return k;
}

Keyword parsePhrase(std::string_view phrase)
{
    Keyword k = parseNormalisedKeyword(phrase);
    if (!k.tokens.empty())
        if (std::string mainland = mainlandWording(k.phrase); mainland != k.phrase)
            k.mainland = std::move(mainland);
    return k;
}

Keyword parseKeyword(std::string_view text)
{
    return parsePhrase(keywordPhrase(text));
}

} // namespace tarvelo::server
