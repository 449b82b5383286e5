#include "rankedindex.h"

#include "querywords.h"

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
    byWords, // the word index's order, below the ranks above
    byDictionary,
    unranked,
};

// The digits of a national tariff line.
constexpr size_t nationalLineDigits = 8;

// Longer keywords (descriptions, shop titles) are not spelling-corrected: their
// many words carry the meaning, and their unknown words are mostly brand and
// model names, each of which would cost a spelling lookup and find nothing.
constexpr std::ptrdiff_t maxCorrectedWords = 5;

// How much a search reference counts in an entry's word index: one pointing
// to the entry's subheading or line counts like its name, one pointing to its
// heading or chapter less.
unsigned referenceWeight(std::string_view referenceCode)
{
    return referenceCode.size() >= 6 ? 3 : referenceCode.size() >= 4 ? 2 : 1;
}

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

void RankedIndex::link(const Lexicon& lexicon, const std::filesystem::path& indexes, std::string_view name)
{
    const bool coded = ties_ == Ties::byCode;
    std::vector<std::vector<std::uint32_t>> referencesOf(codes_.size()); // by position
    std::vector<std::vector<std::uint32_t>> parentsOf(codes_.size());
    referenceRuns_.clear();
    belowHs_.clear();
    if (coded) {
        for (const std::string& code : lexicon.referenceCodes)
            referenceRuns_.push_back(under(code));
        for (const std::string& code : lexicon.hsCodes) {
            Run run = under(code);
            if (run.first < run.second && codes_[run.first] == code)
                ++run.first;
            belowHs_.push_back(run);
        }
        for (std::uint32_t r = 0; r < referenceRuns_.size(); ++r)
            for (std::uint32_t p = referenceRuns_[r].first; p < referenceRuns_[r].second; ++p)
                referencesOf[p].push_back(r);
        for (std::uint32_t h = 0; h < belowHs_.size(); ++h)
            for (std::uint32_t p = belowHs_[h].first; p < belowHs_[h].second; ++p)
                parentsOf[p].push_back(h);
    }
    std::vector<WeightedText> texts;
    const auto textsOf = [&](std::uint32_t p) -> const std::vector<WeightedText>& {
        // An article's body counts less than a code's English name.
        texts = {{text_.name(p), 3}, {text_.description(p), coded ? 3u : 1u}};
        for (const std::uint32_t r : referencesOf[p])
            texts.push_back({lexicon.references.name(r), referenceWeight(lexicon.referenceCodes[r])});
        for (const std::uint32_t h : parentsOf[p]) {
            texts.push_back({lexicon.hs.name(h), 1});
            texts.push_back({lexicon.hs.description(h), 1});
        }
        return texts;
    };
    std::filesystem::path kept;
    words_.reset();
    if (!indexes.empty()) {
        IndexFingerprint fingerprint;
        for (std::uint32_t p = 0; p < codes_.size(); ++p)
            fingerprint.add(textsOf(p));
        kept = indexes / fingerprint.folderName(name);
        words_ = WordIndex::open(kept);
    }
    const auto build = [&](const std::filesystem::path& keptIn) {
        words_ = std::make_unique<WordIndex>(keptIn);
        for (std::uint32_t p = 0; p < codes_.size(); ++p)
            words_->add(textsOf(p));
        words_->commit();
    };
    if (!words_) {
        try {
            build(kept);
        } catch (const std::exception&) {
            // Where it is kept (beside the database) may be full or not ours
            // to write: the temporary folder then serves as before.
            if (kept.empty())
                throw;
            build({});
        }
    }
    orderTies();
}

void RankedIndex::orderTies()
{
    std::vector<std::uint32_t> positions(codes_.size());
    for (std::uint32_t p = 0; p < positions.size(); ++p)
        positions[p] = p;
    if (ties_ == Ties::byCode)
        std::stable_sort(positions.begin(), positions.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return level(codes_[a]) < level(codes_[b]); });
    else
        std::stable_sort(positions.begin(), positions.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return order_[a] > order_[b]; }); // newest first
    tieOrder_.assign(positions.size(), 0);
    for (std::uint32_t i = 0; i < positions.size(); ++i)
        tieOrder_[positions[i]] = i;
}

