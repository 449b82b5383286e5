// The program's own request builders and exchange against the real service:
// every operation, answered in the shape the result pages read.
#include "runningservice.h"
#include "soaphelpers.h"

#include "platform/fakes/fakes.h"
#include "service/webserviceapi.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <memory>
#include <regex>

namespace tarvelo::testkit {
namespace {

class ServiceContract : public ::testing::Test {
protected:
    static void SetUpTestSuite() { service = std::make_unique<RunningService>(); }
    static void TearDownTestSuite() { service.reset(); }

    // One exchange as a result page makes it: a fresh client object per request.
    std::string exchange(std::string (webserviceapi::*build)(std::string_view) const, std::string_view keyword)
    {
        webserviceapi api(platform.seams);
        api.weburl(service->endpoint());
        return api.webservice((api.*build)(keyword));
    }
    std::string exchange(std::string (webserviceapi::*build)() const)
    {
        webserviceapi api(platform.seams);
        api.weburl(service->endpoint());
        return api.webservice((api.*build)());
    }

    // Every record carries every field: each field name occurs as often as
    // the counted element.
    static size_t records(const std::string& answer, std::string_view counted,
                          std::initializer_list<std::string_view> fields)
    {
        const size_t n = countElements(answer, counted);
        for (const auto field : fields)
            EXPECT_EQ(countElements(answer, field), n) << field;
        return n;
    }

    static inline std::unique_ptr<RunningService> service;
    TempFolder programFolder;
    platform::fakes::FakePlatform platform{programFolder.path()};
};

TEST_F(ServiceContract, TariffFindsSteelLinesWithEveryColumn)
{
    const std::string answer = exchange(&webserviceapi::Tariff_head, "钢");
    const size_t n = records(answer, "ArticleID",
                             {"HS_code", "Product_name", "MFN", "Gen", "GST", "VAT", "Unit", "SC", "EN_Description"});
    EXPECT_GE(n, 25u);
    EXPECT_LE(n, 200u);
    const auto codes = elementTexts(answer, "HS_code");
    const auto names = elementTexts(answer, "Product_name");
    const auto english = elementTexts(answer, "EN_Description");
    for (size_t i = 0; i < n; ++i) {
        EXPECT_TRUE(std::regex_match(codes[i], std::regex("[0-9]{8}"))) << codes[i];
        EXPECT_FALSE(names[i].empty()) << codes[i];
        EXPECT_FALSE(english[i].empty()) << codes[i];
    }
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(ServiceContract, CommodityCodeRanksExactThenPrefixAndLinksToOwnPages)
{
    const std::string answer = exchange(&webserviceapi::Commodity_head, "8471");
    const size_t n = records(answer, "C_Code", {"C_Name", "thisurl", "thenurl"});
    ASSERT_GE(n, 15u);
    const auto codes = elementTexts(answer, "C_Code");
    EXPECT_EQ(codes[0], "8471");
    EXPECT_EQ(codes[1], "847130");
    // Shortest code first.
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end(),
                               [](const std::string& a, const std::string& b) { return a.size() < b.size(); }));
    EXPECT_NE(std::find(codes.begin(), codes.end(), "84713000"), codes.end());

