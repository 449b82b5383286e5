#pragma once
// What a search keyword asks for, and how well a text answers it.
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// Longer keywords cannot be part of any stored text; they match nothing.
inline constexpr size_t maxKeywordBytes = 1000;

struct Keyword {
    std::string phrase;             // trimmed, inner white space collapsed, ASCII lower-cased
    std::string code;               // the digits when the keyword is a code ("84.71" -> "8471"), else empty
    std::vector<std::string> terms; // the phrase split at spaces

    bool empty() const { return phrase.empty(); }
    // The term the database is asked for; the others are checked afterwards.
    const std::string& anchor() const;
};

Keyword parseKeyword(std::string_view text);

std::string asciiLower(std::string_view text);
// Number of Unicode code points in UTF-8 text.
size_t codePoints(std::string_view text);

// Relevance tier of a text match, lower is better; noMatch when some term is
// found neither in the name nor in the description. Both texts are expected
// in asciiLower form.
inline constexpr int noMatch = 100;
int textTier(const Keyword& keyword, std::string_view name, std::string_view description);

} // namespace tarvelo::server
