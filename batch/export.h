#pragma once
// A looked-up goods list as a table, and that table as CSV, as text that
// pastes into Excel or WPS as cells, and as an XLSX workbook.
#include "batchrun.h"
#include "goodslist.h"

#include <string>
#include <vector>

namespace tarvelo::batch {

struct ExportTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows; // one per item, then the totals
};

// One item's row: the input, the line found, the taxes, the mark, the note.
std::vector<std::string> exportRow(const Item& item, const LineResult& result);
// Each item with what was found for it (the line, the mark and the
// alternatives, the taxes) and a last row of totals.
ExportTable exportTable(const std::vector<Item>& items, const std::vector<LineResult>& results);

// The columns holding money: written as numbers into a workbook.
bool isMoneyColumn(size_t column);

// UTF-8 with a byte order mark, which Excel needs to read it as UTF-8.
std::string csvText(const ExportTable& table);
// Writes csvText(table) to path; throws std::runtime_error when it cannot.
void writeCsv(const ExportTable& table, const std::string& path);
// Tab-separated, for the clipboard.
std::string tabText(const ExportTable& table);
// Throws std::runtime_error when the file cannot be written.
void writeXlsx(const ExportTable& table, const std::string& path);

} // namespace tarvelo::batch
