#include "sqlsearch.h"

#include <algorithm>
#include <tuple>
#include <string>
#include <unordered_set>

namespace tarvelo::server {
namespace {

// Trigram indexes match terms of at least three characters.
constexpr size_t indexedTermLength = 3;

struct TextHit {
    std::int64_t id;
    int tier;
    size_t nameLength;
};

std::string sql(std::string_view a, std::string_view b, std::string_view c, std::string_view d = {},
                std::string_view e = {})
{
    std::string s;
    for (const auto part : {a, b, c, d, e})
        s += part;
    return s;
}

} // namespace

std::string ftsPhrase(std::string_view term)
{
    std::string q = "\"";
    for (const char c : term) {
        if (c == '"')
            q += '"';
        q += c;
    }
    q += '"';
    return q;
}

std::string likePattern(std::string_view term)
{
    std::string p = "%";
    for (const char c : term) {
        if (c == '%' || c == '_' || c == '\\')
            p += '\\';
        p += c;
    }
    p += '%';
    return p;
}

SqlSearch::SqlSearch(Connection& db, std::string_view table, std::string_view fts, bool codeColumn)
    : byPhrase_(db.prepare(sql("SELECT rowid, name, description FROM ", fts, " WHERE ", fts, " MATCH ?1"))),
      byPattern_(db.prepare(sql("SELECT rowid, name, description FROM ", fts,
                                " WHERE name LIKE ?1 ESCAPE '\\' OR description LIKE ?1 ESCAPE '\\'")))
{
    // Codes are digits only, so every code starting with ?1 sorts before ?1 || ':'.
    if (codeColumn)
        byCode_.emplace(db.prepare(
            sql("SELECT id FROM ", table, " WHERE code >= ?1 AND code < ?1 || ':' ORDER BY code LIMIT ?2")));
}

std::vector<std::int64_t> SqlSearch::find(const Keyword& keyword, size_t limit)
{
    std::vector<std::int64_t> ids;
    if (keyword.empty() || keyword.phrase.size() > maxKeywordBytes || limit == 0)
        return ids;
    if (byCode_ && !keyword.code.empty())
        codeMatches(keyword, limit, ids);
    if (ids.size() < limit)
        textMatches(keyword, ids);
    if (ids.size() > limit)
        ids.resize(limit);
    return ids;
}

void SqlSearch::codeMatches(const Keyword& keyword, size_t limit, std::vector<std::int64_t>& ids)
{
    Statement& s = byCode_->reset().bind(1, keyword.code).bind(2, static_cast<std::int64_t>(limit));
    while (s.step())
        ids.push_back(s.integer(0));
}

void SqlSearch::textMatches(const Keyword& keyword, std::vector<std::int64_t>& ids)
{
    const std::string& anchor = keyword.anchor();
    Statement& s = codePoints(anchor) >= indexedTermLength ? byPhrase_.reset().bind(1, ftsPhrase(anchor))
                                                           : byPattern_.reset().bind(1, likePattern(anchor));
    const std::unordered_set<std::int64_t> seen(ids.begin(), ids.end());
    std::vector<TextHit> hits;
    while (s.step()) {
        const std::int64_t id = s.integer(0);
        if (seen.contains(id))
            continue;
        const std::string name = asciiLower(s.text(1));
        const int tier = textTier(keyword, name, asciiLower(s.text(2)));
        if (tier != noMatch)
            hits.push_back({id, tier, codePoints(name)});
    }
    std::sort(hits.begin(), hits.end(), [](const TextHit& a, const TextHit& b) {
        return std::tie(a.tier, a.nameLength, a.id) < std::tie(b.tier, b.nameLength, b.id);
    });
    for (const TextHit& hit : hits)
        ids.push_back(hit.id);
}

} // namespace tarvelo::server
