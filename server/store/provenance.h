#pragma once
// Where the rows of each loaded table came from: the bundled sample, or an
// imported file (its name and the time of the import). Detail pages warn
// about sample values only on the pages that show them.
#include "sqlite.h"

#include <string_view>

namespace tarvelo::server {

// The tables an import replaces, by the names provenance records them under.
namespace dataset {
inline constexpr std::string_view tariff = "tariff";
inline constexpr std::string_view rebates = "rebates";
inline constexpr std::string_view articles = "articles";
inline constexpr std::string_view references = "references";
inline constexpr std::string_view hs = "hs";
inline constexpr std::string_view news = "news";
inline constexpr std::string_view bubble = "bubble";
} // namespace dataset

void recordSample(Connection& db, std::string_view table);
// time: when the import ran, like 2026-12-10T09:30:00+0800.
void recordImport(Connection& db, std::string_view table, std::string_view file, std::string_view time);
// True while table holds the bundled sample. A database from before these
// records counts as sample throughout as long as its notice is set (imports
// used to clear it).
bool holdsSample(Connection& db, std::string_view table);

} // namespace tarvelo::server
