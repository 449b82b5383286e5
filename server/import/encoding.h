#pragma once
// The text encodings of CSV files as operators save them: UTF-8 (with or
// without a byte-order mark), or GB18030 and its subset GBK, which
// spreadsheets write by default on Chinese Windows.
#include <string>
#include <string_view>

namespace tarvelo::server {

// bytes as UTF-8: unchanged when they are valid UTF-8, else converted from
// GB18030. Throws CsvError naming source and the line of the first byte that
// is neither.
std::string decodeCsvText(std::string bytes, std::string_view source);

} // namespace tarvelo::server
