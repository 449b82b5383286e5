#include "lexicon.h"

#include "normalise.h"
#include "querywords.h"
#include "text.h"
#include "utf8.h"

#include <algorithm>

namespace tarvelo::server {
namespace {

// Chinese words an English word may stand for, at most.
constexpr size_t maxTranslations = 3;

// Dictionary glosses that name goods: "refrigerator", "notebook computer";
// not explanations ("see ...", "(used in names)") nor phrases of more than
// five words.
std::vector<std::string> goodsGlosses(std::string_view english)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= english.size()) {
        size_t end = english.find_first_of("/;", start);
        if (end == std::string_view::npos)
            end = english.size();
        std::string_view gloss = trimPunctuation(english.substr(start, end - start));
        start = end + 1;
        if (gloss.starts_with("to "))
            gloss.remove_prefix(3);
        const bool plain = !gloss.empty() && gloss.find_first_of("()[]:|") == std::string_view::npos &&
                           !gloss.starts_with("see ") && !gloss.starts_with("variant of") &&
                           std::count(gloss.begin(), gloss.end(), ' ') < 5;
        if (plain)
            out.emplace_back(gloss);
    }
    return out;
}

// The ideograph runs of a normalised text, and their parts between joining
// words (蓄电池及其隔板: 蓄电池, 其隔板).
void addRuns(std::unordered_set<std::string>& words, std::string_view normalised)
{
    for (const Token& t : tokenize(normalised)) {
        if (t.word)
            continue;
        words.insert(t.text);
        size_t from = 0;
        for (size_t pos = 0; pos < t.text.size();) {
            const size_t start = pos;
            nextCodePoint(t.text, pos);
            if (!joiningWord(std::string_view(t.text).substr(start, pos - start)))
                continue;
            if (start > from)
                words.insert(t.text.substr(from, start - from));
            from = pos;
        }
        if (from > 0 && from < t.text.size())
            words.insert(t.text.substr(from));
    }
}

} // namespace

std::string comparedForm(const Keyword& keyword)
{
    std::string form;
    for (const Token& t : keyword.tokens) {
        if (!form.empty())
            form += ' ';
        form += t.text;
    }
    return form;
}

Lexicon::Lexicon(const SearchSource& source)
{
    for (const SearchReference& r : source.references) {
        references.add(r.term, {});
        addRuns(chineseWords, normalise(r.term));
        referenceCodes.push_back(r.code);
    }
    for (const HsText& h : source.hs) {
        hs.add(h.name, h.description);
        addRuns(chineseWords, normalise(h.name));
        hsCodes.push_back(h.code);
    }
    for (const Gloss& g : source.glosses) {
        const std::string word = normalise(g.word);
        std::vector<std::string>& known = glosses[word];
        for (std::string& gloss : goodsGlosses(g.english)) {
            words[comparedForm(parseKeyword(gloss))].push_back(word);
            known.push_back(std::move(gloss));
        }
    }
    // Once here rather than for each search: an everyday English word glosses
    // hundreds of Chinese words.
    for (const auto& [english, chinese] : words) {
        std::vector<std::string> held;
        for (const std::string& word : chinese)
            if (held.size() < maxTranslations && word.size() >= 6 && chineseWords.contains(word) &&
                std::find(held.begin(), held.end(), word) == held.end())
                held.push_back(word);
        if (!held.empty())
            translations.emplace(english, std::move(held));
    }
}

} // namespace tarvelo::server
