#include "lexicon.h"

#include "normalise.h"

#include <algorithm>

namespace tarvelo::server {
namespace {

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

Lexicon::Lexicon(Connection& db)
{
    Statement terms = db.prepare("SELECT term, code FROM reference ORDER BY term, code");
    while (terms.step()) {
        references.add(terms.text(0), {});
        referenceCodes.emplace_back(terms.text(1));
    }
    Statement names = db.prepare(
        "SELECT hs.code, coalesce(hs_name.name, ''), hs.description FROM hs LEFT JOIN hs_name USING(code) ORDER BY hs.code");
    while (names.step()) {
        hs.add(names.text(1), names.text(2));
        hsCodes.emplace_back(names.text(0));
    }
    Statement pairs = db.prepare("SELECT word, english FROM gloss ORDER BY word, english");
    while (pairs.step()) {
        const std::string word = normalise(pairs.text(0));
        std::vector<std::string>& known = glosses[word];
        for (std::string& gloss : goodsGlosses(pairs.text(1))) {
            words[comparedForm(parseKeyword(gloss))].push_back(word);
            known.push_back(std::move(gloss));
        }
    }
}

} // namespace tarvelo::server
