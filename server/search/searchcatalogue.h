#pragma once
// Everything the four searches answer with, read from the database in one
// read transaction and kept in memory with a ranked index per table (see
// RankedIndex) and the lexicon they share, so that a search touches neither
// SQLite nor the disk. Immutable once built: any number of threads search one
// catalogue at once.
#include "keyword.h"
#include "lexicon.h"
#include "rankedindex.h"
#include "records.h"
#include "searchsource.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tarvelo::server {

template <class Record>
class Listing {
public:
    Listing(Ties ties, std::shared_ptr<const Lexicon> lexicon) : index_(ties), lexicon_(std::move(lexicon)) {}

    // The texts may view into record: it is moved only once they are indexed.
    void add(Record&& record, std::string_view code, std::string_view order, std::string_view name,
             std::string_view description)
    {
        index_.add(code, order, name, description);
        records_.push_back(std::move(record));
    }
    // After the last add; see RankedIndex::link.
    void link(const std::filesystem::path& indexes, std::string_view name) { index_.link(*lexicon_, indexes, name); }
    // Best first, at most limit; the records live as long as the listing.
    std::vector<const Record*> find(const Keyword& keyword, size_t limit) const
    {
        std::vector<const Record*> found;
        for (const std::uint32_t position : index_.find(keyword, *lexicon_, limit))
            found.push_back(&records_[position]);
        return found;
    }

private:
    std::vector<Record> records_;
    RankedIndex index_;
    std::shared_ptr<const Lexicon> lexicon_;
};

class SearchCatalogue {
public:
    // generation tells catalogues read at different times apart; the tariff
    // lines carry the rates in force on today (2026-01-01), the day the
    // source was read for. The word indexes are kept in the folder indexes
    // when one is given (see WordIndex), else built in temporary folders.
    SearchCatalogue(SearchSource source, std::uint64_t generation, std::string_view today,
                    const std::filesystem::path& indexes = {});

    const Listing<TariffLine>& tariff() const { return tariff_; }
    const Listing<CommodityCode>& commodity() const { return commodity_; }
    const Listing<RebateLine>& rebates() const { return rebates_; }
    const Listing<Article>& articles() const { return articles_; }
    std::uint64_t generation() const { return generation_; }
    const std::string& today() const { return today_; }

    SearchCatalogue(const SearchCatalogue&) = delete;
    SearchCatalogue& operator=(const SearchCatalogue&) = delete;

private:
    std::shared_ptr<const Lexicon> lexicon_;
    Listing<TariffLine> tariff_;
    Listing<CommodityCode> commodity_;
    Listing<RebateLine> rebates_;
    Listing<Article> articles_;
    std::uint64_t generation_;
    std::string today_;
};

} // namespace tarvelo::server
