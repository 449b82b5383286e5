#include "store.h"

#include "normalise.h"
#include "today.h"

#include <algorithm>

namespace tarvelo::server {
namespace {

constexpr std::string_view schema = R"sql(
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS sections(section TEXT PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS hs(code TEXT PRIMARY KEY, section TEXT NOT NULL, level INTEGER NOT NULL,
                              description TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS tariff(id INTEGER PRIMARY KEY, code TEXT NOT NULL UNIQUE, name TEXT NOT NULL,
                                  mfn TEXT NOT NULL, general TEXT NOT NULL, consumption TEXT NOT NULL,
                                  vat TEXT NOT NULL, unit TEXT NOT NULL, supervision TEXT NOT NULL,
                                  own_description TEXT NOT NULL, description TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS tariff_schedule(code TEXT NOT NULL, effective TEXT NOT NULL, name TEXT NOT NULL,
                                           mfn TEXT NOT NULL, general TEXT NOT NULL, consumption TEXT NOT NULL,
                                           vat TEXT NOT NULL, unit TEXT NOT NULL, supervision TEXT NOT NULL,
                                           own_description TEXT NOT NULL, PRIMARY KEY(code, effective));
CREATE TABLE IF NOT EXISTS rebate(id INTEGER PRIMARY KEY, code TEXT NOT NULL UNIQUE, name TEXT NOT NULL,
                                  unit TEXT NOT NULL, rate TEXT NOT NULL,
                                  own_description TEXT NOT NULL, description TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS article(id INTEGER PRIMARY KEY, title TEXT NOT NULL, updated TEXT NOT NULL,
                                   source TEXT NOT NULL, body TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS news(list TEXT NOT NULL, position INTEGER NOT NULL, title TEXT NOT NULL,
                                link TEXT NOT NULL, date TEXT NOT NULL, PRIMARY KEY(list, position));
CREATE TABLE IF NOT EXISTS commodity(id INTEGER PRIMARY KEY, code TEXT NOT NULL UNIQUE, name TEXT NOT NULL,
                                     description TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS hs_name(code TEXT PRIMARY KEY, name TEXT NOT NULL, source TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS section_name(section TEXT PRIMARY KEY, name TEXT NOT NULL, source TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS reference(term TEXT NOT NULL, code TEXT NOT NULL, own INTEGER NOT NULL,
                                     PRIMARY KEY(term, code, own));
CREATE TABLE IF NOT EXISTS gloss(word TEXT NOT NULL, english TEXT NOT NULL);
)sql";

// tariff holds one row per line, from its newest schedule; the rates in force
// on a given day are read from tariff_schedule (see tariffInForce).
constexpr std::string_view derive = R"sql(
DELETE FROM tariff;
INSERT INTO tariff(code, name, mfn, general, consumption, vat, unit, supervision, own_description)
    SELECT code, name, mfn, general, consumption, vat, unit, supervision, own_description FROM tariff_schedule s
    WHERE effective = (SELECT max(effective) FROM tariff_schedule WHERE code = s.code)
    ORDER BY code;
UPDATE tariff SET description = CASE WHEN own_description <> '' THEN own_description
    ELSE coalesce((SELECT description FROM hs WHERE hs.code = substr(tariff.code, 1, 6)), '') END;
UPDATE rebate SET description = CASE WHEN own_description <> '' THEN own_description
    ELSE coalesce((SELECT description FROM hs WHERE hs.code = substr(rebate.code, 1, 6)), '') END;
DELETE FROM commodity;
INSERT INTO commodity(code, name, description)
    SELECT code, name, description FROM (
        SELECT hs.code, coalesce(nullif(hs_name.name, ''), hs.description) AS name, hs.description
            FROM hs LEFT JOIN hs_name USING(code)
        UNION ALL SELECT code, name, description FROM tariff)
    ORDER BY code;
)sql";

[[noreturn]] void badRow(const CsvTable& table, size_t row, std::string_view problem)
{
    throw CsvError(table.source() + ", data row " + std::to_string(row + 1) + ": " + std::string(problem));
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

// 2024-03-01T09:30:00 followed by +08:00, -05:00 or Z.
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
    const std::string_view zone = t.substr(shape.size());
    return zone == "Z" || (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':');
}

std::string_view optional(const CsvTable& table, size_t row, std::string_view column)
{
    return table.hasColumn(column) ? std::string_view(table.field(row, column)) : std::string_view();
}

} // namespace

void createSchema(Connection& db)
{
    db.exec(schema);
}

void upgradeSchema(Connection& db)
{
    Statement s = db.prepare("SELECT count(*) FROM sqlite_schema WHERE name = 'tariff_schedule'");
    if (s.step() && s.integer(0) == 1)
        return;
    Transaction t(db);
    createSchema(db);
    db.exec("INSERT INTO tariff_schedule(code, effective, name, mfn, general, consumption, vat, unit, supervision, "
            "own_description) SELECT code, '', name, mfn, general, consumption, vat, unit, supervision, "
            "own_description FROM tariff");
    t.commit();
}

void loadHs(Connection& db, const CsvTable& nomenclature, const CsvTable& sections)
{
    nomenclature.require({"section", "hscode", "description", "level"});
    sections.require({"section", "name"});
    db.exec("DELETE FROM hs; DELETE FROM sections;");
    Statement addSection = db.prepare("INSERT INTO sections(section, name) VALUES(?1, ?2)");
    for (size_t r = 0; r < sections.size(); ++r)
        addSection.reset().bind(1, sections.field(r, "section")).bind(2, sections.field(r, "name")).run();
    Statement add = db.prepare("INSERT INTO hs(code, section, level, description) VALUES(?1, ?2, ?3, ?4)");
    for (size_t r = 0; r < nomenclature.size(); ++r) {
        const std::string& level = nomenclature.field(r, "level");
        if (level != "2" && level != "4" && level != "6")
            continue;
        const std::string& code = nomenclature.field(r, "hscode");
        if (!allDigits(code) || code.size() != static_cast<size_t>(level.front() - '0'))
            badRow(nomenclature, r, "the code \"" + code + "\" does not have " + level + " digits");
        add.reset()
            .bind(1, code)
            .bind(2, nomenclature.field(r, "section"))
            .bind(3, std::int64_t{level.front() - '0'})
            .bind(4, nomenclature.field(r, "description"))
            .run();
    }
}

void loadTariff(Connection& db, const CsvTable& table, std::string_view effective)
{
    table.require({"code", "name", "mfn", "general", "consumption", "vat", "unit", "supervision"});
    if (!effective.empty() && !isDate(effective))
        throw CsvError("the date \"" + std::string(effective) + "\" is not like 2026-01-01");
    if (effective.empty())
        db.exec("DELETE FROM tariff_schedule");
    else
        db.prepare("DELETE FROM tariff_schedule WHERE effective = ?1").bind(1, effective).run();
    Statement add = db.prepare(
        "INSERT OR REPLACE INTO tariff_schedule(code, effective, name, mfn, general, consumption, vat, unit, "
        "supervision, own_description) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    for (size_t r = 0; r < table.size(); ++r) {
        checkLineCode(table, r, table.field(r, "code"));
        // A row may carry its own date; the bundled sample's second schedule does.
        std::string_view date = optional(table, r, "effective");
        if (date.empty())
            date = effective;
        else if (!isDate(date))
            badRow(table, r, "the date \"" + std::string(date) + "\" is not like 2026-01-01");
        add.reset().bind(1, table.field(r, "code")).bind(2, date).bind(3, table.field(r, "name"));
        int index = 4;
        for (const auto column : {"mfn", "general", "consumption", "vat", "unit", "supervision"})
            add.bind(index++, table.field(r, column));
        add.bind(10, optional(table, r, "description")).run();
    }
}

void loadRebates(Connection& db, const CsvTable& table)
{
    table.require({"code", "name", "unit", "rate"});
    db.exec("DELETE FROM rebate");
    Statement add =
        db.prepare("INSERT INTO rebate(code, name, unit, rate, own_description) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (size_t r = 0; r < table.size(); ++r) {
        checkLineCode(table, r, table.field(r, "code"));
        add.reset()
            .bind(1, table.field(r, "code"))
            .bind(2, table.field(r, "name"))
            .bind(3, table.field(r, "unit"))
            .bind(4, table.field(r, "rate"))
            .bind(5, optional(table, r, "description"))
            .run();
    }
}

void loadArticles(Connection& db, const CsvTable& table)
{
    table.require({"id", "title", "updated", "source", "body"});
    db.exec("DELETE FROM article");
    Statement add = db.prepare("INSERT INTO article(id, title, updated, source, body) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string& id = table.field(r, "id");
        if (!allDigits(id) || id.size() > 12)
            badRow(table, r, "the id \"" + id + "\" is not a number");
        if (!isTimestamp(table.field(r, "updated")))
            badRow(table, r, "updated must look like 2024-03-01T09:30:00+08:00");
        add.reset()
            .bind(1, std::int64_t{std::stoll(id)})
            .bind(2, table.field(r, "title"))
            .bind(3, table.field(r, "updated"))
            .bind(4, table.field(r, "source"))
            .bind(5, table.field(r, "body"))
            .run();
    }
}

void loadNews(Connection& db, std::string_view list, const CsvTable& table)
{
    table.require({"title", "link", "date"});
    db.prepare("DELETE FROM news WHERE list = ?1").bind(1, list).run();
    Statement add = db.prepare("INSERT INTO news(list, position, title, link, date) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (size_t r = 0; r < table.size(); ++r)
        add.reset()
            .bind(1, list)
            .bind(2, static_cast<std::int64_t>(r))
            .bind(3, table.field(r, "title"))
            .bind(4, table.field(r, "link"))
            .bind(5, table.field(r, "date"))
            .run();
}

void loadHsNames(Connection& db, const CsvTable& names, const CsvTable& sectionNames)
{
    names.require({"hscode", "name", "source"});
    sectionNames.require({"section", "name", "source"});
    db.exec("DELETE FROM hs_name; DELETE FROM section_name;");
    Statement add = db.prepare("INSERT OR REPLACE INTO hs_name(code, name, source) VALUES(?1, ?2, ?3)");
    for (size_t r = 0; r < names.size(); ++r) {
        const std::string& code = names.field(r, "hscode");
        if (!allDigits(code) || (code.size() != 2 && code.size() != 4 && code.size() != 6))
            badRow(names, r, "the code \"" + code + "\" is not 2, 4 or 6 digits");
        add.reset().bind(1, code).bind(2, names.field(r, "name")).bind(3, names.field(r, "source")).run();
    }
    Statement addSection = db.prepare("INSERT OR REPLACE INTO section_name(section, name, source) VALUES(?1, ?2, ?3)");
    for (size_t r = 0; r < sectionNames.size(); ++r)
        addSection.reset()
            .bind(1, sectionNames.field(r, "section"))
            .bind(2, sectionNames.field(r, "name"))
            .bind(3, sectionNames.field(r, "source"))
            .run();
}

void loadReferences(Connection& db, const CsvTable& table, bool own)
{
    table.require({"term", "hscode"});
    Statement add = db.prepare("INSERT OR IGNORE INTO reference(term, code, own) VALUES(?1, ?2, ?3)");
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
        add.reset().bind(1, term).bind(2, code).bind(3, std::int64_t{own}).run();
    }
}

void clearReferences(Connection& db, bool own)
{
    db.prepare("DELETE FROM reference WHERE own = ?1").bind(1, std::int64_t{own}).run();
}

void loadGlosses(Connection& db, const CsvTable& table)
{
    table.require({"simplified", "english"});
    db.exec("DELETE FROM gloss");
    Statement add = db.prepare("INSERT INTO gloss(word, english) VALUES(?1, ?2)");
    for (size_t r = 0; r < table.size(); ++r)
        add.reset().bind(1, table.field(r, "simplified")).bind(2, table.field(r, "english")).run();
}

void setNotice(Connection& db, std::string_view notice)
{
    db.prepare("INSERT OR REPLACE INTO meta(key, value) VALUES('notice', ?1)").bind(1, notice).run();
}

void rebuildSearch(Connection& db)
{
    db.exec(derive);
}

} // namespace tarvelo::server
