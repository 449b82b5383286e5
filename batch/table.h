#pragma once
// A goods list as its source holds it: rows of text cells, each with the
// line (or spreadsheet row) it came from, so that a bad one can be named.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::batch {

struct SourceRow {
    int line = 0; // 1-based
    std::vector<std::string> cells;
};
using Table = std::vector<SourceRow>;

// A source that cannot be read at all (not a list, not the format its name
// says, not there). Single lines that are wrong are not errors: they are kept
// and reported with their line.
struct ListError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Text typed or pasted: one item per line, its cells split at tabs when the
// line has any, else at commas.
Table readPastedText(std::string_view text);

// CSV bytes (RFC 4180 quoting) in UTF-8, with or without a byte order mark,
// or in code page 936 when they are not UTF-8.
Table readCsv(std::string_view bytes);

// The first worksheet of an XLSX file's bytes; throws ListError when they are
// not one.
Table readXlsx(std::string_view bytes);

// The file, read by its name's ending: .xlsx, .csv, anything else as text
// (UTF-8 or code page 936). Throws ListError with the reason.
Table readListFile(const std::string& path);

// Whether path ends with ending (".xlsx"), in any case.
bool hasEnding(std::string_view path, std::string_view ending);

} // namespace tarvelo::batch
