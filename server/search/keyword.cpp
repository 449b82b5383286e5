#include "keyword.h"

#include "normalise.h"
#include "text.h"
#include "utf8.h"

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

} // namespace

std::string wordStem(std::string_view word)
{
    std::string w(word);
    // At least two letters stay before an -es or -ies, three before an -s.
    const auto ends = [&](std::string_view tail) { return w.size() >= tail.size() + 2 && w.ends_with(tail); };
    if (std::any_of(w.begin(), w.end(), [](char c) { return c < 'a' || c > 'z'; }))
        return w; // digits, codes and non-English letters stay as they are
    if (ends("ies"))
        w.replace(w.size() - 3, 3, "y");
    else if (ends("sses") || ends("ches") || ends("shes") || ends("xes") || ends("zes"))
        w.resize(w.size() - 2);
    else if (w.size() >= 4 && ends("s") && !ends("ss") && !ends("us") && !ends("is"))
        w.pop_back();
    return w;
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
        tokens.push_back({word ? wordStem(piece) : std::string(piece), word, piece.size()});
        pos = end;
    }
    return tokens;
}

bool Keyword::hasIdeographs() const
{
    return std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return !t.word; });
}

Keyword parseKeyword(std::string_view text)
{
    Keyword k;
    if (text.size() > maxKeywordBytes || !validUtf8(text))
        return k;
    const std::string folded = normalise(text);
    bool space = false;
    for (const char c : trimPunctuation(folded)) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
        if (!blank && space)
            k.phrase += ' ';
        space = blank;
        if (!blank)
            k.phrase += c;
    }
    k.code = codeDigits(k.phrase);
    if (k.code.empty()) {
        k.tokens = tokenize(k.phrase);
        if (std::string mainland = mainlandWording(k.phrase); mainland != k.phrase)
            k.mainland = std::move(mainland);
    }
    return k;
}

} // namespace tarvelo::server
