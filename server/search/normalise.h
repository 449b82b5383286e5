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

// A normalised text with Taiwan's words and phrases put as the mainland
// writes them (OpenCC, tw2sp.json). Only for keywords: on mainland text the
// phrase tables can misfire (方程式), so a keyword is searched in both forms.
std::string mainlandWording(std::string_view normalised);

} // namespace tarvelo::server
