// Reads the first worksheet of an XLSX file: a zip archive (libzip) of XML
// parts (pugixml). Only cell text is read: shared strings, inline strings
// and numbers as written.
#include "table.h"

#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace tarvelo::batch {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

Archive openArchive(std::string_view bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    // The source does not own the bytes; the archive frees the source.
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        if (source)
            zip_source_free(source);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw ListError("not an XLSX file (" + reason + ")");
    }
    zip_error_fini(&error);
    return Archive(archive);
}

std::optional<std::string> readPart(zip_t* archive, const std::string& name)
{
    zip_stat_t stat;
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return std::nullopt;
    // A worksheet of a goods list is far below this; more is not a goods list.
    constexpr zip_uint64_t largest = 256u << 20;
    if (stat.size > largest)
        throw ListError("the XLSX part " + name + " is too large");
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen(archive, name.c_str(), 0), zip_fclose);
    if (!file)
        return std::nullopt;
    std::string text(stat.size, '\0');
    if (zip_fread(file.get(), text.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
        throw ListError("the XLSX part " + name + " cannot be read");
    return text;
}

pugi::xml_document parsePart(zip_t* archive, const std::string& name, bool required)
{
    pugi::xml_document doc;
    const auto text = readPart(archive, name);
    if (!text) {
        if (required)
            throw ListError("not an XLSX file (no " + name + ")");
        return doc;
    }
    if (!doc.load_buffer(text->data(), text->size()))
        throw ListError("the XLSX part " + name + " is not well-formed XML");
    return doc;
}

// Every text run of an element, in order: a rich-text string has several.
std::string runs(const pugi::xml_node& node)
{
    std::string text;
    for (const pugi::xpath_node& t : node.select_nodes(".//*[local-name()='t']"))
        text += t.node().text().get();
    return text;
}

// The worksheet the workbook lists first, as a path inside the archive.
std::string firstSheet(zip_t* archive)
{
    const pugi::xml_document workbook = parsePart(archive, "xl/workbook.xml", true);
    const pugi::xml_node sheet = workbook.select_node("//*[local-name()='sheet']").node();
    std::string id;
    for (const pugi::xml_attribute& a : sheet.attributes())
        if (std::string_view(a.name()).ends_with(":id"))
            id = a.value();
    const pugi::xml_document relations = parsePart(archive, "xl/_rels/workbook.xml.rels", true);
    for (const pugi::xpath_node& r : relations.select_nodes("//*[local-name()='Relationship']")) {
        if (id != r.node().attribute("Id").value())
            continue;
        const std::string target = r.node().attribute("Target").value();
        return target.starts_with('/') ? target.substr(1) : "xl/" + target;
    }
    throw ListError("the XLSX workbook names no worksheet");
}

// "BC12" -> 54 (0-based column); -1 when the reference has no letters.
int columnOf(std::string_view reference)
{
    int column = 0;
    size_t letters = 0;
    for (; letters < reference.size() && reference[letters] >= 'A' && reference[letters] <= 'Z' && letters < 4;
         ++letters)
        column = column * 26 + (reference[letters] - 'A' + 1);
    return letters == 0 ? -1 : column - 1;
}

std::string_view localName(const pugi::xml_node& node)
{
    const std::string_view name = node.name();
    return name.substr(name.find(':') + 1);
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name)
{
    for (const pugi::xml_node& c : node.children())
        if (localName(c) == name)
            return c;
    return {};
}

std::string cellText(const pugi::xml_node& cell, const std::vector<std::string>& shared, int row)
{
    const std::string_view type = cell.attribute("t").value();
    const pugi::xml_node value = child(cell, "v");
    if (type == "s") {
        const size_t index = value ? value.text().as_uint() : shared.size();
        if (index >= shared.size())
            throw ListError("row " + std::to_string(row) + " refers to a missing shared string");
        return shared[index];
    }
    if (type == "inlineStr")
        return runs(cell);
    return value.text().get();
}

} // namespace

Table readXlsx(std::string_view bytes)
{
    const Archive archive = openArchive(bytes);
    std::vector<std::string> shared;
    const pugi::xml_document strings = parsePart(archive.get(), "xl/sharedStrings.xml", false);
    for (const pugi::xpath_node& si : strings.select_nodes("//*[local-name()='si']"))
        shared.push_back(runs(si.node()));

    const pugi::xml_document sheet = parsePart(archive.get(), firstSheet(archive.get()), true);
    Table table;
    int rowNumber = 0;
    for (const pugi::xpath_node& r : sheet.select_nodes("//*[local-name()='sheetData']/*[local-name()='row']")) {
        const pugi::xml_node row = r.node();
        rowNumber = row.attribute("r").as_int(rowNumber + 1);
        SourceRow source{rowNumber, {}};
        for (const pugi::xml_node& c : row.children()) {
            if (localName(c) != "c")
                continue;
            const int column = columnOf(c.attribute("r").value());
            const size_t at = column < 0 ? source.cells.size() : static_cast<size_t>(column);
            if (at >= source.cells.size())
                source.cells.resize(at + 1);
            source.cells[at] = cellText(c, shared, rowNumber);
        }
        const bool blank = std::all_of(source.cells.begin(), source.cells.end(),
                                       [](const std::string& cell) { return cell.empty(); });
        if (!blank)
            table.push_back(std::move(source));
    }
    return table;
}

} // namespace tarvelo::batch
