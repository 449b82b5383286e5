#include "csv.h"

namespace tarvelo::server {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool blank(const std::vector<std::string>& row)
{
    return row.size() == 1 && row.front().empty();
}

} // namespace

std::vector<CsvRow> parseCsv(std::string_view text, std::string_view source)
{
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    std::vector<CsvRow> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    size_t line = 1;
    size_t rowLine = 1;
    size_t quoteLine = 1;
    auto endRow = [&] {
        row.push_back(std::move(field));
        field.clear();
        if (!blank(row))
            rows.push_back({std::move(row), rowLine});
        row.clear();
        rowLine = line;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
            continue;
        }
        switch (c) {
        case '"':
            if (!field.empty())
                throw CsvError(std::string(source) + ", line " + std::to_string(line) +
                               ": a quote inside an unquoted field");
            quoted = true;
            quoteLine = line;
            break;
        case ',':
            row.push_back(std::move(field));
            field.clear();
            break;
        case '\r':
            break;
        case '\n':
            ++line;
            endRow();
            break;
        default:
            field += c;
        }
    }
    if (quoted)
        throw CsvError(std::string(source) + ", line " + std::to_string(quoteLine) +
                       ": a quoted field is not closed");
    endRow();
    return rows;
}

CsvTable::CsvTable(std::string_view text, std::string source) : source_(std::move(source))
{
    rows_ = parseCsv(text, source_);
    if (rows_.empty())
        throw CsvError(source_ + ": no header row");
    const std::vector<std::string> header = std::move(rows_.front().fields);
    rows_.erase(rows_.begin());
    for (size_t i = 0; i < header.size(); ++i)
        columns_.emplace(header[i], i);
    for (size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].fields.size() != header.size())
            throw CsvError(where(r) + ": " + std::to_string(rows_[r].fields.size()) + " fields where the header has " +
                           std::to_string(header.size()));
}

std::string CsvTable::where(size_t row) const
{
    return source_ + ", line " + std::to_string(line(row));
}

bool CsvTable::hasColumn(std::string_view column) const
{
    return columns_.find(column) != columns_.end();
}

void CsvTable::require(std::initializer_list<std::string_view> columns) const
{
    for (const auto column : columns)
        if (!hasColumn(column))
            throw CsvError(source_ + ": the column \"" + std::string(column) + "\" is missing");
}

const std::string& CsvTable::field(size_t row, std::string_view column) const
{
    const auto it = columns_.find(column);
    if (it == columns_.end())
        throw CsvError(source_ + ": the column \"" + std::string(column) + "\" is missing");
    return rows_.at(row).fields[it->second];
}

} // namespace tarvelo::server
