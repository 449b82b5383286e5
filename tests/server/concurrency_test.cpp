// Many clients at once, each with its own program-side client objects.
#include "runningservice.h"
#include "soaphelpers.h"

#include "platform/fakes/fakes.h"
#include "service/webserviceapi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace tarvelo::testkit {
namespace {

struct Query {
    std::function<std::string(webserviceapi&)> build;
    std::string expected; // answered alone, before the rush
};

TEST(ServiceConcurrency, TwoHundredRequestsFromTwentyThreadsAllAnswerCorrectly)
{
    RunningService service({"--threads", "8"});
    TempFolder programFolder;
    std::vector<Query> queries{
        {[](webserviceapi& a) { return a.Tariff_head("钢"); }, {}},
        {[](webserviceapi& a) { return a.Commodity_head("8471"); }, {}},
        {[](webserviceapi& a) { return a.Export_head("不锈钢"); }, {}},
        {[](webserviceapi& a) { return a.pe_article_head("关税"); }, {}},
        {[](webserviceapi& a) { return a.mdefaut_head(); }, {}},
        {[](webserviceapi& a) { return a.mmaopao_head(); }, {}},
        {[](webserviceapi& a) { return a.Tariff_head("Steel"); }, {}},
    };
    {
        platform::fakes::FakePlatform platform(programFolder.path());
        for (Query& q : queries) {
            webserviceapi api(platform.seams);
            api.weburl(service.endpoint());
            q.expected = api.webservice(q.build(api));
            ASSERT_NE(q.expected, std::string(webserviceapi::failureText));
        }
    }

    constexpr int threads = 20;
    constexpr int perThread = 10;
    std::atomic<int> right{0};
    std::atomic<int> wrong{0};
    std::vector<std::jthread> clients;
    for (int t = 0; t < threads; ++t) {
        clients.emplace_back([&, t] {
            platform::fakes::FakePlatform platform(programFolder.path());
            for (int i = 0; i < perThread; ++i) {
                const Query& q = queries[static_cast<size_t>(t * perThread + i) % queries.size()];
                webserviceapi api(platform.seams);
                api.weburl(service.endpoint());
                (api.webservice(q.build(api)) == q.expected ? right : wrong)++;
            }
            if (!platform.messageBox.shown.empty())
                wrong++;
        });
    }
    clients.clear();
    EXPECT_EQ(right.load(), threads * perThread);
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(service.stop(), 0);
}

} // namespace
} // namespace tarvelo::testkit
