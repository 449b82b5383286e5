#include "support/answers.h"
#include "pages/cshtml.h"
#include "platform/fakes/fakes.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

using namespace tarvelo;
using namespace tarvelo::testkit;
using testkit::CapturedRequest;
using testkit::LoopbackServer;
using testkit::ScriptedAnswer;

namespace {

std::string noResult(std::string_view category)
{
    return "很抱歉，没有搜索到您要的 " + std::string(category) + " 资料,\n请重新输入别的关键字看看";
}

class Renderers : public ::testing::Test {
protected:
    Renderers() { fakes.seams.timeouts = {std::chrono::milliseconds(2000), std::chrono::milliseconds(2000)}; }

    // Answers every request with body and sends cshtml's requests there.
    LoopbackServer& serve(std::string body)
    {
        server.emplace([body = std::move(body)](const CapturedRequest&) { return ScriptedAnswer::ok(body); });
        fakes.seams.endpointOverride = server->endpoint();
        return *server;
    }

    std::string requestBody() const
    {
        const auto requests = server->requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? std::string() : requests.front().body;
    }

    const std::vector<platform::fakes::ShownMessage>& shown() const { return fakes.messageBox.shown; }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    std::optional<LoopbackServer> server;
};

} // namespace

TEST_F(Renderers, TariffAsksForTheKeywordAndTablesTheAnswer)
{
    serve(soapAnswer("Tariff", record({{"ArticleID", "1"}, {"HS_code", "0101"}, {"Product_name", "马"}})));
    cshtml page(fakes.seams);
    const std::string fragment = page.Tariff("马");
    // The namespace comes from the build's endpoint (the envelope tests check it).
    const std::string body = requestBody();
    const size_t call = body.find("<Tariff xmlns=\"http://");
    ASSERT_NE(call, std::string::npos);
    EXPECT_NE(body.find("/\"><keyword>马</keyword>", call), std::string::npos);
    EXPECT_NE(fragment.find("<td height='22' align='left'>0101</td><td align='left'>马</td>"), std::string::npos);
    EXPECT_TRUE(fragment.ends_with("</tr></table>"));
    EXPECT_TRUE(shown().empty());
}

TEST_F(Renderers, EachLookupTellsTheUserWhenNothingWasFound)
{
    serve(soapAnswer("Any", ""));
    struct Lookup {
        std::string (cshtml::*run)(std::string_view);
        const char* operation;
        const char* category;
    };
    const Lookup lookups[] = {
        {&cshtml::Tariff, "<Tariff ", "海关税则"},
        {&cshtml::Commodity, "<Commodity ", "商品编码"},
        {&cshtml::Export, "<Export ", "出口退税"},
        {&cshtml::pe_article, "<PE_Article ", "法规政策"},
    };
    for (const Lookup& lookup : lookups) {
        fakes.messageBox.shown.clear();
        cshtml page(fakes.seams);
        const std::string fragment = (page.*lookup.run)("x");
        ASSERT_EQ(shown().size(), 1u) << lookup.category;
        EXPECT_EQ(shown()[0].text, noResult(lookup.category));
        EXPECT_EQ(shown()[0].caption, "Tarvelo");
        EXPECT_EQ(shown()[0].buttons, platform::Buttons::Ok);
        EXPECT_NE(server->requests().back().body.find(lookup.operation), std::string::npos);
        if (std::string_view(lookup.operation) == "<PE_Article ")
            EXPECT_EQ(fragment, "");
        else
            EXPECT_TRUE(fragment.starts_with("<table ") && fragment.ends_with("</tr></table>")) << fragment;
    }
    EXPECT_EQ(server->requestCount(), 4u);
}

TEST_F(Renderers, HomeAndBubbleDecodeTheWholeAnswer)
{
    serve("<r>&lt;ul&gt;&lt;li&gt;A&lt;/li&gt;&lt;/ul&gt;</r>");
    cshtml page(fakes.seams);
    EXPECT_TRUE(page.defaut().ends_with("</style>\r<div><r><ul><li>A</li></ul></r>"));
    EXPECT_TRUE(page.maopao().ends_with("</style>\r<r><ul><li>A</li></ul></r>"));
    const auto requests = server->requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].body.find("<mdefaut xmlns="), std::string::npos);
    EXPECT_NE(requests[1].body.find("<maopao xmlns="), std::string::npos);
    EXPECT_TRUE(shown().empty());
}

TEST_F(Renderers, AFailedExchangeIsAnAnswerWithoutRecords)
{
    fakes.seams.endpointOverride = testkit::unreachableEndpoint();
    fakes.messageBox.answerNext(platform::Choice::Cancel);
    cshtml page(fakes.seams);
    const std::string fragment = page.Export("x");
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0].caption, " Tarvelo ");
    EXPECT_EQ(shown()[1].text, noResult("出口退税"));
    EXPECT_TRUE(fragment.ends_with("</strong></td></tr></table>"));

    fakes.messageBox.answerNext(platform::Choice::Cancel);
    EXPECT_TRUE(page.maopao().ends_with("</style>\r---"));
}

TEST_F(Renderers, APageIsHeadFragmentAndFootInTheFile)
{
    serve(soapAnswer("Commodity", record({{"C_Code", "1"}, {"C_Name", "商品"}, {"thisurl", ""}, {"thenurl", ""}})));
    cshtml page(fakes.seams);
    page.pathn("\\Commodity20110101.html");
    const std::string fragment = page.Commodity("商品");
    page.bodystr(page.htmlhead() + fragment + page.htmlfoor());
    page.createhtml();
    std::ifstream in(page.pathn(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(bytes.starts_with("<body rightmargin=\"0\""));
    EXPECT_TRUE(bytes.ends_with("</td></tr></table></body>"));
    // 商品 in code page 936, both in the header label and in the cell.
    EXPECT_EQ(occurrences(bytes, "\xC9\xCC\xC6\xB7"), 3u);
}
