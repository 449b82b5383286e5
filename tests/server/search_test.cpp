// Keyword reading and ranked search over the bundled data, in process.
#include "catalogue.h"
#include "database.h"
#include "keyword.h"
#include "searchcatalogue.h"
#include "sqlsearch.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tarvelo::server {
namespace {

TEST(KeywordReading, CodesTermsAndPhrase)
{
    EXPECT_EQ(parseKeyword("8471").code, "8471");
    EXPECT_EQ(parseKeyword(" 84.71.30 ").code, "847130");
    EXPECT_EQ(parseKeyword("8471a").code, "");
    EXPECT_EQ(parseKeyword("...").code, "");
    const Keyword k = parseKeyword("  Stainless\t STEEL  钢 ");
    EXPECT_EQ(k.phrase, "stainless steel 钢");
    EXPECT_EQ(k.terms, (std::vector<std::string>{"stainless", "steel", "钢"}));
    EXPECT_EQ(k.anchor(), "stainless");
    EXPECT_TRUE(parseKeyword(" \t ").empty());
    // Code points, not bytes, decide which term leads: three Chinese
    // characters outweigh two Latin letters.
    EXPECT_EQ(parseKeyword("ab 不锈钢").anchor(), "不锈钢");
}

TEST(KeywordReading, TiersOrderNameMatchesBeforeDescriptionMatches)
{
    const Keyword k = parseKeyword("钢");
    EXPECT_EQ(textTier(k, "钢", ""), 0);
    EXPECT_EQ(textTier(k, "钢铁链", ""), 1);
    EXPECT_EQ(textTier(k, "其他钢铁链", ""), 2);
    EXPECT_EQ(textTier(k, "铝箔", "钢"), 4);
    EXPECT_EQ(textTier(k, "铝箔", "aluminium"), noMatch);
    const Keyword two = parseKeyword("冷轧 不锈钢");
    EXPECT_EQ(textTier(two, "冷轧不锈钢宽平板轧材", ""), 3);
    EXPECT_EQ(textTier(two, "冷轧钢材", "不锈钢"), 5);
    EXPECT_EQ(textTier(two, "冷轧钢材", "other"), noMatch);
    EXPECT_EQ(likePattern("1%_\\"), "%1\\%\\_\\\\%");
    EXPECT_EQ(ftsPhrase(R"(a"b)"), R"("a""b")");
}

class CatalogueSearch : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<testkit::TempFolder>();
        ensureDatabase(folder->path() / "search.db");
        catalogue = std::make_unique<Catalogue>(folder->path() / "search.db");
        Connection db(folder->path() / "search.db", Connection::Mode::ReadOnly);
        search = std::make_unique<SearchCatalogue>(db, 0, "9999-12-31"); // the newest rates
    }
    static void TearDownTestSuite()
    {
        search.reset();
        catalogue.reset();
        folder.reset();
    }

    template <class Record>
    static std::vector<std::string> codes(const std::vector<Record>& records)
    {
        std::vector<std::string> out;
        for (const Record& r : records)
            out.push_back(r.code);
        return out;
    }
    template <class Record>
    static std::vector<std::string> codes(const std::vector<const Record*>& records)
    {
        std::vector<std::string> out;
        for (const Record* r : records)
            out.push_back(r->code);
        return out;
    }
    static std::vector<std::string> tariffCodes(std::string_view keyword)
    {
        return codes(search->tariff().find(parseKeyword(keyword), 200));
    }
    static bool has(const std::vector<std::string>& list, std::string_view item)
    {
        return std::find(list.begin(), list.end(), item) != list.end();
    }

    static inline std::unique_ptr<testkit::TempFolder> folder;
    static inline std::unique_ptr<Catalogue> catalogue;
    static inline std::unique_ptr<SearchCatalogue> search;
};

TEST_F(CatalogueSearch, ExactCodeFirstThenPrefixInCodeOrder)
{
    const auto exact = tariffCodes("72193300");
    ASSERT_FALSE(exact.empty());
    EXPECT_EQ(exact.front(), "72193300");
    const auto prefix = tariffCodes("7219");
    EXPECT_EQ(prefix, (std::vector<std::string>{"72193200", "72193300"}));
    EXPECT_EQ(tariffCodes("72.19"), prefix);
    const auto chapter = tariffCodes("84");
    ASSERT_GE(chapter.size(), 30u);
    EXPECT_TRUE(std::is_sorted(chapter.begin(), chapter.begin() + 30));
    EXPECT_TRUE(std::all_of(chapter.begin(), chapter.begin() + 30, [](const std::string& c) { return c.starts_with("84"); }));
    // Commodity codes span every HS level and the national lines.
    const auto commodity = codes(search->commodity().find(parseKeyword("847130"), 200));
    ASSERT_GE(commodity.size(), 2u);
    EXPECT_EQ(commodity[0], "847130");
    EXPECT_EQ(commodity[1], "84713000");
}

