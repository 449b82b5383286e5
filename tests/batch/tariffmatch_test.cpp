// Which keyword an item is searched by, and when the answer is marked for
// checking.
#include "batch/tariffmatch.h"

#include <gtest/gtest.h>

namespace tarvelo::batch {
namespace {

TEST(TariffMatch, CodesInAnyNotationAreSearchedByTheirDigits)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"8471.30.00", "84713000"}, {"8471 3000", "84713000"}, {"8471300000", "84713000"},
        {"84.71", "8471"},          {"847130", "847130"},      {"8471-30-00", "84713000"},
        {"847", "847"},             {"钢管", "钢管"},          {"8471 laptop", "8471 laptop"},
        // A spreadsheet keeps 02071400 as the number 2071400.
        {"2071400", "02071400"},    {"207140000", "02071400"}, {"80810", "080810"},
        {"2071.400", "2071400"},
    };
    for (const auto& [goods, keyword] : cases)
        EXPECT_EQ(searchKeyword(goods), keyword) << goods;
}

TEST(TariffMatch, UncertainAnswersAreMarkedWithUpToTwoAlternatives)
{
    const auto hit = [](std::string code, std::string name = "n") {
        return TariffHit{std::move(code), std::move(name), "", "", "", "", "", ""};
    };
    const struct {
        std::string_view what, goods;
        std::vector<TariffHit> hits;
        std::string best; // empty: nothing found
        bool uncertain;
        std::vector<std::string> alternatives;
    } cases[] = {
        {"nothing found", "qzxq", {}, "", false, {}},
        {"the very line", "8471.30.00", {hit("84713000")}, "84713000", false, {}},
        {"the very line among others", "84714140", {hit("84713000"), hit("84714140")}, "84714140", false, {}},
        {"a heading with several lines", "8471", {hit("84713000"), hit("84714110"), hit("84714140"), hit("84715040")},
         "84713000", true, {"84714110", "84714140"}},
        {"a heading with one line", "0808", {hit("08081000")}, "08081000", false, {}},
        {"description within one heading", "鸡胸肉", {hit("02071411"), hit("02071419"), hit("02071200"), hit("16023210")},
         "02071411", false, {}},
        {"description across headings", "钢管", {hit("73063000"), hit("73041100"), hit("73042900")}, "73063000", true,
         {"73041100", "73042900"}},
        {"one answer is sure", "苹果", {hit("08081000")}, "08081000", false, {}},
        {"goods the best line names word for word", "苹果汁", {hit("20097100", "白利糖度值不超过20的苹果汁"), hit("08081000")},
         "20097100", false, {}},
    };
    for (const auto& c : cases) {
        const Match m = judge(c.goods, c.hits);
        EXPECT_EQ(m.best ? m.best->code : "", c.best) << c.what;
        EXPECT_EQ(m.uncertain, c.uncertain) << c.what;
        std::vector<std::string> alternatives;
        for (const TariffHit& h : m.alternatives)
            alternatives.push_back(h.code);
        EXPECT_EQ(alternatives, c.alternatives) << c.what;
        EXPECT_EQ(m.note.empty(), !c.uncertain && !c.best.empty()) << c.what << ": " << m.note;
    }
}

} // namespace
} // namespace tarvelo::batch
