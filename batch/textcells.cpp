#include "table.h"

#include "service/cp936.h"
#include "utf8.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace tarvelo::batch {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// Text as UTF-8: a byte order mark dropped, bytes that are not UTF-8 read as
// code page 936 (what Excel and WPS save "CSV" as on a Chinese desktop).
std::string asUtf8(std::string_view bytes)
{
    if (bytes.starts_with(byteOrderMark))
        bytes.remove_prefix(byteOrderMark.size());
    return validUtf8(bytes) ? std::string(bytes) : service::cp936ToUtf8(bytes);
}

std::vector<std::string> split(std::string_view line, char separator)
{
    std::vector<std::string> cells;
    for (size_t from = 0;;) {
        const size_t at = line.find(separator, from);
        cells.emplace_back(line.substr(from, at - from));
        if (at == std::string_view::npos)
            return cells;
        from = at + 1;
    }
}

bool blank(const std::vector<std::string>& cells)
{
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& c) { return c.find_first_not_of(" \t\r") == std::string::npos; });
}

} // namespace

Table readPastedText(std::string_view text)
{
    const std::string utf8 = asUtf8(text);
    Table table;
    int line = 0;
    std::istringstream in(utf8);
    for (std::string row; std::getline(in, row);) {
        ++line;
        if (row.ends_with('\r'))
            row.pop_back();
        auto cells = split(row, row.find('\t') != std::string::npos ? '\t' : ',');
        if (!blank(cells))
            table.push_back({line, std::move(cells)});
    }
    return table;
}

Table readCsv(std::string_view bytes)
{
    const std::string text = asUtf8(bytes);
    Table table;
    SourceRow row{1, {}};
    std::string cell;
    int line = 1;
    bool quoted = false;
    bool cellStarted = false; // a quote opens a cell only at its start
    int quoteLine = 0;
    const auto endCell = [&] {
        row.cells.push_back(std::move(cell));
        cell.clear();
        cellStarted = false;
    };
    const auto endRow = [&] {
        endCell();
        if (!blank(row.cells))
            table.push_back(std::move(row));
        row = SourceRow{line, {}};
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else if (c == '"')
                quoted = false;
            else
                cell += c, line += c == '\n';
        } else if (c == '"' && !cellStarted) {
            quoted = cellStarted = true;
            quoteLine = line;
        } else if (c == ',') {
            endCell();
        } else if (c == '\n') {
            ++line;
            endRow();
        } else if (c != '\r') {
            // Further in, a quote is the text's own: 2" is two inches.
            cell += c;
            cellStarted = true;
        }
    }
    // Otherwise every row after it would be read as part of one cell.
    if (quoted)
        throw ListError("line " + std::to_string(quoteLine) + ": a quoted cell is never closed");
    if (!cell.empty() || !row.cells.empty())
        endRow();
    return table;
}

Table readListFile(const std::string& path)
{
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    if (!in)
        throw ListError("cannot open " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        throw ListError("cannot read " + path);
    if (hasEnding(path, ".xlsx"))
        return readXlsx(bytes.view());
    if (hasEnding(path, ".csv"))
        return readCsv(bytes.view());
    return readPastedText(bytes.view());
}

bool hasEnding(std::string_view path, std::string_view ending)
{
    return path.size() >= ending.size() &&
           std::equal(ending.rbegin(), ending.rend(), path.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace tarvelo::batch
