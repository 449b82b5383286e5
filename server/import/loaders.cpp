#include "loaders.h"

#include "tables.h"
#include "text.h"
#include "today.h"
#include "values.h"

#include <algorithm>
#include <map>

namespace tarvelo::server {
namespace {

[[noreturn]] void badRow(const CsvTable& table, size_t row, std::string_view problem)
{
    throw CsvError(table.where(row) + ": " + std::string(problem));
}

// The line each key was first seen on; a key seen again refuses the table,
// since which row should win is the operator's call, not ours.
class FirstLines {
public:
    explicit FirstLines(const CsvTable& table) : table_(table) {}
    void add(size_t row, const std::string& key, std::string_view what)
    {
        const auto [at, fresh] = lines_.emplace(key, table_.line(row));
        if (!fresh)
            badRow(table_, row, std::string(what) + " is already on line " + std::to_string(at->second));
    }

private:
    const CsvTable& table_;
    std::map<std::string, size_t, std::less<>> lines_;
};

void checkRates(const CsvTable& table, size_t row, std::initializer_list<std::string_view> columns)
{
    for (const auto column : columns)
        if (!isRate(table.field(row, column)))
            badRow(table, row, "the " + std::string(column) + " rate \"" + table.field(row, column) +
                                   "\" is not like 13%, 7.5元/升 or 56%+0.003元/支");
}

bool allDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// National lines have 8 or 10 digits; shorter codes are HS headings.
void checkLineCode(const CsvTable& table, size_t row, std::string_view code)
{
    if (!allDigits(code) || (code.size() != 8 && code.size() != 10))
        badRow(table, row, "the code \"" + std::string(code) + "\" is not 8 or 10 digits");
}

int twoDigits(std::string_view t, size_t at)
{
    return (t[at] - '0') * 10 + (t[at + 1] - '0');
}

// 2024-03-01T09:30:00 followed by +08:00, -05:00 or Z; a real day and time.
bool isTimestamp(std::string_view t)
{
    constexpr std::string_view shape = "dddd-dd-ddTdd:dd:dd";
    if (t.size() < shape.size())
        return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        const bool ok = shape[i] == 'd' ? (t[i] >= '0' && t[i] <= '9') : t[i] == shape[i];
        if (!ok)
            return false;
    }
    if (!isDate(t.substr(0, 10)) || twoDigits(t, 11) > 23 || twoDigits(t, 14) > 59 || twoDigits(t, 17) > 59)
        return false;
    const std::string_view zone = t.substr(shape.size());
    return zone == "Z" || (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':');
}

std::string optional(const CsvTable& table, size_t row, std::string_view column)
{
    return table.hasColumn(column) ? table.field(row, column) : std::string();
}

} // namespace

void loadHs(Connection& db, const CsvTable& nomenclature, const CsvTable& sections)
{
    nomenclature.require({"section", "hscode", "description", "level"});
    sections.require({"section", "name"});
    std::vector<HsSection> sectionRows;
    FirstLines sectionLines(sections);
    for (size_t r = 0; r < sections.size(); ++r) {
        sectionLines.add(r, sections.field(r, "section"), "the section " + sections.field(r, "section"));
        sectionRows.push_back({sections.field(r, "section"), sections.field(r, "name")});
    }
    std::vector<HsRow> rows;
    FirstLines codeLines(nomenclature);
    for (size_t r = 0; r < nomenclature.size(); ++r) {
        const std::string& level = nomenclature.field(r, "level");
        if (level != "2" && level != "4" && level != "6")
            continue;
        const std::string& code = nomenclature.field(r, "hscode");
        if (!allDigits(code) || code.size() != static_cast<size_t>(level.front() - '0'))
            badRow(nomenclature, r, "the code \"" + code + "\" does not have " + level + " digits");
        codeLines.add(r, code, "the code " + code);
        rows.push_back({code, nomenclature.field(r, "section"), nomenclature.field(r, "description")});
    }
    replaceHs(db, sectionRows, rows);
}

void loadTariff(Connection& db, const CsvTable& table, std::string_view effective, UnknownCodes* unknown)
{
    table.require({"code", "name", "mfn", "general", "consumption", "vat", "unit", "supervision"});
    if (!effective.empty() && !isDate(effective))
        throw CsvError("the date \"" + std::string(effective) + "\" is not a date like 2026-01-01");
    std::vector<ScheduleRow> rows;
    FirstLines lines(table);
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string& code = table.field(r, "code");
        checkLineCode(table, r, code);
        checkRates(table, r, {"mfn", "general", "consumption", "vat"});
        // A row may carry its own date; the bundled sample's second schedule does.
        std::string date = optional(table, r, "effective");
        if (date.empty())
            date = effective;
        else if (!isDate(date))
            badRow(table, r, "the date \"" + date + "\" is not a date like 2026-01-01");
        lines.add(r, code + " " + date,
                  "the code " + code + (date.empty() ? std::string() : " in force from " + date));
        if (unknown)
            unknown->check(table, r, code);
        rows.push_back({{table.field(r, "code"), std::move(date), table.field(r, "mfn"), table.field(r, "general"),
                         table.field(r, "consumption"), table.field(r, "vat"), table.field(r, "unit"),
                         table.field(r, "supervision")},
                        table.field(r, "name"),
                        optional(table, r, "description")});
    }
    replaceSchedules(db, effective, rows);
}

