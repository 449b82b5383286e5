#pragma once
// Ranked search over one table and its trigram full-text index: exact code
// first, then codes starting with the keyword's digits, then text matches by
// relevance tier, shorter names before longer ones.
#include "keyword.h"
#include "sqlite.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvelo::server {

class SearchIndex {
public:
    // table has the columns id and code (unless codeColumn is false); fts is
    // its full-text index with the columns name and description, rowid = id.
    SearchIndex(Connection& db, std::string_view table, std::string_view fts, bool codeColumn);

    // Row ids, best first, at most limit of them.
    std::vector<std::int64_t> find(const Keyword& keyword, size_t limit);

private:
    void codeMatches(const Keyword& keyword, size_t limit, std::vector<std::int64_t>& ids);
    void textMatches(const Keyword& keyword, std::vector<std::int64_t>& ids);

    std::optional<Statement> byCode_;
    Statement byPhrase_;  // trigram index, terms of three or more characters
    Statement byPattern_; // LIKE scan for shorter terms
};

} // namespace tarvelo::server
