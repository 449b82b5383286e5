// The program's own request builders and exchange against the real service:
// every operation, answered in the shape the result pages read.
#include "runningservice.h"
#include "soaphelpers.h"

#include "platform/fakes/fakes.h"
#include "service/webserviceapi.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <memory>
#include <regex>
#include <string>
#include <vector>

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

// The tray menu's 站内搜索, 在线提问 and maker's-site entries open these pages
// when the program was built for this service.

// Every byte but letters and digits as %XX, as a browser sends a form.
std::string formValue(std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if (std::isalnum(c) && c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::vector<std::string> matches(const std::string& text, const std::regex& pattern)
{
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

std::vector<std::string> links(const std::string& page)
{
    return matches(page, std::regex("href='([^']*)'"));
}

TEST_F(ServiceContract, SearchPageFindsWhatTheCommodityOperationFinds)
{
    const HttpReply empty = httpGet(service->port(), "/so/Search.asp");
    EXPECT_EQ(empty.status, 200);
    EXPECT_EQ(empty.contentType, "text/html; charset=utf-8");
    EXPECT_NE(empty.body.find("<form method='get' action='/so/Search.asp'>"), std::string::npos) << empty.body;
    EXPECT_NE(empty.body.find("name='keyword'"), std::string::npos);
    EXPECT_EQ(httpGet(service->port(), "/so/Search_asp").status, 404) << "the page's own path only";

    for (const std::string_view keyword : {"冷轧不锈钢", "8471.30", "of"}) {
        const HttpReply page = httpGet(service->port(), "/so/Search.asp?keyword=" + formValue(keyword));
        ASSERT_EQ(page.status, 200) << keyword;
        const auto codes = matches(page.body, std::regex("<a href='/detail/tariff/([0-9]+)'>"));
        EXPECT_EQ(codes, elementTexts(exchange(&webserviceapi::Commodity_head, keyword), "C_Code")) << keyword;
    }
    const HttpReply steel = httpGet(service->port(), "/so/Search.asp?keyword=" + formValue("冷轧不锈钢"));
    EXPECT_NE(steel.body.find("<a href='/detail/tariff/72193300'>72193300</a></td><td>冷轧不锈钢宽平板轧材"),
              std::string::npos)
        << steel.body;
    EXPECT_EQ(httpGet(service->port(), "/detail/tariff/72193300").status, 200);
    EXPECT_NE(httpGet(service->port(), "/so/Search.asp?keyword=of").body.find("只列出前 200 条"), std::string::npos);
    // A form sends spaces as "+" (which the test client would otherwise send as %2B).
    httplib::Client browser("127.0.0.1", service->port());
    browser.set_url_encode(false);
    const auto spaced = browser.Get("/so/Search.asp?keyword=8471+30");
    ASSERT_TRUE(spaced);
    EXPECT_NE(spaced->body.find("<a href='/detail/tariff/847130'>"), std::string::npos) << spaced->body;
}

TEST_F(ServiceContract, SearchPageShowsMarkupInTheKeywordAsText)
{
    const HttpReply page = httpGet(service->port(), "/so/Search.asp?keyword=" + formValue("<b>qqqzzz</b>\"'&"));
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body.find("<b>"), std::string::npos) << page.body;
    EXPECT_NE(page.body.find("value='&lt;b&gt;qqqzzz&lt;/b&gt;&quot;&#39;&amp;'"), std::string::npos) << page.body;
    EXPECT_NE(page.body.find("没有找到与“&lt;b&gt;qqqzzz&lt;/b&gt;"), std::string::npos) << page.body;
}

TEST_F(ServiceContract, HomeAndQuestionPagesLinkOnlyToPagesThatAnswer)
{
    const HttpReply home = httpGet(service->port(), "/");
    EXPECT_EQ(home.status, 200);
    EXPECT_EQ(home.contentType, "text/html; charset=utf-8");
    const auto homeLinks = links(home.body);
    for (const auto page : {"/so/Search.asp", "/gs/Ask/Add_Question.asp", "/Service.asmx"})
        EXPECT_NE(std::find(homeLinks.begin(), homeLinks.end(), page), homeLinks.end()) << page;

    const HttpReply question = httpGet(service->port(), "/gs/Ask/Add_Question.asp");
    EXPECT_EQ(question.status, 200);
    EXPECT_EQ(question.contentType, "text/html; charset=utf-8");
    EXPECT_NE(question.body.find("运营方"), std::string::npos);
    const HttpReply search = httpGet(service->port(), "/so/Search.asp");
    for (const HttpReply* page : {&home, &question, &search})
        for (const std::string& link : links(page->body))
            EXPECT_EQ(httpGet(service->port(), link).status, 200) << link;
}

} // namespace
} // namespace tarvelo::testkit
