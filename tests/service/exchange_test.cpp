#include "platform/fakes/fakes.h"
#include "service/webserviceapi.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

using namespace tarvelo;
using testkit::LoopbackServer;
using testkit::ScriptedAnswer;
using platform::Choice;

namespace {

class Exchange : public ::testing::Test {
protected:
    Exchange() { fakes.seams.timeouts = {std::chrono::milliseconds(2000), std::chrono::milliseconds(1000)}; }

    std::string post(LoopbackServer& server, std::string_view body)
    {
        webserviceapi api(fakes.seams);
        api.weburl(server.endpoint());
        return api.webservice(body);
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
};

} // namespace

TEST_F(Exchange, SendsExactlyOurRequest)
{
    LoopbackServer server([](const auto&) { return ScriptedAnswer::ok("<r/>"); });
    webserviceapi api(fakes.seams);
    api.weburl(server.endpoint());
    const std::string request = api.Commodity_head("商品");
    EXPECT_EQ(api.webservice(request), "<r/>");

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto& r = requests.front();
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.target, "/Service.asmx");
    EXPECT_EQ(r.header("Content-Type"), "text/xml;charset=utf-8");
    EXPECT_FALSE(r.hasHeader("SOAPAction"));
    EXPECT_FALSE(r.hasHeader("Expect"));
    EXPECT_FALSE(r.hasHeader("Authorization"));
    EXPECT_EQ(r.body, request);
    EXPECT_NE(r.body.find("\xE5\x95\x86\xE5\x93\x81"), std::string::npos); // 商品 as UTF-8
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST_F(Exchange, AnswersAreReturnedWhateverTheStatus)
{
    const std::string fault = "<soap:Envelope><soap:Body><soap:Fault><faultstring>bad token</faultstring>"
                              "</soap:Fault></soap:Body></soap:Envelope>";
    {
        LoopbackServer server([&](const auto&) { return ScriptedAnswer::withStatus(500, fault); });
        EXPECT_EQ(post(server, "<x/>"), fault);
    }
    {
        LoopbackServer server([](const auto&) { return ScriptedAnswer::withStatus(404, ""); });
        EXPECT_EQ(post(server, "<x/>"), "");
    }
    {
        LoopbackServer server([](const auto&) { return ScriptedAnswer::ok("", "text/xml"); });
        EXPECT_EQ(post(server, "<x/>"), "");
    }
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    EXPECT_EQ(fakes.hub.timerSwitches, 0);
}

TEST_F(Exchange, AnswerDecodedByItsDeclaredCharset)
{
    LoopbackServer gbk([](const auto&) { return ScriptedAnswer::ok("<a>\xD6\xD0</a>", "text/xml; charset=GBK"); });
    EXPECT_EQ(post(gbk, "<x/>"), "<a>中</a>");
    LoopbackServer quoted([](const auto&) { return ScriptedAnswer::ok("<a>\xD6\xD0</a>", "text/xml; charset=\"gb2312\""); });
    EXPECT_EQ(post(quoted, "<x/>"), "<a>中</a>");
    LoopbackServer none([](const auto&) { return ScriptedAnswer::ok("<a>中</a>", "text/xml"); });
    EXPECT_EQ(post(none, "<x/>"), "<a>中</a>");
}

TEST_F(Exchange, UnreachableServiceWithCancelKeepsTheProgramAndStopsTheTimer)
{
    fakes.messageBox.answerNext(Choice::Cancel);
    webserviceapi api(fakes.seams);
    api.weburl(testkit::unreachableEndpoint());
    EXPECT_EQ(api.webservice(api.mdefaut_head()), "---");

    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    const auto& box = fakes.messageBox.shown.front();
    EXPECT_EQ(box.text, " 您的电脑没有连接互联网！  本软件只有在联接互联网时才可使用 ！\r\r    是否退出 Tarvelo 软件");
    EXPECT_EQ(box.caption, " Tarvelo ");
    EXPECT_EQ(box.buttons, platform::Buttons::OkCancel);
    EXPECT_FALSE(fakes.hub.timerEnabled);
    EXPECT_EQ(fakes.hub.trayRemovals, 0);
    EXPECT_EQ(fakes.processExit.calls, 0);
    EXPECT_EQ(fakes.seams.openConnectionPrompts, 0);
}

TEST_F(Exchange, UnreachableServiceWithOkRemovesTheTrayIconAndEnds)
{
    fakes.messageBox.answerNext(Choice::Ok);
    webserviceapi api(fakes.seams);
    api.weburl(testkit::unreachableEndpoint());
    api.webservice(api.mdefaut_head());
    EXPECT_EQ(fakes.hub.trayRemovals, 1);
    EXPECT_EQ(fakes.processExit.calls, 1);
    EXPECT_EQ(fakes.hub.timerSwitches, 0);
}

TEST_F(Exchange, UnresolvableHostIsAFailedExchange)
{
    fakes.messageBox.answerNext(Choice::Cancel);
    webserviceapi api(fakes.seams);
    api.weburl("http://no-such-host.invalid/Service.asmx");
    EXPECT_EQ(api.webservice("<x/>"), "---");
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
}

TEST_F(Exchange, ServiceThatNeverAnswersIsGivenUpAfterTheStallTime)
{
    LoopbackServer server([](const auto&) { return ScriptedAnswer::hang(); });
    fakes.messageBox.answerNext(Choice::Cancel);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(post(server, "<x/>"), "---");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
}

TEST_F(Exchange, ConnectionDroppedWithoutAnswerIsAFailedExchange)
{
    LoopbackServer server([](const auto&) { return ScriptedAnswer::close(); });
    fakes.messageBox.answerNext(Choice::Cancel);
    EXPECT_EQ(post(server, "<x/>"), "---");
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
}

TEST_F(Exchange, ReadxmlShowsTheFirstTitleOnly)
{
    webserviceapi api(fakes.seams);
    api.readxml("<a><title>x</title><b><title>y</title></b></a>");
    api.readxml("<a><b><title>n<i>es</i>ted</title></b></a>");
    ASSERT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "x");
    EXPECT_EQ(fakes.messageBox.shown[0].caption, "Tarvelo");
    EXPECT_EQ(fakes.messageBox.shown[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(fakes.messageBox.shown[1].text, "nested");

    // Nothing to show: no title, or no XML at all.
    api.readxml("<a><b/></a>");
    api.readxml("not xml <<");
    api.readxml("");
    EXPECT_EQ(fakes.messageBox.shown.size(), 2u);
}

namespace {

ScriptedAnswer redirectTo(int status, const std::string& location)
{
    ScriptedAnswer answer;
    answer.raw = "HTTP/1.1 " + std::to_string(status) + " Moved\r\nLocation: " + location +
                 "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    return answer;
}

} // namespace

TEST_F(Exchange, AServiceMovedWithinItsHostIsFollowedWithTheSameRequest)
{
    for (const int status : {301, 302, 303, 307, 308}) {
        LoopbackServer server([&](const testkit::CapturedRequest& r) {
            if (r.target == "/Service.asmx")
                return redirectTo(status, "/moved/Service.asmx");
            if (r.target == "/moved/Service.asmx")
                return redirectTo(status, "http://127.0.0.1:" + std::to_string(server.port()) + "/new/Service.asmx");
            return ScriptedAnswer::ok("<found/>");
        });
        EXPECT_EQ(post(server, "<ask/>"), "<found/>") << status;
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 3u) << status;
        EXPECT_EQ(requests[2].target, "/new/Service.asmx");
        for (const auto& r : requests) {
            EXPECT_EQ(r.method, "POST") << status;
            EXPECT_EQ(r.body, "<ask/>") << status;
        }
    }
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST_F(Exchange, RedirectsToAnotherPlaceOrWithoutEndAreAFailedExchange)
{
    LoopbackServer elsewhere([](const auto&) { return ScriptedAnswer::ok("<other/>"); });
    const std::string otherPort = "http://127.0.0.1:" + std::to_string(elsewhere.port()) + "/Service.asmx";
    const struct {
        const char* what;
        std::function<std::string(int port)> location;
        size_t requests;
    } cases[] = {
        {"another port", [&](int) { return otherPort; }, 1},
        {"another host", [](int port) { return "http://localhost:" + std::to_string(port) + "/Service.asmx"; }, 1},
        {"another scheme", [](int port) { return "https://127.0.0.1:" + std::to_string(port) + "/Service.asmx"; }, 1},
        {"a file", [](int) { return std::string("file:///etc/passwd"); }, 1},
        {"itself, without end", [](int port) { return "http://127.0.0.1:" + std::to_string(port) + "/Service.asmx"; }, 4},
    };
    for (const auto& c : cases) {
        fakes.messageBox.shown.clear();
        fakes.messageBox.answerNext(Choice::Cancel);
        LoopbackServer server([&](const auto&) { return redirectTo(307, c.location(server.port())); });
        EXPECT_EQ(post(server, "<x/>"), "---") << c.what;
        EXPECT_EQ(server.requestCount(), c.requests) << c.what;
        EXPECT_EQ(fakes.messageBox.shown.size(), 1u) << c.what;
    }
    EXPECT_EQ(elsewhere.requestCount(), 0u);
}
