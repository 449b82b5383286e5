#include "schema.h"

namespace tarvelo::server {
namespace {

constexpr std::string_view schema = R"sql(
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS provenance(dataset TEXT PRIMARY KEY, sample INTEGER NOT NULL, file TEXT NOT NULL,
                                      imported TEXT NOT NULL);
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

} // namespace

void createSchema(Connection& db)
{
    db.exec(schema);
}

bool hasTable(Connection& db, std::string_view name)
{
    Statement s = db.prepare("SELECT count(*) FROM sqlite_schema WHERE name = ?1");
    return s.bind(1, name).step() && s.integer(0) == 1;
}

void upgradeSchema(Connection& db)
{
    const bool dated = hasTable(db, "tariff_schedule");
    if (dated && hasTable(db, "provenance"))
        return;
    Transaction t(db);
    createSchema(db);
    if (!dated)
        db.exec("INSERT INTO tariff_schedule(code, effective, name, mfn, general, consumption, vat, unit, supervision, "
                "own_description) SELECT code, '', name, mfn, general, consumption, vat, unit, supervision, "
                "own_description FROM tariff");
    t.commit();
}

void rebuildSearch(Connection& db)
{
    db.exec(derive);
}

void copyDatabase(const std::filesystem::path& live, const std::filesystem::path& copy)
{
    // A consistent copy, read like any other reader reads the live file.
    Connection db(live, Connection::Mode::ReadOnly);
    db.prepare("VACUUM INTO ?1").bind(1, copy.string()).run();
}

} // namespace tarvelo::server