void loadRebates(Connection& db, const CsvTable& table, UnknownCodes* unknown)
{
    table.require({"code", "name", "unit", "rate"});
    std::vector<RebateLine> lines;
    FirstLines codeLines(table);
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string& code = table.field(r, "code");
        checkLineCode(table, r, code);
        checkRates(table, r, {"rate"});
        codeLines.add(r, code, "the code " + code);
        if (unknown)
            unknown->check(table, r, code);
        lines.push_back({0, table.field(r, "code"), table.field(r, "name"), table.field(r, "unit"),
                         table.field(r, "rate"), optional(table, r, "description")});
    }
    replaceRebates(db, lines);
}

void loadArticles(Connection& db, const CsvTable& table)
{
    table.require({"id", "title", "updated", "source", "body"});
    std::vector<Article> articles;
    FirstLines idLines(table);
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string& id = table.field(r, "id");
        if (!allDigits(id) || id.size() > 12)
            badRow(table, r, "the id \"" + id + "\" is not a number");
        idLines.add(r, std::to_string(std::stoll(id)), "the id " + id);
        if (!isTimestamp(table.field(r, "updated")))
            badRow(table, r, "updated must look like 2024-03-01T09:30:00+08:00");
        articles.push_back({std::stoll(id), table.field(r, "title"), table.field(r, "updated"),
                            table.field(r, "source"), table.field(r, "body")});
    }
    replaceArticles(db, articles);
}

void loadNews(Connection& db, std::string_view list, const CsvTable& table)
{
    table.require({"title", "link", "date"});
    std::vector<NewsItem> items;
    for (size_t r = 0; r < table.size(); ++r)
        items.push_back({table.field(r, "title"), table.field(r, "link"), table.field(r, "date")});
    replaceNews(db, list, items);
}

void loadHsNames(Connection& db, const CsvTable& names, const CsvTable& sectionNames)
{
    names.require({"hscode", "name", "source"});
    sectionNames.require({"section", "name", "source"});
    std::vector<HsName> codes;
    for (size_t r = 0; r < names.size(); ++r) {
        const std::string& code = names.field(r, "hscode");
        if (!allDigits(code) || (code.size() != 2 && code.size() != 4 && code.size() != 6))
            badRow(names, r, "the code \"" + code + "\" is not 2, 4 or 6 digits");
        codes.push_back({code, names.field(r, "name"), names.field(r, "source")});
    }
    std::vector<HsName> sections;
    for (size_t r = 0; r < sectionNames.size(); ++r)
        sections.push_back(
            {sectionNames.field(r, "section"), sectionNames.field(r, "name"), sectionNames.field(r, "source")});
    replaceHsNames(db, codes, sections);
}

void loadReferences(Connection& db, const CsvTable& table, bool own, UnknownCodes* unknown)
{
    table.require({"term", "hscode"});
    std::vector<ReferenceRow> rows;
    FirstLines pairLines(table);
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string_view term = trimPunctuation(table.field(r, "term"));
        if (term.empty())
            badRow(table, r, "the term is empty");
        std::string code;
        for (const char c : table.field(r, "hscode"))
            if (c != '.' && c != ' ')
                code += c;
        if (!allDigits(code) || code.size() % 2 != 0 || code.size() < 2 || code.size() > 10)
            badRow(table, r, "the code \"" + table.field(r, "hscode") + "\" is not 2 to 10 digits (dots allowed)");
        pairLines.add(r, std::string(term) + "\n" + code, "\"" + std::string(term) + "\" pointing to " + code);
        if (unknown)
            unknown->check(table, r, code);
        rows.push_back({std::string(term), std::move(code)});
    }
    addReferences(db, rows, own);
}

void loadGlosses(Connection& db, const CsvTable& table)
{
    table.require({"simplified", "english"});
    std::vector<GlossRow> rows;
    rows.reserve(table.size());
    for (size_t r = 0; r < table.size(); ++r)
        rows.push_back({table.field(r, "simplified"), table.field(r, "english")});
    replaceGlosses(db, rows);
}

} // namespace tarvelo::server
