#pragma once
// The data files under server/data, built into the program so that a new
// database can be filled without any file beside the binary.
#include <string_view>
#include <vector>

namespace tarvelo::server::bundled {

std::string_view hsNomenclature(); // data/hs/harmonized-system.csv
std::string_view hsSections();     // data/hs/sections.csv
std::string_view hsNames();        // data/hs/names-zh.csv
std::string_view hsSectionNames(); // data/hs/sections-zh.csv
std::string_view glosses();        // data/cedict/zh-en.csv
std::string_view tariff();         // data/tariff.csv
std::string_view tariffChanges();  // data/tariff-changes.csv, rows dated in an effective column
std::string_view rebates();        // data/rebates.csv
std::string_view articles();       // data/articles.csv
std::string_view news();           // data/news.csv
std::string_view bubble();         // data/bubble.csv

struct File {
    std::string_view name; // relative to data/
    std::string_view text;
};
// Every data/references/*.csv, in name order.
std::vector<File> references();

} // namespace tarvelo::server::bundled