std::vector<std::uint32_t> RankedIndex::codeMatches(std::string_view code, size_t limit) const
{
    auto [first, last] = under(code);
    // A ten-digit declaration code is a national line and two statistical
    // digits: the line it starts with.
    if (first == last && code.size() > nationalLineDigits)
        std::tie(first, last) = under(code.substr(0, nationalLineDigits));
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
    std::vector<std::uint32_t> marked; // the positions ranked, each once
    const auto mark = [&](std::uint32_t position, Rank r) {
        if (rank[position] == unranked)
            marked.push_back(position);
        rank[position] = std::min<std::uint8_t>(rank[position], r);
    };
    const auto markRun = [&](Run run, Rank r) {
        for (std::uint32_t p = run.first; p < run.second; ++p)
            mark(p, r);
    };
    const bool coded = ties_ == Ties::byCode;
    // Taiwan's words are looked for as written and in their mainland form (滑鼠, 鼠标).
    const auto markTiers = [&](const Keyword& k) {
        bool referenced = false;
        bool exact = false;
        if (coded) {
            for (const TextIndex::Match& m : lexicon.references.find(k)) {
                if (m.name == Fit::none)
                    continue;
                referenced = true;
                exact = exact || m.name == Fit::equal;
                markRun(referenceRuns_[m.position], m.name == Fit::equal ? exactTerm : termContaining);
            }
        }
        // A Latin keyword no reference equals: the Chinese words the dictionary
        // glosses with it, where a reference equals them.
        if (coded && !exact && !k.hasIdeographs()) {
            if (const auto glossing = lexicon.words.find(comparedForm(k)); glossing != lexicon.words.end()) {
                for (const std::string& word : glossing->second)
                    for (const TextIndex::Match& m : lexicon.references.find(parseNormalisedKeyword(word)))
                        if (m.name == Fit::equal)
                            markRun(referenceRuns_[m.position], translatedTerm);
            }
        }
        for (const TextIndex::Match& m : text_.find(k)) {
            // The English description of a code is its English name; an
            // article's body is not.
            const Fit name = coded ? std::max(m.name, m.description == Fit::contains ? Fit::none : m.description) : m.name;
            mark(m.position, name >= Fit::whole ? wholeInName : name == Fit::contains ? inName : inDescription);
        }
        if (!referenced && k.hasIdeographs()) {
            if (const auto glossed = lexicon.glosses.find(k.phrase); glossed != lexicon.glosses.end()) {
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
    };
    const Keyword spelt = corrected(keyword);
    const Keyword mainland = keyword.mainland.empty() ? Keyword{} : corrected(parseNormalisedKeyword(keyword.mainland));
    markTiers(spelt);
    if (!mainland.empty())
        markTiers(mainland);

    std::vector<std::uint32_t> out;
    std::vector<std::uint32_t> dictionary;
    for (const std::uint32_t p : marked) {
        if (rank[p] < byWords)
            out.push_back(p);
        else if (rank[p] == byDictionary)
            dictionary.push_back(p);
    }
    const auto before = [&](std::uint32_t a, std::uint32_t b) {
        if (rank[a] != rank[b])
            return rank[a] < rank[b];
        return tieOrder_[a] < tieOrder_[b];
    };
    size_t wanted = std::min(limit, out.size());
    std::partial_sort(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(wanted), out.end(), before);
    out.resize(wanted);
    if (out.size() < limit) {
        for (const std::uint32_t p : words_->find(wordsOf(spelt, mainland, lexicon), limit, tieOrder_))
            if (rank[p] >= byWords && out.size() < limit) {
                rank[p] = byWords;
                out.push_back(p);
            }
    }
    std::sort(dictionary.begin(), dictionary.end(), before);
    for (const std::uint32_t p : dictionary)
        if (rank[p] == byDictionary && out.size() < limit)
            out.push_back(p);
    return out;
}

Keyword RankedIndex::corrected(const Keyword& keyword) const
{
    Keyword spelt = keyword;
    if (std::count_if(spelt.tokens.begin(), spelt.tokens.end(), [](const Token& t) { return t.word; }) >
        maxCorrectedWords)
        return spelt;
    for (Token& t : spelt.tokens)
        if (t.word)
            if (std::string closest = words_->correction(t.spelt); !closest.empty()) {
                t.text = wordStem(closest);
                t.spelt = std::move(closest);
            }
    return spelt;
}

std::vector<QueryWord> RankedIndex::wordsOf(const Keyword& keyword, const Keyword& mainland, const Lexicon& lexicon) const
{
    std::vector<QueryWord> words = queryWords(keyword, lexicon.chineseWords);
    if (!mainland.empty())
        for (QueryWord& w : queryWords(mainland, lexicon.chineseWords))
            if (std::none_of(words.begin(), words.end(), [&](const QueryWord& known) { return known.text == w.text; }))
                words.push_back(std::move(w));
    // English words, and pairs of them, also stand for the Chinese words the
    // dictionary glosses with them, where the searched texts hold those.
    const auto translations = [&](const std::string& english) {
        const auto found = lexicon.translations.find(english);
        return found == lexicon.translations.end() ? std::vector<std::string>{} : found->second;
    };
    const size_t single = words.size();
    for (size_t i = 0; i < single; ++i) {
        if (!words[i].latin)
            continue;
        words[i].chinese = translations(words[i].stem);
        if (i + 1 < single && words[i + 1].latin)
            if (auto chinese = translations(words[i].stem + " " + words[i + 1].stem); !chinese.empty()) {
                std::string joined = words[i].text + words[i + 1].text;
                std::string stem = wordStem(joined);
                words.push_back({std::move(joined), true, std::move(chinese), std::move(stem)});
            }
    }
    return words;
}

} // namespace tarvelo::server
