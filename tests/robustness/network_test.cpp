// Network faults met by the real lookups and the real exchange: whatever the
// service does, the user sees the connection prompt or a no-result page within
// the exchange's time-outs, a whole page is written, and nothing crashes.
#include "lookups.h"
#include "pages/frames.h"
#include "pages/messages.h"
#include "service/webserviceapi.h"
#include "support/answers.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

using namespace tarvelo;
using namespace tarvelo::robustness;
using namespace std::chrono_literals;
using platform::Choice;
using testkit::LoopbackServer;
using testkit::ScriptedAnswer;
using testkit::soapAnswer;

namespace {

const std::string prompt(messages::connectionPrompt);

// A server that writes every answer straight onto the connection's socket.
LoopbackServer socketServer(testkit::SocketScript script)
{
    return LoopbackServer([script = std::move(script)](const auto&) { return ScriptedAnswer::onSocket(script); });
}

const std::string oneTariffRecord = soapAnswer(
    "Tariff", "<Table><ArticleID>1</ArticleID><HS_code>0101.2100</HS_code><Product_name>改良种用马</Product_name>"
              "<MFN>0</MFN><Gen>0</Gen><GST>0</GST><VAT>13</VAT><Unit>千克</Unit><SC>AB</SC>"
              "<EN_Description>horses</EN_Description></Table>");

class NetworkFaults : public ::testing::Test {
protected:
    NetworkFaults()
    {
        fakes.seams.timeouts = {2000ms, 1000ms};
        fakes.messageBox.answers.assign(64, Choice::Cancel); // keep the program on every prompt
    }

    // Runs a lookup against endpoint; checks the page file is whole and the
    // run stayed within limit.
    void lookupAt(const std::string& endpoint, const Lookup& lookup = lookups[0],
                  std::chrono::milliseconds limit = 6000ms)
    {
        fakes.seams.endpointOverride = endpoint;
        const auto start = std::chrono::steady_clock::now();
        const std::string path = runLookup(fakes.seams, lookup, "马");
        elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_LT(elapsed, limit) << lookup.name;
        const std::string bytes = readBytes(path);
        EXPECT_TRUE(bytes.starts_with(pages::frames::head)) << lookup.name;
        EXPECT_TRUE(bytes.ends_with(pages::frames::foot)) << lookup.name;
        EXPECT_EQ(fakes.processExit.calls, 0);
    }

