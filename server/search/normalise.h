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

} // namespace tarvelo::server
