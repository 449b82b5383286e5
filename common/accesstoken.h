#pragma once
// The access token built into both programs: the desktop program sends it in
// every request, and the service expects it unless told otherwise (--token).
#include <string_view>

namespace tarvelo {

inline constexpr std::string_view builtInAccessToken = "7c41e9a03bd6f5821ce0a49d3b6";

} // namespace tarvelo
