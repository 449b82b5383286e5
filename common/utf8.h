#pragma once
// UTF-8 encoding and decoding, one code point at a time.
#include <string>
#include <string_view>

namespace tarvelo {

// Appends the UTF-8 form of code point c.
void appendUtf8(std::string& out, char32_t c);

// One code point of UTF-8 text at pos, advancing pos; a byte that does not
// start a complete sequence gives U+FFFD and advances by one.
char32_t nextCodePoint(std::string_view text, size_t& pos);

} // namespace tarvelo
