#pragma once
// The HTML pages the service serves besides its SOAP answers: the detail
// pages its answers link to and the operations overview. UTF-8 throughout.
#include "records.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// A tariff line, or every line under a heading, with the rates in force on
// today; path is the HS context, history every schedule of those lines,
// site the "http[s]://host:port" its calculator asks.
std::string tariffPage(std::string_view code, const std::vector<HsEntry>& path, const std::vector<TariffLine>& lines,
                       const std::vector<TariffRate>& history, std::string_view today, std::string_view notice,
                       std::string_view site);
std::string rebatePage(std::string_view code, const std::vector<HsEntry>& path, const std::vector<RebateLine>& lines,
                       std::string_view notice);
std::string articlePage(const Article& article, std::string_view notice);
std::string notFoundPage(std::string_view what);
// GET /Service.asmx: the operations and how to call them.
std::string operationsPage(std::string_view endpoint);

// The site's own pages, at the addresses the desktop program's menu opens on
// its maker's site (so/Search.asp, gs/Ask/Add_Question.asp) and at /.
inline constexpr std::string_view searchPagePath = "/so/Search.asp";
inline constexpr std::string_view questionPagePath = "/gs/Ask/Add_Question.asp";
// The query parameter of the search form.
inline constexpr std::string_view searchKeywordParameter = "keyword";

struct SearchHit {
    std::string code;
    std::string name;
};
// The search form holding keyword and, when a keyword was given, its hits
// (each linked to its tariff page) or a line saying there were none.
std::string searchPage(std::string_view keyword, const std::vector<SearchHit>& hits, std::size_t limit);
// How to reach whoever runs this service; contact is their own text (an
// address, a telephone number), empty for a generic one.
std::string questionPage(std::string_view contact);
std::string homePage();

inline constexpr std::string_view htmlContentType = "text/html; charset=utf-8";

} // namespace tarvelo::server
