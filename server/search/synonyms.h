#pragma once
// English words that name the same goods (eggplant, aubergine) and the
// British and American spellings of a word (colour, color), as pairs of
// lower-case words; a word of two parts is written joined (mobilephone).
// Drawn from WordNet and SCOWL when the service is built.
#include <string_view>
#include <utility>
#include <vector>

namespace tarvelo::server {

using WordPair = std::pair<std::string_view, std::string_view>;

const std::vector<WordPair>& englishSynonyms();

} // namespace tarvelo::server
