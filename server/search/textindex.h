#pragma once
// Texts held in memory in normalised, tokenised form, and which of them hold
// a keyword. An entry has a name and a description; what is found is how
// well each fits (see Fit). Word tokens match by stem; ideograph runs match as
// substrings. Postings of words and of one to three
// ideographs narrow the entries a keyword is checked against.
// Built once, then only read, so any number of threads may search at once.
#include "keyword.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvelo::server {

enum class Fit : std::uint8_t {
    none,
    contains, // every token somewhere
    whole,    // the tokens in a row: whole words, whole runs of ideographs (or
              // whole phrases of a run joined by 及 or 或)
    equal,    // whole, and nothing else in the text
};

class TextIndex {
public:
    struct Match {
        std::uint32_t position;
        Fit name;
        Fit description;
    };

    // An entry's position is the number of entries added before it. Texts as
    // stored; they are normalised here.
    void add(std::string_view name, std::string_view description);

    // The entries whose name or description holds every token of keyword, in
    // position order.
    std::vector<Match> find(const Keyword& keyword) const;

    size_t size() const { return entries_.size(); }
    // An entry's texts in their normalised form.
    std::string_view name(std::uint32_t position) const { return entries_[position].name.folded; }
    std::string_view description(std::uint32_t position) const { return entries_[position].description.folded; }

private:
    struct Text {
        std::string folded;
        std::vector<Token> tokens;
    };
    struct Entry {
        Text name;
        Text description;
    };
    using Posting = std::vector<std::uint32_t>; // entry positions, ascending

    void index(const Text& text, std::uint32_t position);
    static Fit fit(const Text& text, const std::vector<Token>& tokens);

    std::vector<Entry> entries_;
    std::unordered_map<std::string, Posting> words_;
    std::array<std::unordered_map<std::uint64_t, Posting>, 3> grams_; // by length - 1
};

} // namespace tarvelo::server