    const auto thisurl = elementTexts(answer, "thisurl");
    const auto thenurl = elementTexts(answer, "thenurl");
    EXPECT_EQ(thisurl[0], service->site() + "/detail/tariff/8471");
    EXPECT_EQ(thenurl[0], service->site() + "/detail/rebate/8471");
    for (const std::string* link : {&thisurl[0], &thenurl[0]}) {
        const HttpReply page = httpGet(service->port(), pathOnService(*link, service->port()));
        EXPECT_EQ(page.status, 200) << *link;
        EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
        EXPECT_NE(page.body.find("84713000"), std::string::npos);
        EXPECT_NE(page.body.find("<meta charset='utf-8'>"), std::string::npos);
    }
}

TEST_F(ServiceContract, ExportGivesRebateRates)
{
    const std::string answer = exchange(&webserviceapi::Export_head, "不锈钢");
    const size_t n = records(answer, "ArticleID", {"Goods_code", "Goods_name", "Unit", "ED"});
    ASSERT_GE(n, 4u);
    const auto codes = elementTexts(answer, "Goods_code");
    EXPECT_NE(std::find(codes.begin(), codes.end(), "72193300"), codes.end());
    for (const std::string& rate : elementTexts(answer, "ED"))
        EXPECT_TRUE(std::regex_match(rate, std::regex("[0-9.]+%"))) << rate;
}

TEST_F(ServiceContract, PeArticleGivesTitlesLinksAndZonedTimes)
{
    const std::string answer = exchange(&webserviceapi::pe_article_head, "关税");
    const size_t n = records(answer, "title", {"thisurl", "UpdateTime"});
    ASSERT_GE(n, 3u);
    for (const std::string& time : elementTexts(answer, "UpdateTime"))
        EXPECT_TRUE(std::regex_match(time, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\+08:00)"))) << time;
    const auto titles = elementTexts(answer, "title");
    const std::string path = pathOnService(elementTexts(answer, "thisurl").front(), service->port());
    ASSERT_TRUE(path.starts_with("/detail/article/")) << path;
    const HttpReply page = httpGet(service->port(), path);
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find(titles.front()), std::string::npos);
}

// The pages decode one level of escaping and put the whole answer into the
// page: the decoded list must be well-formed markup whose links lead to pages
// of this service.
TEST_F(ServiceContract, HomeAndBubbleListsAreEscapedMarkupLinkingHere)
{
    for (auto [build, result, items] : {std::tuple{&webserviceapi::mdefaut_head, "mdefautResult", 8},
                                        std::tuple{&webserviceapi::mmaopao_head, "maopaoResult", 3}}) {
        const std::string answer = exchange(build);
        EXPECT_LT(answer.size(), 4000u);
        const auto texts = elementTexts(answer, result);
        ASSERT_EQ(texts.size(), 1u) << answer;
        const std::string& markup = texts.front();
        EXPECT_TRUE(markup.starts_with("<ul><li><a href='")) << markup;
        EXPECT_EQ(answer.find("<ul>"), std::string::npos) << "the list must be escaped text";

        pugi::xml_document list;
        ASSERT_TRUE(list.load_string(markup.c_str())) << markup;
        EXPECT_EQ(countElements(markup, "li"), static_cast<size_t>(items));
        for (const std::string& href : [&] {
                 std::vector<std::string> links;
                 for (const pugi::xpath_node a : list.select_nodes("//a"))
                     links.push_back(a.node().attribute("href").value());
                 return links;
             }()) {
            const std::string path = pathOnService(href, service->port());
            ASSERT_FALSE(path.empty()) << href;
            EXPECT_EQ(httpGet(service->port(), path).status, 200) << href;
        }
    }
}

TEST_F(ServiceContract, EmptyKeywordOrNoMatchGivesAnAnswerWithoutRecords)
{
    // Keywords no text knows: a known word alone would find its best partial matches.
    for (const std::string_view keyword : {"", "   ", "qqqzzzxxx", "无此"}) {
        const std::string answer = exchange(&webserviceapi::Tariff_head, keyword);
        EXPECT_EQ(countElements(answer, "TariffResult"), 1u) << keyword;
        EXPECT_EQ(countElements(answer, "ArticleID"), 0u) << keyword;
        EXPECT_EQ(countElements(exchange(&webserviceapi::Commodity_head, keyword), "C_Code"), 0u) << keyword;
        EXPECT_EQ(countElements(exchange(&webserviceapi::pe_article_head, keyword), "title"), 0u) << keyword;
    }
}

TEST_F(ServiceContract, MarkupInTheKeywordIsSearchedAsText)
{
    const std::string answer = exchange(&webserviceapi::Tariff_head, "<qqqzzz>&\"'");
    EXPECT_EQ(countElements(answer, "TariffResult"), 1u) << answer;
    EXPECT_EQ(countElements(answer, "ArticleID"), 0u);
    // "%" and "_" are not wildcards.
    EXPECT_EQ(countElements(exchange(&webserviceapi::Tariff_head, "%"), "ArticleID"), 0u);
    EXPECT_EQ(countElements(exchange(&webserviceapi::Tariff_head, "_"), "ArticleID"), 0u);
}

TEST_F(ServiceContract, AnswersAreCappedAt200Records)
{
    const std::string answer = exchange(&webserviceapi::Commodity_head, "of");
    EXPECT_EQ(countElements(answer, "C_Code"), 200u);
}

} // namespace
} // namespace tarvelo::testkit
