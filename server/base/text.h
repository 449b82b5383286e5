#pragma once
// Kinds of characters in the service's texts, by code point.
#include <string_view>

namespace tarvelo::server {

// Han ideographs and the other letters of scripts written without spaces.
bool isIdeograph(char32_t c);
// Separators: white space, ASCII punctuation and symbols, CJK and
// full-width punctuation.
bool isSeparator(char32_t c);

// text without punctuation, symbols and white space at either end.
std::string_view trimPunctuation(std::string_view text);

} // namespace tarvelo::server
