#include "searchcatalogue.h"

#include "rows.h"

#include <string>

namespace tarvelo::server {
namespace {

std::string selectAll(std::string_view columns, std::string_view table, std::string_view order)
{
    return "SELECT " + std::string(columns) + " FROM " + std::string(table) + " ORDER BY " + std::string(order);
}

} // namespace

SearchCatalogue::SearchCatalogue(Connection& db, std::uint64_t generation, std::string_view today)
    : SearchCatalogue(db, generation, today, ReadTransaction(db))
{
}

SearchCatalogue::SearchCatalogue(Connection& db, std::uint64_t generation, std::string_view today,
                                 const ReadTransaction&)
    : lexicon_(std::make_shared<const Lexicon>(db)),
      tariff_(Ties::byCode, lexicon_),
      commodity_(Ties::byCode, lexicon_),
      rebates_(Ties::byCode, lexicon_),
      articles_(Ties::newestFirst, lexicon_),
      generation_(generation),
      today_(today)
{
    // Codes ascending: the ranked indexes find code prefixes by binary search.
    Statement tariff = db.prepare(std::string(tariffInForce) + " ORDER BY t.code");
    tariff.bind(1, today);
    while (tariff.step())
        tariff_.add(tariffRow(tariff), tariff.text(1), {}, tariff.text(2), tariff.text(9));
    Statement commodity = db.prepare(selectAll("id, code, name, description", "commodity", "code"));
    while (commodity.step())
        commodity_.add(CommodityCode{commodity.integer(0), std::string(commodity.text(1)), std::string(commodity.text(2))},
                       commodity.text(1), {}, commodity.text(2), commodity.text(3));
    Statement rebates = db.prepare(selectAll(rebateColumns, "rebate", "code"));
    while (rebates.step())
        rebates_.add(rebateRow(rebates), rebates.text(1), {}, rebates.text(2), rebates.text(5));
    Statement articles = db.prepare(selectAll(articleColumns, "article", "id"));
    while (articles.step())
        articles_.add(articleRow(articles), {}, articles.text(2), articles.text(1), articles.text(4));
    tariff_.link();
    commodity_.link();
    rebates_.link();
}

} // namespace tarvelo::server
