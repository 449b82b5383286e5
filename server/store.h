#pragma once
// The database layout and the loaders that fill it from CSV tables. Loading
// replaces a whole table; rebuildSearch refreshes the derived tables (the
// commodity list and the English descriptions) and must
// follow every load, inside the same transaction.
#include "csv.h"
#include "sqlite.h"

#include <string_view>

namespace tarvelo::server {

void createSchema(Connection& db);
// Adds what later versions keep beside an older database's tables; the
// undated rates of such a database become its one schedule.
void upgradeSchema(Connection& db);

// HS nomenclature: hscode, description, level (2, 4 or 6; other rows are
// skipped), section; sections: section, name.
void loadHs(Connection& db, const CsvTable& nomenclature, const CsvTable& sections);
// code, name, mfn, general, consumption, vat, unit, supervision[, description][, effective]
// With an empty effective date the file replaces every schedule; with a date
// (2026-01-01) it replaces only the schedule of that date, and lines it leaves
// out keep their earlier rates. A row's own effective column wins.
void loadTariff(Connection& db, const CsvTable& table, std::string_view effective = {});
// code, name, unit, rate[, description]
void loadRebates(Connection& db, const CsvTable& table);
// id, title, updated, source, body
void loadArticles(Connection& db, const CsvTable& table);
// Chinese names: hscode, name, source (tw or ours); sections: section,
// name, source.
void loadHsNames(Connection& db, const CsvTable& names, const CsvTable& sectionNames);
// Search references: term, hscode (digits, dots and spaces; 2 to 10 digits).
// own marks the operator's terms, which an import replaces without touching
// the bundled ones. Adds to what is there; see clearReferences.
void loadReferences(Connection& db, const CsvTable& table, bool own);
void clearReferences(Connection& db, bool own);
// Dictionary glosses: simplified, english.
void loadGlosses(Connection& db, const CsvTable& table);
// title, link, date; list is "news" or "bubble"
void loadNews(Connection& db, std::string_view list, const CsvTable& table);

// The line the detail pages show under the data, such as a note that the
// data is a sample; empty for none.
void setNotice(Connection& db, std::string_view notice);

void rebuildSearch(Connection& db);

} // namespace tarvelo::server
