#pragma once
// Everything the searches are built from, read from the service database in
// one read transaction, so that the search never sees SQL.
#include "records.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// A Commodity entry with the English text it is also found by.
struct CommodityEntry {
    CommodityCode code;
    std::string description;
};
// A chapter, heading or subheading with its Chinese name (may be empty) and
// English description.
struct HsText {
    std::string code;
    std::string name;
    std::string description;
};
struct SearchReference {
    std::string term;
    std::string code;
};
struct Gloss {
    std::string word; // simplified Chinese, as stored
    std::string english;
};

struct SearchSource {
    std::vector<TariffLine> tariff; // in code order, with the rates in force on the day read
    std::vector<CommodityEntry> commodity; // in code order
    std::vector<RebateLine> rebates;       // in code order
    std::vector<Article> articles;         // by id
    std::vector<SearchReference> references; // by term, then code
    std::vector<HsText> hs;                  // by code
    std::vector<Gloss> glosses;              // by word, then English
};

// today: the day whose rates the tariff lines carry (2026-01-01). Throws
// SqliteError when the database cannot be read.
SearchSource readSearchSource(const std::filesystem::path& database, std::string_view today);

} // namespace tarvelo::server