    size_t prompts() const { return countShown(fakes.messageBox, prompt); }
    size_t noResults(const Lookup& lookup = lookups[0]) const
    {
        return countShown(fakes.messageBox, pages::messages::noResult(lookup.category));
    }
    // The failed exchange: the prompt, then the renderer's no-result message.
    void expectPromptThenNoResult(const Lookup& lookup = lookups[0])
    {
        ASSERT_EQ(fakes.messageBox.shown.size(), 2u) << lookup.name;
        EXPECT_EQ(fakes.messageBox.shown[0].text, prompt);
        EXPECT_EQ(fakes.messageBox.shown[1].text, pages::messages::noResult(lookup.category));
        EXPECT_FALSE(fakes.hub.timerEnabled);
    }
    void expectNoResultOnly(const Lookup& lookup = lookups[0])
    {
        EXPECT_EQ(prompts(), 0u) << lookup.name;
        EXPECT_EQ(fakes.messageBox.shown.size(), 1u) << lookup.name;
        EXPECT_EQ(noResults(lookup), 1u) << lookup.name;
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    std::chrono::steady_clock::duration elapsed{};
};

// The stall time counts from the last byte either way, and the request's own
// bytes keep the measured speed up for a few seconds more: a silent service is
// given up some five seconds after the stall time.
constexpr auto silentLimit = 9000ms;

// Sends nothing more until the server stops; the client gives up first.
void holdOpen(const std::atomic<bool>& stopping)
{
    while (!stopping)
        std::this_thread::sleep_for(10ms);
}

} // namespace

TEST_F(NetworkFaults, ServiceRefusedPromptsOnEveryLookup)
{
    for (const Lookup& lookup : lookups) {
        fakes.messageBox.shown.clear();
        lookupAt(testkit::unreachableEndpoint(), lookup, 3000ms);
        expectPromptThenNoResult(lookup);
    }
    fakes.messageBox.shown.clear();
    fakes.seams.endpointOverride = testkit::unreachableEndpoint();
    const std::string home = readBytes(runHome(fakes.seams));
    EXPECT_EQ(prompts(), 1u);
    EXPECT_TRUE(home.starts_with(pages::frames::headNoScroll) && home.ends_with("---</body>")) << home;
}

TEST_F(NetworkFaults, UnresolvableHostPrompts)
{
    lookupAt("http://no-such-host.invalid/Service.asmx", lookups[1], 8000ms);
    expectPromptThenNoResult(lookups[1]);
}

TEST_F(NetworkFaults, ResetBeforeAnyAnswerPrompts)
{
    LoopbackServer server = socketServer([](int fd, const auto&) { testkit::resetOnClose(fd); });
    lookupAt(server.endpoint());
    expectPromptThenNoResult();
    EXPECT_EQ(server.requestCount(), 1);
}

TEST_F(NetworkFaults, ConnectionClosedInTheHeadersGivesANoResultPage)
{
    // The HTTP layer takes a head cut short by the end of the connection as an
    // answer without a body: no prompt, but the empty answer finds nothing.
    LoopbackServer server = socketServer([](int fd, const auto&) { testkit::sendBytes(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/x"); });
    lookupAt(server.endpoint());
    EXPECT_LE(prompts(), 1u);
    EXPECT_EQ(noResults(), 1u);
}

TEST_F(NetworkFaults, ConnectionClosedInTheBodyPrompts)
{
    LoopbackServer server = socketServer([](int fd, const auto&) {
        testkit::sendBytes(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: 5000\r\n\r\n");
        testkit::sendBytes(fd, oneTariffRecord.substr(0, 300));
    });
    lookupAt(server.endpoint());
    expectPromptThenNoResult();
}

TEST_F(NetworkFaults, ConnectionResetInTheBodyPrompts)
{
    LoopbackServer server = socketServer([](int fd, const auto&) {
        testkit::sendBytes(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: 5000\r\n\r\n");
        testkit::sendBytes(fd, oneTariffRecord.substr(0, 300));
        std::this_thread::sleep_for(50ms);
        testkit::resetOnClose(fd);
    });
    lookupAt(server.endpoint());
    expectPromptThenNoResult();
}

TEST_F(NetworkFaults, ChunkedAnswerBrokenOffPrompts)
{
    LoopbackServer server = socketServer([](int fd, const auto&) {
        testkit::sendBytes(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nTransfer-Encoding: chunked\r\n\r\n"
                            "40\r\n<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">");
    });
    lookupAt(server.endpoint());
    expectPromptThenNoResult();
}

TEST_F(NetworkFaults, ServiceThatAcceptsAndNeverAnswersPromptsAfterTheStallTime)
{
    LoopbackServer server = socketServer([](int, const auto& stopping) { holdOpen(stopping); });
    lookupAt(server.endpoint(), lookups[2], silentLimit);
    EXPECT_GE(elapsed, 900ms);
    expectPromptThenNoResult(lookups[2]);
}

TEST_F(NetworkFaults, ServiceThatStopsInTheMiddlePromptsAfterTheStallTime)
{
    LoopbackServer server = socketServer([](int fd, const auto& stopping) {
        testkit::sendBytes(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 5000\r\n\r\n<soap:");
        holdOpen(stopping);
    });
    lookupAt(server.endpoint(), lookups[3], silentLimit);
    expectPromptThenNoResult(lookups[3]);
}

// One byte a second never counts as a stall; the exchange still ends at its
// total time-out rather than block the program for as long as the answer lasts.
TEST_F(NetworkFaults, AnswerAtOneBytePerSecondEndsAtTheTotalTimeout)
{
    fakes.seams.timeouts = {2000ms, 2000ms, 3000ms};
    std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: " +
                           std::to_string(oneTariffRecord.size()) + "\r\n\r\n" + oneTariffRecord;
    LoopbackServer server = socketServer([&response](int fd, const std::atomic<bool>& stopping) {
        // Bounded: after 9 s the server stops trickling and closes.
        const auto start = std::chrono::steady_clock::now();
        for (const char c : response) {
            if (stopping || std::chrono::steady_clock::now() - start > 9s || !testkit::sendBytes(fd, {&c, 1}))
                return;
            std::this_thread::sleep_for(1000ms);
        }
    });
    lookupAt(server.endpoint(), lookups[0], 5000ms);
    EXPECT_GE(elapsed, 2900ms);
    expectPromptThenNoResult();
}

TEST_F(NetworkFaults, FiftyMegabyteAnswerGivesANoResultPage)
{
    // Well-formed, but with no records: one 50 MB text element.
    std::string body = soapAnswer("Tariff", "<Filler>" + std::string(50u << 20, 'A') + "</Filler>");
    LoopbackServer server([&body](const auto&) { return ScriptedAnswer::ok(body); });
    lookupAt(server.endpoint(), lookups[0], 30000ms);
    expectNoResultOnly();
}

TEST_F(NetworkFaults, FiftyMegabytesOfNonXmlGiveANoResultPage)
{
    std::string body(50u << 20, '<');
    LoopbackServer server([&body](const auto&) { return ScriptedAnswer::ok(body); });
    lookupAt(server.endpoint(), lookups[3], 30000ms);
    expectNoResultOnly(lookups[3]);
}

TEST_F(NetworkFaults, AnswerOverTheSizeCapPrompts)
{
    std::string body(70u << 20, 'x');
    LoopbackServer server([&body](const auto&) { return ScriptedAnswer::ok(body); });
    lookupAt(server.endpoint(), lookups[1], 30000ms);
    expectPromptThenNoResult(lookups[1]);
}

TEST_F(NetworkFaults, BinaryGarbageGivesANoResultPage)
{
    std::mt19937 random(9);
    std::string body(256u << 10, '\0');
    for (char& c : body)
        c = static_cast<char>(random());
    for (const char* type : {"text/xml; charset=utf-8", "application/octet-stream", "text/xml; charset=gbk", ""}) {
        LoopbackServer server([&](const auto&) { return ScriptedAnswer::ok(body, type); });
        for (const Lookup& lookup : lookups) {
            fakes.messageBox.shown.clear();
            lookupAt(server.endpoint(), lookup);
            expectNoResultOnly(lookup);
        }
        fakes.messageBox.shown.clear();
        fakes.seams.endpointOverride = server.endpoint();
        const std::string home = readBytes(runHome(fakes.seams));
        EXPECT_TRUE(home.ends_with(pages::frames::foot));
        EXPECT_TRUE(fakes.messageBox.shown.empty());
    }
}

TEST_F(NetworkFaults, GarbageInsteadOfHttpPrompts)
{
    LoopbackServer server = socketServer([](int fd, const auto&) {
        std::string junk(4096, '\0');
        std::mt19937 random(3);
        for (char& c : junk)
            c = static_cast<char>(random());
        testkit::sendBytes(fd, junk);
    });
    lookupAt(server.endpoint());
    expectPromptThenNoResult();
}

TEST_F(NetworkFaults, WrongCharsetDeclarationsNeitherCrashNorPrompt)
{
    // UTF-8 bytes under other names, a name nobody knows, and a GBK answer
    // claiming to be UTF-8.
    const std::string gbkBytes = "<?xml version=\"1.0\"?><r><Table><HS_code>\xC2\xED</HS_code>"
                                 "<ArticleID>1</ArticleID></Table></r>";
    struct Case {
        std::string body, type;
    } cases[] = {
        {oneTariffRecord, "text/xml; charset=gbk"},
        {oneTariffRecord, "text/xml; charset=utf-16"},
        {oneTariffRecord, "text/xml; charset=utf-32le"},
        {oneTariffRecord, "text/xml; charset=x-no-such-charset"},
        {oneTariffRecord, "text/xml; charset=\""},
        {oneTariffRecord, "text/xml; charset="},
        {oneTariffRecord, "text/xml; charset=" + std::string(300, 'z')},
        {gbkBytes, "text/xml; charset=utf-8"},
    };
    for (const Case& c : cases) {
        LoopbackServer server([&](const auto&) { return ScriptedAnswer::ok(c.body, c.type); });
        fakes.messageBox.shown.clear();
        lookupAt(server.endpoint());
        EXPECT_EQ(prompts(), 0u) << c.type;
        EXPECT_LE(fakes.messageBox.shown.size(), 1u) << c.type; // at most the no-result message
    }
}
