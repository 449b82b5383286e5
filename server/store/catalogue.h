#pragma once
// One read-only connection to the service database with its prepared
// statements: the lookups of the detail pages and the news lists. Used by
// one thread at a time (see CataloguePool). Searches are answered from
// memory (see SearchCatalogue).
#include "records.h"
#include "sqlite.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvelo::server {

class Catalogue {
public:
    explicit Catalogue(const std::filesystem::path& database);

    // Lines whose code starts with prefix, in code order, with the rates in
    // force on today (2026-01-01).
    std::vector<TariffLine> tariffUnder(std::string_view prefix, std::string_view today);
    // Every schedule of those lines, by code, oldest first.
    std::vector<TariffRate> tariffHistory(std::string_view prefix);
    std::vector<RebateLine> rebatesUnder(std::string_view prefix);
    std::optional<Article> article(std::int64_t id);
    // Section, chapter, heading and subheading above (and including) code, as
    // far as they exist.
    std::vector<HsEntry> hsPath(std::string_view code);
    // "news" or "bubble", in list order.
    std::vector<NewsItem> news(std::string_view list);
    // The note shown under the data on detail pages (see setNotice).
    std::string notice();
    // The notice when table (see provenance.h) holds the bundled sample, else empty.
    std::string sampleNotice(std::string_view table);

private:
    Connection db_;
    Statement articleById_;
    Statement tariffUnder_;
    Statement tariffHistory_;
    Statement rebatesUnder_;
    Statement hsEntry_;
    Statement section_;
    Statement news_;
};

} // namespace tarvelo::server
