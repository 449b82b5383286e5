#pragma once
// What cp936.cpp asks of the machine's character set converter: iconv on
// Linux (codepage_iconv.cpp), the Windows API on Windows (codepage_win.cpp).
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvelo::service {

// Length of the valid UTF-8 sequence at the start of s and its code point, or
// nothing when s does not start with one.
std::optional<std::pair<size_t, char32_t>> decodeUtf8(std::string_view s);

namespace codepage {

// UTF-8 to code page 936, as utf8ToCp936 describes it.
std::string toCp936(std::string_view utf8);

// Bytes in the character set named charset (lower case) to UTF-8, invalid
// sequences as U+FFFD; nothing when the converter does not know the name.
std::optional<std::string> toUtf8(std::string_view bytes, const std::string& charset);

} // namespace codepage
} // namespace tarvelo::service
