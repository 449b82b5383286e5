#pragma once
#include <string_view>

namespace tarvelo::server {

// Writes one line to standard error in a single write, so lines of
// concurrent requests never interleave.
void logLine(std::string_view line);

} // namespace tarvelo::server
