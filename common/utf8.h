#pragma once
// UTF-8 encoding and decoding, one code point at a time.
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvelo {

// Appends the UTF-8 form of code point c.
void appendUtf8(std::string& out, char32_t c);

// One code point of UTF-8 text at pos, advancing pos; a byte that does not
// start a complete sequence gives U+FFFD and advances by one.
char32_t nextCodePoint(std::string_view text, size_t& pos);

// The offset of the first byte that is not part of well-formed UTF-8, or
// text.size() when there is none.
size_t invalidUtf8At(std::string_view text);
inline bool validUtf8(std::string_view text)
{
    return invalidUtf8At(text) == text.size();
}

// A file name given as UTF-8 (from the command line, a dialog, a test), and
// back. std::filesystem takes a plain string in the system's 8-bit encoding,
// which on Windows is the ANSI code page, not UTF-8.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace tarvelo
