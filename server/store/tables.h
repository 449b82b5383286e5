#pragma once
// Writing the loaded tables of the service database. Each call replaces what
// it names inside the caller's transaction; the values arrive checked (see
// the importer's loaders). rebuildSearch (schema.h) must follow.
#include "records.h"
#include "sqlite.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// One row of the HS nomenclature: a chapter (2 digits), heading (4) or
// subheading (6) in its section.
struct HsRow {
    std::string code;
    std::string section;
    std::string description;
};
struct HsSection {
    std::string section;
    std::string name;
};
// A Chinese name of an HS code or section, and where it comes from (tw or ours).
struct HsName {
    std::string code; // or the section's numeral
    std::string name;
    std::string source;
};
// One schedule row of a national line: its rates from a day (effective
// 2026-01-01, or empty), its name, and its own English text (empty: its
// subheading's).
struct ScheduleRow {
    TariffRate rates;
    std::string name;
    std::string description;
};
struct ReferenceRow {
    std::string term;
    std::string code; // digits only
};
struct GlossRow {
    std::string word; // simplified Chinese
    std::string english;
};

void replaceHs(Connection& db, const std::vector<HsSection>& sections, const std::vector<HsRow>& rows);
void replaceHsNames(Connection& db, const std::vector<HsName>& names, const std::vector<HsName>& sectionNames);
// effective empty: every schedule is replaced; else only that day's. A later
// row for the same line and day replaces an earlier one.
void replaceSchedules(Connection& db, std::string_view effective, const std::vector<ScheduleRow>& rows);
// Each line's description is its own English text (empty: its subheading's).
void replaceRebates(Connection& db, const std::vector<RebateLine>& lines);
void replaceArticles(Connection& db, const std::vector<Article>& articles);
// list is "news" or "bubble"; items in list order.
void replaceNews(Connection& db, std::string_view list, const std::vector<NewsItem>& items);
// own marks the operator's terms, which an import replaces without touching
// the bundled ones. Adds to what is there; see clearReferences.
void addReferences(Connection& db, const std::vector<ReferenceRow>& rows, bool own);
void clearReferences(Connection& db, bool own);
void replaceGlosses(Connection& db, const std::vector<GlossRow>& rows);

// The codes of the HS nomenclature loaded (2, 4 and 6 digits), which
// imported codes are checked against.
std::vector<std::string> hsCodes(Connection& db);

// The line the detail pages show under the data, such as a note that the
// data is a sample; empty for none.
void setNotice(Connection& db, std::string_view notice);

} // namespace tarvelo::server
