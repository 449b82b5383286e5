#include "searchsource.h"

#include "rows.h"
#include "sqlite.h"

namespace tarvelo::server {
namespace {

std::string selectAll(std::string_view columns, std::string_view table, std::string_view order)
{
    return "SELECT " + std::string(columns) + " FROM " + std::string(table) + " ORDER BY " + std::string(order);
}

} // namespace

SearchSource readSearchSource(const std::filesystem::path& database, std::string_view today)
{
    Connection db(database, Connection::Mode::ReadOnly);
    const ReadTransaction read(db);
    SearchSource source;
    // Codes ascending: the search finds code prefixes by binary search.
    Statement tariff = db.prepare(std::string(tariffInForce) + " ORDER BY t.code");
    tariff.bind(1, today);
    while (tariff.step())
        source.tariff.push_back(tariffRow(tariff));
    Statement commodity = db.prepare(selectAll("id, code, name, description", "commodity", "code"));
    while (commodity.step())
        source.commodity.push_back(
            {{commodity.integer(0), std::string(commodity.text(1)), std::string(commodity.text(2))},
             std::string(commodity.text(3))});
    Statement rebates = db.prepare(selectAll(rebateColumns, "rebate", "code"));
    while (rebates.step())
        source.rebates.push_back(rebateRow(rebates));
    Statement articles = db.prepare(selectAll(articleColumns, "article", "id"));
    while (articles.step())
        source.articles.push_back(articleRow(articles));

    Statement terms = db.prepare("SELECT term, code FROM reference ORDER BY term, code");
    while (terms.step())
        source.references.push_back({std::string(terms.text(0)), std::string(terms.text(1))});
    Statement names = db.prepare(
        "SELECT hs.code, coalesce(hs_name.name, ''), hs.description FROM hs LEFT JOIN hs_name USING(code) ORDER BY hs.code");
    while (names.step())
        source.hs.push_back({std::string(names.text(0)), std::string(names.text(1)), std::string(names.text(2))});
    Statement pairs = db.prepare("SELECT word, english FROM gloss ORDER BY word, english");
    while (pairs.step())
        source.glosses.push_back({std::string(pairs.text(0)), std::string(pairs.text(1))});
    return source;
}

} // namespace tarvelo::server
