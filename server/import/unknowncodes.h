#pragma once
// Imported codes checked against the HS nomenclature of the database they
// go into: a national line or reference under a subheading the nomenclature
// lacks is most often a typing error, or a file for another HS edition.
#include "csv.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

class UnknownCodes {
public:
    // known: the nomenclature's codes (see hsCodes). strict: refuse unknown
    // codes instead of reporting them.
    UnknownCodes(std::vector<std::string> known, bool strict);

    // Checks the first six digits of code (a shorter code whole) in a data
    // row of table; throws CsvError when strict, else records a warning.
    void check(const CsvTable& table, size_t row, std::string_view code);
    // One line per unknown code, naming file, line and code.
    const std::vector<std::string>& warnings() const { return warnings_; }

private:
    std::vector<std::string> known_; // sorted
    bool strict_;
    std::vector<std::string> warnings_;
};

} // namespace tarvelo::server
