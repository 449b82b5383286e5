// Goods lists looked up through the real service on an ephemeral port: what
// is found and marked, the taxes, Cancel, and a service that stops mid-list.
#include "batch/batchrun.h"
#include "runningservice.h"
#include "support/loopbackserver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tarvelo::batch {
namespace {

using State = LineResult::State;

class BatchRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() { service_ = new testkit::RunningService(); }
    static void TearDownTestSuite() { delete service_; }

    static Connection connection(const testkit::RunningService& service)
    {
        Connection c{.endpoint = service.endpoint()};
        c.timeouts.connect = std::chrono::seconds(5);
        c.timeouts.stall = std::chrono::seconds(20);
        return c;
    }

    static std::vector<Item> items(std::string_view text) { return goodsList(readPastedText(text)).items; }

    static testkit::RunningService* service_;
};

testkit::RunningService* BatchRun::service_ = nullptr;

TEST_F(BatchRun, EachLineFindsItsBestTariffLineOrSaysWhy)
{
    const auto list = items("8471.30.00\t10000\n钢管\nqzxqzxqzx\n8471300000\t1000\t\n钢管\tabc\n");
    const auto results = runList(list, connection(*service_));
    ASSERT_EQ(results.size(), 5u);

    EXPECT_EQ(results[0].state, State::Found);
    EXPECT_EQ(results[0].match.best->code, "84713000");
    EXPECT_FALSE(results[0].match.uncertain);
    ASSERT_TRUE(results[0].taxes);
    // The taxes follow the line's own rates (the service's sample schedule).
    const duty::Outcome expected = taxesOf(list[0], *results[0].match.best);
    EXPECT_EQ(results[0].taxes->total, expected.total);
    EXPECT_TRUE(results[0].taxes->total);

    EXPECT_EQ(results[1].state, State::Found);
    EXPECT_TRUE(results[1].match.uncertain) << "钢管 answers from several headings";
    EXPECT_EQ(results[1].match.alternatives.size(), 2u);
    EXPECT_FALSE(results[1].taxes) << "no value, no taxes";

    EXPECT_EQ(results[2].state, State::NotFound);
    EXPECT_EQ(results[2].note, "未找到");

    EXPECT_EQ(results[3].state, State::Found) << "a ten-digit code finds its tariff line";
    EXPECT_EQ(results[3].match.best->code, "84713000");

    EXPECT_EQ(results[4].state, State::Refused);
    EXPECT_EQ(results[4].note, "完税价格“abc”不是数字");
}

TEST_F(BatchRun, CancelLeavesTheLinesNotStartedAndKeepsTheRest)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "84713000\n";
    const auto list = items(text);
    std::stop_source stop;
    std::atomic<int> settled = 0;
    const auto results = runList(list, connection(*service_), stop.get_token(), [&](size_t, const LineResult&) {
        if (++settled == 5)
            stop.request_stop();
    });
    std::vector<State> states;
    for (const LineResult& r : results)
        states.push_back(r.state);
    EXPECT_EQ(settled, 60) << "every line is settled, cancelled ones too";
    EXPECT_GE(std::count(states.begin(), states.end(), State::Found), 5);
    EXPECT_GE(std::count(states.begin(), states.end(), State::Cancelled), 40);
    EXPECT_EQ(std::count(states.begin(), states.end(), State::Found) +
                  std::count(states.begin(), states.end(), State::Cancelled),
              60);
}

TEST_F(BatchRun, AServiceStoppingMidListMarksTheRestNotDone)
{
    // A replica of its own on the same database, stopped after ten answers.
    testkit::RunningService replica({"--db", (service_->folder() / "service.db").string()});
    std::string text;
    for (int i = 0; i < 80; ++i)
        text += i % 2 ? "84713000\n" : "鲜苹果\n";
    const auto list = items(text);
    std::vector<size_t> answeredBeforeStop;
    const auto results = runList(list, connection(replica), {}, [&](size_t index, const LineResult& r) {
        if (r.state != State::Found)
            return;
        answeredBeforeStop.push_back(index);
        if (answeredBeforeStop.size() == 10)
            replica.stop();
    });
    for (const size_t index : answeredBeforeStop)
        EXPECT_EQ(results[index].state, State::Found) << "line " << index << " was answered and is kept";
    size_t notDone = 0;
    for (const LineResult& r : results) {
        EXPECT_TRUE(r.state == State::Found || r.state == State::NotDone);
        if (r.state == State::NotDone) {
            ++notDone;
            EXPECT_EQ(r.note, "服务连接中断，未查询");
        }
    }
    EXPECT_GE(notDone, 60u);
}

// A hosting proxy that finds one address asking too fast answers 429 (no
// service does): the line waits and is asked again.
TEST(BatchRunBehindAProxy, ALineAnsweredTooManyRequestsIsAskedAgain)
{
    const std::string tariff = "<soap:Envelope xmlns:soap='http://schemas.xmlsoap.org/soap/envelope/'><soap:Body>"
                               "<TariffLine><HS_code>84713000</HS_code><Product_name>x</Product_name></TariffLine>"
                               "</soap:Body></soap:Envelope>";
    std::atomic<int> asked = 0;
    std::atomic<bool> alwaysBusy = false;
    testkit::LoopbackServer proxy([&](const testkit::CapturedRequest&) {
        return ++asked <= 2 || alwaysBusy ? testkit::ScriptedAnswer::withStatus(429, "slow down")
                                          : testkit::ScriptedAnswer::ok(tariff);
    });
    const auto results = runList(goodsList(readPastedText("84713000\n")).items, {.endpoint = proxy.endpoint()});
    EXPECT_EQ(results[0].state, State::Found);
    EXPECT_EQ(asked, 3);

    // A stop during the pause cancels the line.
    alwaysBusy = true;
    std::stop_source stop;
    std::jthread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.request_stop();
    });
    const auto start = std::chrono::steady_clock::now();
    const auto cancelled = runList(goodsList(readPastedText("84713000\n")).items, {.endpoint = proxy.endpoint()},
                                   stop.get_token());
    EXPECT_EQ(cancelled[0].state, State::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

} // namespace
} // namespace tarvelo::batch
