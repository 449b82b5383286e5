#pragma once
// The ranked search asked of SQLite: the trigram full-text index of a table
// for terms of three or more characters, a LIKE scan for shorter ones, the
// code column for codes. The tests hold the service's in-memory search
// (TextIndex) to the same answers.
#include "keyword.h"
#include "sqlite.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// The SQLite FTS5 query for a term: one quoted phrase.
std::string ftsPhrase(std::string_view term);
// A LIKE pattern finding the term anywhere, with \ as the escape character.
std::string likePattern(std::string_view term);

class SqlSearch {
public:
    // table has the columns id and code (unless codeColumn is false); fts is
    // its full-text index with the columns name and description, rowid = id.
    SqlSearch(Connection& db, std::string_view table, std::string_view fts, bool codeColumn);

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
