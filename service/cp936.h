#pragma once
// Conversions between the UTF-8 text of the core and the bytes of the page
// files, the fingerprint and foreign answers.
#include <string>
#include <string_view>

namespace tarvelo::service {

// UTF-8 text to code page 936 bytes. A character the code page cannot hold is
// written as an HTML numeric character reference (&#128512;), so nothing is
// lost and the result is always the same for the same text. Bytes that are not
// valid UTF-8 count as U+FFFD.
std::string utf8ToCp936(std::string_view utf8);

// Code page 936 bytes to UTF-8 text; byte sequences the code page does not
// define become U+FFFD.
std::string cp936ToUtf8(std::string_view bytes);

// Bytes in the named character set (as an HTTP Content-Type names it) to
// UTF-8. An empty or unknown name means UTF-8. Invalid input never fails: bad
// sequences become U+FFFD.
std::string toUtf8(std::string_view bytes, std::string_view charset);

// The text with every invalid UTF-8 sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view text);

} // namespace tarvelo::service