TEST_F(CatalogueSearch, ChineseSubstringsOfAnyLength)
{
    // One character (pattern scan) and three or more (trigram index).
    const auto one = tariffCodes("钢");
    const auto three = tariffCodes("不锈钢");
    for (const auto code : {"72193200", "72193300", "72223000", "73041100", "73239300"}) {
        EXPECT_TRUE(has(one, code)) << code;
        EXPECT_TRUE(has(three, code)) << code;
    }
    EXPECT_FALSE(has(three, "72083600"));
    EXPECT_TRUE(has(tariffCodes("钢铁链"), "73151200"));
    EXPECT_TRUE(has(tariffCodes("轿车"), "87032130"));
    auto both = tariffCodes("冷轧 不锈钢");
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, (std::vector<std::string>{"72193200", "72193300"}));
}

TEST_F(CatalogueSearch, RankingPutsNameStartsAndShortNamesFirst)
{
    const auto lines = search->tariff().find(parseKeyword("钢"), 200);
    ASSERT_GE(lines.size(), 25u);
    size_t startsWith = 0;
    while (startsWith < lines.size() && lines[startsWith]->name.starts_with("钢"))
        ++startsWith;
    EXPECT_GE(startsWith, 2u);
    for (size_t i = startsWith; i < lines.size(); ++i)
        EXPECT_FALSE(lines[i]->name.starts_with("钢")) << lines[i]->name;
    for (size_t i = startsWith + 1; i < lines.size(); ++i)
        EXPECT_LE(codePoints(lines[i - 1]->name), codePoints(lines[i]->name)) << lines[i]->name;
}

TEST_F(CatalogueSearch, EnglishMatchesIgnoreCase)
{
    const auto upper = tariffCodes("STAINLESS");
    EXPECT_EQ(upper, tariffCodes("stainless"));
    EXPECT_TRUE(has(upper, "72193300"));
    const auto commodity = search->commodity().find(parseKeyword("Horses"), 200);
    ASSERT_FALSE(commodity.empty());
    EXPECT_EQ(commodity.front()->code.substr(0, 4), "0101");
    const auto article = search->articles().find(parseKeyword("出口退税率文库"), 200);
    ASSERT_FALSE(article.empty());
    EXPECT_EQ(article.front()->id, 3);
}

TEST_F(CatalogueSearch, OverlongOrEmptyKeywordsFindNothing)
{
    EXPECT_TRUE(tariffCodes("").empty());
    EXPECT_TRUE(tariffCodes(std::string(maxKeywordBytes + 1, 'a')).empty());
    EXPECT_EQ(search->commodity().find(parseKeyword("of"), 200).size(), 200u);
    EXPECT_EQ(search->commodity().find(parseKeyword("of"), 7).size(), 7u);
}

template <class Record>
std::vector<std::int64_t> ids(const std::vector<const Record*>& records)
{
    std::vector<std::int64_t> out;
    for (const Record* r : records)
        out.push_back(r->id);
    return out;
}

// The in-memory search answers what SQLite's full-text index and LIKE scan
// answer, record for record and in the same order.
TEST_F(CatalogueSearch, MemorySearchAgreesWithTheFullTextIndex)
{
    Connection db(folder->path() / "search.db", Connection::Mode::ReadOnly);
    SqlSearch tariff(db, "tariff", "tariff_fts", true);
    SqlSearch commodity(db, "commodity", "commodity_fts", true);
    SqlSearch rebates(db, "rebate", "rebate_fts", true);
    SqlSearch articles(db, "article", "article_fts", false);
    const std::vector<std::string> keywords{
        "钢", "不锈钢", "冷轧 不锈钢", "钢 冷轧", "猪肉", "牛", "茶", "乌龙茶", "轮胎", "柴油小轿车", "出口", "退税",
        "关税", "STEEL", "Stainless steel", "of", "horses", "live animals", "a", "ab", "tyres for", "8471", "84.71",
        "847130", "84713000", "72", "0", "01 02", "9999", "%", "_", "\\", "\"quoted\"", "x\xE9", "\xE9\x92",
        "\xA2", "钢\xE9\x92", "7219 钢", "zzzz", "钢钢钢钢", "1.5升", "（", "、"};
    for (const std::string& text : keywords) {
        const Keyword k = parseKeyword(text);
        for (const size_t limit : {size_t{200}, size_t{3}}) {
            EXPECT_EQ(ids(search->tariff().find(k, limit)), tariff.find(k, limit)) << text << " " << limit;
            EXPECT_EQ(ids(search->commodity().find(k, limit)), commodity.find(k, limit)) << text << " " << limit;
            EXPECT_EQ(ids(search->rebates().find(k, limit)), rebates.find(k, limit)) << text << " " << limit;
            EXPECT_EQ(ids(search->articles().find(k, limit)), articles.find(k, limit)) << text << " " << limit;
        }
    }
}

TEST_F(CatalogueSearch, DetailLookups)
{
    const auto path = catalogue->hsPath("72193300");
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path[0].code, "XV");
    EXPECT_EQ(path[1].code, "72");
    EXPECT_EQ(path[3].code, "721933");
    EXPECT_EQ(codes(catalogue->tariffUnder("7219", "2026-12-01")), (std::vector<std::string>{"72193200", "72193300"}));
    EXPECT_FALSE(catalogue->article(1)->title.empty());
    EXPECT_FALSE(catalogue->article(424242).has_value());
    EXPECT_EQ(catalogue->news("news").size(), 8u);
    EXPECT_NE(catalogue->notice().find("示例数据"), std::string::npos);
}

} // namespace
} // namespace tarvelo::server
