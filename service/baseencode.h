#pragma once
#include <string>
#include <string_view>

namespace tarvelo::baseencode {

// Base64 (standard alphabet, "=" padding, no line breaks) of the text's code
// page 936 bytes: the form in which the bubble fingerprint is stored.
std::string encodestr(std::string_view text);

} // namespace tarvelo::baseencode
