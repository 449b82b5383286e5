#pragma once
// The one form in which keywords and searched texts are compared: full-width
// letters, digits and signs folded to their ASCII forms (U+3000 to a space),
// ASCII letters lower-cased, traditional Chinese characters folded to
// simplified (OpenCC, configuration t2s.json). The same function serves the
// catalogue's texts and the keywords, so both sides always fold alike.
#include <string>
#include <string_view>

namespace tarvelo::server {

// Throws std::runtime_error on first use when OpenCC's configuration cannot
// be loaded.
std::string normalise(std::string_view text);

// text without punctuation, symbols and white space at either end.
std::string_view trimPunctuation(std::string_view text);

// One code point of UTF-8 text at pos, advancing pos; a byte that does not
// start a complete sequence gives U+FFFD and advances by one.
char32_t nextCodePoint(std::string_view text, size_t& pos);

// Han ideographs and the other letters of scripts written without spaces.
bool isIdeograph(char32_t c);
// Separators: white space, ASCII punctuation and symbols, CJK and
// full-width punctuation.
bool isSeparator(char32_t c);

} // namespace tarvelo::server
