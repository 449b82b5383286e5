#include "textindex.h"

#include "normalise.h"
#include "utf8.h"

#include <algorithm>

namespace tarvelo::server {
namespace {

constexpr size_t longestGram = 3;

std::uint64_t gramKey(const char32_t* symbols, size_t n)
{
    std::uint64_t key = 0;
    for (size_t i = 0; i < n; ++i)
        key = (key << 21) | symbols[i];
    return key;
}

std::vector<char32_t> decode(std::string_view text)
{
    std::vector<char32_t> out;
    for (size_t pos = 0; pos < text.size();)
        out.push_back(nextCodePoint(text, pos));
    return out;
}

void addPosting(std::vector<std::uint32_t>& posting, std::uint32_t position)
{
    if (posting.empty() || posting.back() != position)
        posting.push_back(position);
}

} // namespace

void TextIndex::add(std::string_view name, std::string_view description)
{
    const auto position = static_cast<std::uint32_t>(entries_.size());
    Entry& entry = entries_.emplace_back();
    for (auto [text, raw] : {std::pair{&entry.name, name}, std::pair{&entry.description, description}}) {
        text->folded = normalise(raw);
        text->tokens = tokenize(text->folded);
        index(*text, position);
    }
}

void TextIndex::index(const Text& text, std::uint32_t position)
{
    for (const Token& token : text.tokens) {
        if (token.word) {
            addPosting(words_[token.text], position);
            continue;
        }
        const std::vector<char32_t> symbols = decode(token.text);
        for (size_t n = 1; n <= longestGram; ++n)
            for (size_t i = 0; i + n <= symbols.size(); ++i)
                addPosting(grams_[n - 1][gramKey(&symbols[i], n)], position);
    }
}

namespace {

// Whether run holds phrase as a whole: from the run's start or after 及
// ("and") or 或 ("or"), to its end or up to one of them, as in 小麦及混合麦.
bool wholePhrase(std::string_view run, std::string_view phrase)
{
    static constexpr std::string_view joiners[] = {"及", "或"};
    const auto joinerAt = [&](size_t pos) {
        return std::any_of(std::begin(joiners), std::end(joiners),
                           [&](std::string_view j) { return run.substr(pos, j.size()) == j; });
    };
    const auto joinerBefore = [&](size_t pos) {
        return std::any_of(std::begin(joiners), std::end(joiners),
                           [&](std::string_view j) { return pos >= j.size() && run.substr(pos - j.size(), j.size()) == j; });
    };
    for (size_t at = run.find(phrase); at != std::string_view::npos; at = run.find(phrase, at + 1)) {
        const size_t end = at + phrase.size();
        if ((at == 0 || joinerBefore(at)) && (end == run.size() || joinerAt(end)))
            return true;
    }
    return false;
}

} // namespace

Fit TextIndex::fit(const Text& text, const std::vector<Token>& tokens)
{
    const auto same = [&](const Token& t, size_t k) {
        if (t.word != tokens[k].word)
            return false;
        return t.word ? t.text == tokens[k].text : wholePhrase(t.text, tokens[k].text);
    };
    for (size_t k = 0; k < tokens.size(); ++k) {
        const bool found = tokens[k].word ? std::any_of(text.tokens.begin(), text.tokens.end(),
                                                        [&](const Token& t) { return same(t, k); })
                                          : text.folded.find(tokens[k].text) != std::string::npos;
        if (!found)
            return Fit::none;
    }
    for (size_t i = 0; i + tokens.size() <= text.tokens.size(); ++i) {
        size_t k = 0;
        while (k < tokens.size() && same(text.tokens[i + k], k))
            ++k;
        if (k < tokens.size())
            continue;
        const bool equal = text.tokens.size() == tokens.size() &&
                           std::equal(tokens.begin(), tokens.end(), text.tokens.begin(), [](const Token& q, const Token& t) {
                               return q.word || q.text == t.text;
                           });
        return equal ? Fit::equal : Fit::whole;
    }
    return Fit::contains;
}

std::vector<TextIndex::Match> TextIndex::find(const Keyword& keyword) const
{
    std::vector<Match> found;
    if (keyword.tokens.empty())
        return found;
    // The narrowest candidate list any one token allows; none as soon as a
    // token is in no text (a brand in a pasted title, mostly).
    const Posting* candidates = nullptr;
    const auto narrow = [&](const auto& postings, const auto& key) {
        const auto it = postings.find(key);
        if (it == postings.end())
            return false;
        if (!candidates || it->second.size() < candidates->size())
            candidates = &it->second;
        return true;
    };
    for (const Token& token : keyword.tokens) {
        if (token.word) {
            if (!narrow(words_, token.text))
                return found;
            continue;
        }
        const std::vector<char32_t> symbols = decode(token.text);
        const size_t n = std::min(longestGram, symbols.size());
        for (size_t i = 0; i + n <= symbols.size(); ++i)
            if (!narrow(grams_[n - 1], gramKey(&symbols[i], n)))
                return found;
    }
    for (const std::uint32_t position : *candidates) {
        const Entry& e = entries_[position];
        const Fit name = fit(e.name, keyword.tokens);
        const Fit description = fit(e.description, keyword.tokens);
        if (name != Fit::none || description != Fit::none)
            found.push_back({position, name, description});
    }
    return found;
}

} // namespace tarvelo::server
