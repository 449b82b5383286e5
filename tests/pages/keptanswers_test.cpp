// Answers kept for an outage: the store's bound, and pages built from it when
// the real service stops mid-run.
#include "../server/runningservice.h"
#include "pages/cshtml.h"
#include "pages/keptanswer.h"
#include "platform/fakes/fakes.h"
#include "service/keptanswers.h"
#include "service/webserviceapi.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

using namespace tarvelo;
using namespace std::chrono_literals;

namespace {

TEST(KeptAnswers, LeastRecentlyUsedGoFirstOnceOverTheBoundAndTheRestOutlastTheRun)
{
    testkit::TempFolder folder;
    const auto file = folder.path() / "data" / "answers.sqlite";
    const std::string hundred(100, 'x');
    const auto saved = std::chrono::system_clock::time_point(1'700'000'000s);
    {
        KeptAnswers kept(file, 300);
        kept.keep("Tariff", "a", hundred, saved);
        kept.keep("Tariff", "b", hundred, saved);
        kept.keep("Commodity", "a", hundred, saved);
        EXPECT_TRUE(kept.find("Tariff", "a")); // used again: b is now the least recent
        kept.keep("Tariff", "d", hundred, saved);
        EXPECT_FALSE(kept.find("Tariff", "b"));
        kept.keep("Tariff", "a", "newer", saved + 60s); // the same search keeps one answer
    }
    KeptAnswers again(file, 300);
    const auto a = again.find("Tariff", "a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->answer, "newer");
    EXPECT_EQ(a->saved, saved + 60s);
    EXPECT_TRUE(again.find("Commodity", "a"));
    EXPECT_TRUE(again.find("Tariff", "d"));
    EXPECT_FALSE(again.find("Export", "a"));
}

TEST(KeptAnswers, OnlyWellFormedAnswersThatAreNoFaultAreKept)
{
    EXPECT_FALSE(pages::worthKeeping(webserviceapi::failureText));
    EXPECT_FALSE(pages::worthKeeping(""));
    EXPECT_FALSE(pages::worthKeeping("<soap:Envelope xmlns:soap='s'><soap:Body><soap:Fault><faultcode>x</faultcode>"
                                     "</soap:Fault></soap:Body></soap:Envelope>"));
    EXPECT_TRUE(pages::worthKeeping("<soap:Envelope xmlns:soap='s'><soap:Body><TariffResponse/></soap:Body>"
                                    "</soap:Envelope>"));
}

TEST(KeptAnswers, AfterTheConnectionPromptThePageComesFromTheLastKeptAnswer)
{
    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    fakes.seams.timeouts = {2000ms, 2000ms, 4000ms};
    KeptAnswers kept(folder.path() / "answers.sqlite");
    fakes.seams.answers = &kept;
    testkit::RunningService service;
    fakes.seams.endpointOverride = service.endpoint();
    const auto saved = std::chrono::system_clock::time_point(1'780'000'000s);
    fakes.clock.current = saved;

    cshtml page(fakes.seams);
    const std::string fresh = page.Tariff("热轧");
    ASSERT_NE(fresh.find("72083600"), std::string::npos);
    const std::string home = page.defaut();
    ASSERT_TRUE(fakes.messageBox.shown.empty());

    ASSERT_EQ(service.stop(), 0);
    fakes.clock.current = saved + 2h;
    for (int i = 0; i < 3; ++i)
        fakes.messageBox.answerNext(platform::Choice::Cancel); // stay when asked to quit
    const std::string notice = pages::keptNotice(saved);
    EXPECT_NE(notice.find("无法连接服务"), std::string::npos);

    EXPECT_EQ(page.Tariff("热轧"), notice + fresh);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, messages::connectionPrompt) << "the prompt comes first";
    EXPECT_EQ(page.defaut(), notice + home);

    // Nothing kept for this one: the page is what it always was.
    const std::string never = page.Tariff("从未搜索");
    EXPECT_EQ(never.find("无法连接服务"), std::string::npos);
    EXPECT_EQ(fakes.messageBox.shown.back().text.find("很抱歉"), 0u);
    EXPECT_EQ(fakes.processExit.calls, 0);
}

} // namespace
