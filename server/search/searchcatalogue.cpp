#include "searchcatalogue.h"

#include <future>

namespace tarvelo::server {

SearchCatalogue::SearchCatalogue(SearchSource source, std::uint64_t generation, std::string_view today,
                                 const std::filesystem::path& indexes)
    : lexicon_(std::make_shared<const Lexicon>(source)),
      tariff_(Ties::byCode, lexicon_),
      commodity_(Ties::byCode, lexicon_),
      rebates_(Ties::byCode, lexicon_),
      articles_(Ties::newestFirst, lexicon_),
      generation_(generation),
      today_(today)
{
    for (TariffLine& l : source.tariff)
        tariff_.add(std::move(l), l.code, {}, l.name, l.description);
    for (CommodityEntry& e : source.commodity)
        commodity_.add(std::move(e.code), e.code.code, {}, e.code.name, e.description);
    for (RebateLine& l : source.rebates)
        rebates_.add(std::move(l), l.code, {}, l.name, l.description);
    for (Article& a : source.articles)
        articles_.add(std::move(a), {}, a.updated, a.title, a.body);
    // The word indexes take seconds to build: the largest one on a thread of its own.
    auto commodity = std::async(std::launch::async, [this, &indexes] { commodity_.link(indexes, "commodity"); });
    tariff_.link(indexes, "tariff");
    rebates_.link(indexes, "rebates");
    articles_.link(indexes, "articles");
    commodity.get();
}

} // namespace tarvelo::server
