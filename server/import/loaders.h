#pragma once
// The loaders that fill the service database from CSV tables: each checks
// every row of its table (codes, rates, dates, a key given twice), then
// replaces its table (see tables.h). A bad row throws CsvError naming the
// table and the line; the caller's transaction then leaves the database as it
// was. Given UnknownCodes, codes are also checked against the nomenclature.
#include "csv.h"
#include "sqlite.h"
#include "unknowncodes.h"

#include <string_view>

namespace tarvelo::server {

// HS nomenclature: hscode, description, level (2, 4 or 6; other rows are
// skipped), section; sections: section, name.
void loadHs(Connection& db, const CsvTable& nomenclature, const CsvTable& sections);
// code, name, mfn, general, consumption, vat, unit, supervision[, description][, effective]
// With an empty effective date the file replaces every schedule; with a date
// (2026-01-01) it replaces only the schedule of that date, and lines it leaves
// out keep their earlier rates. A row's own effective column wins.
void loadTariff(Connection& db, const CsvTable& table, std::string_view effective = {},
                UnknownCodes* unknown = nullptr);
// code, name, unit, rate[, description]
void loadRebates(Connection& db, const CsvTable& table, UnknownCodes* unknown = nullptr);
// id, title, updated, source, body
void loadArticles(Connection& db, const CsvTable& table);
// Chinese names: hscode, name, source (tw or ours); sections: section,
// name, source.
void loadHsNames(Connection& db, const CsvTable& names, const CsvTable& sectionNames);
// Search references: term, hscode (digits, dots and spaces; 2 to 10 digits).
// own marks the operator's terms (see addReferences). A term may point to
// several codes, but to each only once.
void loadReferences(Connection& db, const CsvTable& table, bool own, UnknownCodes* unknown = nullptr);
// Dictionary glosses: simplified, english.
void loadGlosses(Connection& db, const CsvTable& table);
// title, link, date; list is "news" or "bubble"
void loadNews(Connection& db, std::string_view list, const CsvTable& table);

} // namespace tarvelo::server
