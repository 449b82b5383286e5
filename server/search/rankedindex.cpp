#include "rankedindex.h"

#include <algorithm>
#include <tuple>

namespace tarvelo::server {
namespace {

enum Rank : std::uint8_t {
    exactTerm,
    translatedTerm,
    wholeInName,
    termContaining,
    inName,
    inDescription,
    inParent,
    byDictionary,
    unranked,
};

// Declarable lines before headings before chapters.
int level(std::string_view code)
{
    return code.size() >= 6 || code.empty() ? 0 : code.size() >= 4 ? 1 : 2;
}

} // namespace

void RankedIndex::add(std::string_view code, std::string_view order, std::string_view name, std::string_view description)
{
    codes_.emplace_back(code);
    order_.emplace_back(order);
    text_.add(name, description);
}

RankedIndex::Run RankedIndex::under(std::string_view prefix) const
{
    const auto first = std::lower_bound(codes_.begin(), codes_.end(), prefix,
                                        [](const std::string& c, std::string_view p) { return c < p; });
    auto last = first;
    while (last != codes_.end() && last->starts_with(prefix))
        ++last;
    return {static_cast<std::uint32_t>(first - codes_.begin()), static_cast<std::uint32_t>(last - codes_.begin())};
}

void RankedIndex::link(const Lexicon& lexicon)
{
    if (ties_ != Ties::byCode)
        return;
    referenceRuns_.clear();
    for (const std::string& code : lexicon.referenceCodes)
        referenceRuns_.push_back(under(code));
    belowHs_.clear();
    for (const std::string& code : lexicon.hsCodes) {
        Run run = under(code);
        if (run.first < run.second && codes_[run.first] == code)
            ++run.first;
        belowHs_.push_back(run);
    }
}

std::vector<std::uint32_t> RankedIndex::codeMatches(std::string_view code, size_t limit) const
{
    const auto [first, last] = under(code);
    std::vector<std::uint32_t> out(last - first);
    for (std::uint32_t p = first; p < last; ++p)
        out[p - first] = p;
    const size_t wanted = std::min(limit, out.size());
    std::partial_sort(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(wanted), out.end(),
                      [&](std::uint32_t a, std::uint32_t b) {
                          return std::pair(codes_[a].size(), a) < std::pair(codes_[b].size(), b);
                      });
    out.resize(wanted);
    return out;
}

std::vector<std::uint32_t> RankedIndex::find(const Keyword& keyword, const Lexicon& lexicon, size_t limit) const
{
    if (keyword.empty() || limit == 0)
        return {};
    if (!keyword.code.empty())
        return codeMatches(keyword.code, limit);

    std::vector<std::uint8_t> rank(codes_.size(), unranked);
    const auto mark = [&](std::uint32_t position, Rank r) { rank[position] = std::min<std::uint8_t>(rank[position], r); };
    const auto markRun = [&](Run run, Rank r) {
        for (std::uint32_t p = run.first; p < run.second; ++p)
            mark(p, r);
    };
    const bool coded = ties_ == Ties::byCode;
    // A word any text knows is taken as spelt; only unknown words are
    // corrected.
    std::vector<bool> known;
    for (const Token& t : keyword.tokens)
        known.push_back(t.word && (text_.knows(t.text) || (coded && (lexicon.references.knows(t.text) ||
                                                                      lexicon.hs.knows(t.text)))));
    bool referenced = false;
    bool exact = false;
    if (coded) {
        for (const TextIndex::Match& m : lexicon.references.find(keyword, known)) {
            if (m.name == Fit::none)
                continue;
            referenced = true;
            exact = exact || m.name == Fit::equal;
            markRun(referenceRuns_[m.position], m.name == Fit::equal ? exactTerm : termContaining);
        }
    }
    // A Latin keyword no reference equals: the Chinese words the dictionary
    // glosses with it, where a reference equals them.
    if (coded && !exact && !keyword.hasIdeographs()) {
        if (const auto glossing = lexicon.words.find(comparedForm(keyword)); glossing != lexicon.words.end()) {
            for (const std::string& word : glossing->second)
                for (const TextIndex::Match& m : lexicon.references.find(parseKeyword(word)))
                    if (m.name == Fit::equal)
                        markRun(referenceRuns_[m.position], translatedTerm);
        }
    }
    for (const TextIndex::Match& m : text_.find(keyword, known)) {
        // The English description of a code is its English name; an
        // article's body is not.
        const Fit name = coded ? std::max(m.name, m.description == Fit::contains ? Fit::none : m.description) : m.name;
        mark(m.position, name >= Fit::whole ? wholeInName : name == Fit::contains ? inName : inDescription);
    }
    if (coded) {
        for (const TextIndex::Match& m : lexicon.hs.find(keyword, known))
            markRun(belowHs_[m.position], inParent);
    }
    if (!referenced && keyword.hasIdeographs()) {
        if (const auto glossed = lexicon.glosses.find(keyword.phrase); glossed != lexicon.glosses.end()) {
            for (const std::string& gloss : glossed->second) {
                const Keyword english = parseKeyword(gloss);
                for (const TextIndex::Match& m : text_.find(english))
                    mark(m.position, byDictionary);
                if (!coded)
                    continue;
                for (const TextIndex::Match& m : lexicon.references.find(english))
                    if (m.name >= Fit::whole)
                        markRun(referenceRuns_[m.position], byDictionary);
            }
        }
    }

    std::vector<std::uint32_t> out;
    for (std::uint32_t p = 0; p < rank.size(); ++p)
        if (rank[p] != unranked)
            out.push_back(p);
    const auto before = [&](std::uint32_t a, std::uint32_t b) {
        if (rank[a] != rank[b])
            return rank[a] < rank[b];
        if (!coded)
            return std::tie(order_[b], a) < std::tie(order_[a], b); // newest first
        return std::tuple(level(codes_[a]), a) < std::tuple(level(codes_[b]), b); // positions are in code order
    };
    const size_t wanted = std::min(limit, out.size());
    std::partial_sort(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(wanted), out.end(), before);
    out.resize(wanted);
    return out;
}

} // namespace tarvelo::server
