#pragma once
// Ranked keyword search over the texts of one table, held in memory: exact
// code first, then codes starting with the keyword's digits in code order,
// then text matches by relevance tier (see textTier), shorter names first,
// then by id. Every text is kept in asciiLower form; n-gram postings (one,
// two and three code points) narrow the entries a keyword is checked against.
// Built once, then only read, so any number of threads may search at once.
#include "keyword.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvelo::server {

class TextIndex {
public:
    // Entries are added in code order (entries without codes: any order); an
    // entry's position is the number of entries added before it.
    void add(std::int64_t id, std::string_view code, std::string_view name, std::string_view description);

    // Positions of the matching entries, best first, at most limit of them.
    std::vector<std::uint32_t> find(const Keyword& keyword, size_t limit) const;

    size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::int64_t id;
        std::string code;
        std::string name;        // asciiLower
        std::string description; // asciiLower
        std::uint32_t nameLength; // code points
    };
    using Posting = std::vector<std::uint32_t>; // entry positions, ascending

    void index(std::string_view text, std::uint32_t position);
    // The shortest posting of the keyword's n-grams: the entries that may
    // hold every term. nullptr when no entry can, such as for a term that is
    // not valid UTF-8 (stored texts hold whole characters only).
    const Posting* narrowest(const Keyword& keyword) const;
    void codeMatches(const Keyword& keyword, size_t limit, std::vector<std::uint32_t>& out) const;
    void textMatches(const Keyword& keyword, size_t limit, std::vector<std::uint32_t>& out) const;

    std::vector<Entry> entries_;
    // Code points numbered in order of appearance; n-gram keys pack
    // n numbers of 21 bits each.
    std::unordered_map<char32_t, std::uint32_t> symbols_;
    std::array<std::unordered_map<std::uint64_t, Posting>, 3> postings_; // by n - 1
};

} // namespace tarvelo::server
