#include "textindex.h"

#include <algorithm>
#include <tuple>

namespace tarvelo::server {
namespace {

constexpr size_t longestGram = 3;
constexpr int symbolBits = 21;

bool continuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// One code point of UTF-8 text at pos, advancing pos. A byte that does not
// start a complete sequence stands for itself (beyond U+10FFFF) and advances
// by one: a term of whole characters found in a text then decodes the same
// in both, whatever surrounds it.
struct Decoded {
    char32_t value;
    bool valid;
};
Decoded nextCodePoint(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    bool complete = length != 0 && pos + length <= text.size();
    for (size_t i = 1; complete && i < length; ++i)
        complete = continuation(static_cast<unsigned char>(text[pos + i]));
    if (!complete) {
        ++pos;
        return {char32_t{0x110000} + lead, false};
    }
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
        value = (value << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    pos += length;
    return {value, true};
}

std::uint64_t gramKey(const std::uint32_t* symbols, size_t n)
{
    std::uint64_t key = 0;
    for (size_t i = 0; i < n; ++i)
        key = (key << symbolBits) | symbols[i];
    return key;
}

} // namespace

void TextIndex::add(std::int64_t id, std::string_view code, std::string_view name, std::string_view description)
{
    const auto position = static_cast<std::uint32_t>(entries_.size());
    Entry& entry = entries_.emplace_back(Entry{id, std::string(code), asciiLower(name), asciiLower(description),
                                               static_cast<std::uint32_t>(codePoints(name))});
    index(entry.name, position);
    index(entry.description, position);
}

void TextIndex::index(std::string_view text, std::uint32_t position)
{
    std::vector<std::uint32_t> symbols;
    symbols.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = nextCodePoint(text, pos).value;
        symbols.push_back(symbols_.try_emplace(c, static_cast<std::uint32_t>(symbols_.size())).first->second);
    }
    for (size_t n = 1; n <= longestGram; ++n)
        for (size_t i = 0; i + n <= symbols.size(); ++i) {
            Posting& posting = postings_[n - 1][gramKey(&symbols[i], n)];
            if (posting.empty() || posting.back() != position)
                posting.push_back(position);
        }
}

const TextIndex::Posting* TextIndex::narrowest(const Keyword& keyword) const
{
    const Posting* best = nullptr;
    std::vector<std::uint32_t> symbols;
    for (const std::string& term : keyword.terms) {
        symbols.clear();
        for (size_t pos = 0; pos < term.size();) {
            const Decoded c = nextCodePoint(term, pos);
            const auto found = symbols_.find(c.value);
            if (!c.valid || found == symbols_.end())
                return nullptr; // a broken character, or one no text holds
            symbols.push_back(found->second);
        }
        const size_t n = std::min(longestGram, symbols.size());
        for (size_t i = 0; i + n <= symbols.size(); ++i) {
            const auto found = postings_[n - 1].find(gramKey(&symbols[i], n));
            if (found == postings_[n - 1].end())
                return nullptr;
            if (!best || found->second.size() < best->size())
                best = &found->second;
        }
    }
    return best;
}

std::vector<std::uint32_t> TextIndex::find(const Keyword& keyword, size_t limit) const
{
    std::vector<std::uint32_t> out;
    if (keyword.empty() || keyword.phrase.size() > maxKeywordBytes || limit == 0)
        return out;
    codeMatches(keyword, limit, out);
    if (out.size() < limit)
        textMatches(keyword, limit, out);
    return out;
}

void TextIndex::codeMatches(const Keyword& keyword, size_t limit, std::vector<std::uint32_t>& out) const
{
    if (keyword.code.empty())
        return;
    const std::string_view code = keyword.code;
    auto it = std::lower_bound(entries_.begin(), entries_.end(), code,
                               [](const Entry& e, std::string_view c) { return e.code < c; });
    for (; it != entries_.end() && out.size() < limit && it->code.starts_with(code); ++it)
        out.push_back(static_cast<std::uint32_t>(it - entries_.begin()));
}

void TextIndex::textMatches(const Keyword& keyword, size_t limit, std::vector<std::uint32_t>& out) const
{
    const Posting* candidates = narrowest(keyword);
    if (!candidates)
        return;
    // Code matches are one run of positions, starting at out.front().
    const std::uint32_t codeFirst = out.empty() ? 0 : out.front();
    const auto codeEnd = static_cast<std::uint32_t>(codeFirst + out.size());
    struct Hit {
        int tier;
        std::uint32_t nameLength;
        std::int64_t id;
        std::uint32_t position;
    };
    std::vector<Hit> hits;
    const auto consider = [&](std::uint32_t position) {
        if (position >= codeFirst && position < codeEnd)
            return;
        const Entry& e = entries_[position];
        const int tier = textTier(keyword, e.name, e.description);
        if (tier != noMatch)
            hits.push_back({tier, e.nameLength, e.id, position});
    };
    hits.reserve(candidates->size());
    for (const std::uint32_t position : *candidates)
        consider(position);
    const size_t wanted = std::min(hits.size(), limit - out.size());
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(wanted), hits.end(),
                      [](const Hit& a, const Hit& b) {
                          return std::tie(a.tier, a.nameLength, a.id) < std::tie(b.tier, b.nameLength, b.id);
                      });
    for (size_t i = 0; i < wanted; ++i)
        out.push_back(hits[i].position);
}

} // namespace tarvelo::server
