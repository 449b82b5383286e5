#pragma once
// Comma-separated tables as written by spreadsheets (RFC 4180): quoted fields
// may hold commas, doubled quotes and line breaks; a UTF-8 byte-order mark and
// CR LF line ends are accepted. The first row names the columns.
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One row and the line of the text it starts on (the first line is 1); a
// quoted line break makes the next row start further down.
struct CsvRow {
    std::vector<std::string> fields;
    size_t line = 0;
};

class CsvTable {
public:
    // source names the table in error messages.
    CsvTable(std::string_view text, std::string source);

    size_t size() const { return rows_.size(); }
    // The field of a data row (0-based, header excluded) in the named column;
    // throws when the table has no such column.
    const std::string& field(size_t row, std::string_view column) const;
    // The line of the text a data row starts on, counting the header's as 1.
    size_t line(size_t row) const { return rows_.at(row).line; }
    // "FILE, line N", for messages about a data row.
    std::string where(size_t row) const;
    bool hasColumn(std::string_view column) const;
    // Throws unless every named column is present.
    void require(std::initializer_list<std::string_view> columns) const;
    const std::string& source() const { return source_; }

private:
    std::string source_;
    std::map<std::string, size_t, std::less<>> columns_;
    std::vector<CsvRow> rows_;
};

// Splits text into rows of fields; blank lines are skipped.
std::vector<CsvRow> parseCsv(std::string_view text, std::string_view source);

} // namespace tarvelo::server
