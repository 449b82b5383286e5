#include "querywords.h"

#include "utf8.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tarvelo::server {
namespace {

// Words that say little about what the goods are: grammar, and the selling
// words of shop listings. Kept when nothing else is left.
constexpr std::array<std::string_view, 30> chineseNoise = {
    "的", "用", "制", "及", "或", "和", "与", "其他", "其它", "等", "之", "类", "件", "个", "款", "新款",
    "包邮", "正品", "爆款", "热卖", "特价", "现货", "批发", "厂家", "直销", "促销", "清仓", "新品", "官方", "旗舰店",
};
constexpr std::array<std::string_view, 48> latinNoise = {
    "a",     "an",      "the",     "of",      "for",    "and",    "or",      "with",   "without", "in",
    "on",    "to",      "by",      "from",    "at",     "as",     "is",      "are",    "be",      "this",
    "that",  "new",     "hot",     "sale",    "sell",   "selling", "free",   "shipping", "best",  "quality",
    "high",  "top",     "premium", "cheap",   "pc",     "pcs",    "set",     "lot",    "pack",    "piece",
    "style", "fashion", "gift",    "factory", "direct", "wholesale", "brand", "original",
};

bool noise(const QueryWord& word)
{
    if (word.latin) {
        if (!word.text.empty() && word.text.front() >= '0' && word.text.front() <= '9')
            return true; // sizes, years, quantities
        // By stem, so that sales and pieces are noise as sale and piece are.
        static const std::vector<std::string> stems = [] {
            std::vector<std::string> out;
            for (const std::string_view w : latinNoise)
                out.push_back(wordStem(w));
            return out;
        }();
        return std::find(stems.begin(), stems.end(), word.stem) != stems.end();
    }
    return std::find(chineseNoise.begin(), chineseNoise.end(), word.text) != chineseNoise.end();
}

constexpr size_t longestWord = 8; // characters

} // namespace

bool joiningWord(std::string_view character)
{
    return character == "的" || character == "及" || character == "或" || character == "和" || character == "与" ||
           character == "用" || character == "制";
}

namespace {

// A run cut into words: character ranges [from, to). Characters that start
// (or end) no word stay together as one piece, up to a joining word.
struct Piece {
    size_t from, to;
};
using Cut = std::vector<Piece>;

// Longest match from the left, or from the right: 宠物狗粮 is 宠物狗 + 粮 from
// the left but 宠物 + 狗粮 from the right.
template <class Known>
Cut longestMatches(size_t characters, const Known& known, bool fromLeft)
{
    Cut cut;
    size_t unknownAt = fromLeft ? 0 : characters; // where characters of no word began
    const auto flushUnknown = [&](size_t at) {
        if (at != unknownAt)
            cut.push_back({std::min(at, unknownAt), std::max(at, unknownAt)});
    };
    for (size_t done = 0; done < characters;) {
        const size_t i = fromLeft ? done : characters - done; // the edge of what is cut
        size_t length = std::min(longestWord, characters - done);
        const auto range = [&](size_t n) { return fromLeft ? Piece{i, i + n} : Piece{i - n, i}; };
        while (length > 1 && !known(range(length)))
            --length;
        if (!known(range(length))) {
            ++done;
            continue;
        }
        flushUnknown(i);
        cut.push_back(range(length));
        done += length;
        unknownAt = fromLeft ? i + length : i - length;
    }
    flushUnknown(fromLeft ? characters : 0);
    if (!fromLeft)
        std::reverse(cut.begin(), cut.end());
    return cut;
}

// Cuts a run both ways and keeps the one with fewer single characters left
// between words, then fewer words; from the right when they are alike, as
// the goods come last in a Chinese description. The words go to out, and
// whether each is a single character between words to alone.
void cutRun(std::string_view run, const std::unordered_set<std::string>& dictionary, std::vector<QueryWord>& out,
            std::vector<bool>& alone)
{
    std::vector<size_t> starts; // byte offset of every character, and the end
    for (size_t pos = 0; pos < run.size(); nextCodePoint(run, pos))
        starts.push_back(pos);
    starts.push_back(run.size());
    const size_t characters = starts.size() - 1;
    const auto text = [&](Piece p) { return std::string(run.substr(starts[p.from], starts[p.to] - starts[p.from])); };
    // A piece is a word when the dictionary knows it; a single character
    // only when it joins words.
    const auto known = [&](Piece p) {
        return p.to - p.from == 1 ? joiningWord(text(p)) : dictionary.contains(text(p));
    };
    const auto isAlone = [&](Piece p) { return p.to - p.from == 1 && characters > 1 && !joiningWord(text(p)); };
    const auto cost = [&](const Cut& cut) {
        return std::pair(std::count_if(cut.begin(), cut.end(), isAlone), cut.size());
    };
    const Cut left = longestMatches(characters, known, true);
    const Cut right = longestMatches(characters, known, false);
    for (const Piece p : cost(left) < cost(right) ? left : right) {
        out.push_back({text(p), false, {}, {}});
        alone.push_back(isAlone(p));
    }
}

} // namespace

std::vector<QueryWord> queryWords(const Keyword& keyword, const std::unordered_set<std::string>& dictionary)
{
    std::vector<QueryWord> all;
    std::vector<bool> alone; // a character left over between words: it means little by itself
    for (const Token& t : keyword.tokens) {
        if (t.word) {
            all.push_back({t.spelt, true, {}, t.text});
            alone.push_back(t.spelt.size() == 1); // a letter: the s of men's
        } else {
            cutRun(t.text, dictionary, all, alone);
        }
    }
    // A word said twice counts twice: a shop title names its goods more than
    // once (Chef Knife … Kitchen Knife), as a word and its plural already do.
    std::vector<QueryWord> meaningful;
    for (size_t i = 0; i < all.size(); ++i) {
        if (alone[i] || noise(all[i]))
            continue;
        const auto said = std::find_if(meaningful.begin(), meaningful.end(),
                                       [&](const QueryWord& m) { return m.text == all[i].text; });
        if (said != meaningful.end())
            ++said->count;
        else
            meaningful.push_back(all[i]);
    }
    // A keyword of nothing but function or selling words is searched as it is.
    if (meaningful.empty() && std::none_of(alone.begin(), alone.end(), [](bool a) { return a; }))
        return all;
    return meaningful;
}

} // namespace tarvelo::server
