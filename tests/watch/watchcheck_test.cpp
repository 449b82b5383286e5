// Change detection of watched lines against the real service: its rates
// answer, an import that changes a watched line, and a scheduled change that
// takes effect.
#include "runningservice.h"
#include "service/httpexchange.h"
#include "watch/changes.h"
#include "watch/ratesclient.h"
#include "watch/watchpage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace tarvelo::watch {
namespace {

using testkit::RunningService;

Connection connectionTo(const RunningService& service)
{
    return {service.endpoint(), {std::chrono::seconds(5), std::chrono::seconds(5), std::chrono::seconds(10)}, {}};
}

std::vector<WatchedLine> fresh(const RunningService& service, const std::vector<std::string>& codes)
{
    FreshRates answer = fetchRates(connectionTo(service), codes);
    EXPECT_EQ(answer.error, "");
    return answer.lines;
}

std::vector<WatchedLine> watching(const std::vector<std::string>& codes)
{
    std::vector<WatchedLine> lines;
    for (const std::string& code : codes)
        lines.push_back({code, {}, {}, {}});
    return lines;
}

TEST(WatchCheck, RatesInForceAndNextChangeFromTheService)
{
    RunningService service({"--quiet", "--today", "2026-06-30"});
    const auto lines = fresh(service, {"22042100", "01012100", "99999999"});
    ASSERT_EQ(lines.size(), 2u) << "a code the schedule lacks has no line";
    EXPECT_EQ(lines[0].code, "22042100");
    EXPECT_EQ(lines[0].name, "小包装的鲜葡萄酿造的酒");
    EXPECT_EQ(lines[0].inForce, (Rates{"14%", "180%", "10%", "13%", "升", "AB"}));
    ASSERT_TRUE(lines[0].next);
    EXPECT_EQ(lines[0].next->effective, "2026-07-01");
    EXPECT_EQ(lines[0].next->rates.mfn, "12%");
    EXPECT_FALSE(lines[1].next);

    // The detail page links the line for the program; the service refuses what is not a line.
    const platform::ExchangeTimeouts timeouts = connectionTo(service).timeouts;
    EXPECT_NE(service::getUrl(service.site() + "/detail/tariff/22042100", timeouts).body.find(
                  "href='tarvelo:watch?code=22042100'"),
              std::string::npos);
    EXPECT_EQ(service::getUrl(service.site() + "/rates?code=2204", timeouts).status, 400);

    // What is not a line's code is never asked; a service that is gone is said so.
    const FreshRates none = fetchRates(connectionTo(service), {"12ab", "2204"});
    EXPECT_TRUE(none.lines.empty() && none.error.empty());
    service.stop();
    EXPECT_NE(fetchRates(connectionTo(service), {"22042100"}).error, "");
}

TEST(WatchCheck, ImportChangingAWatchedLineIsOneChange)
{
    RunningService service({"--quiet"});
    const auto first = detectChanges(watching({"72083600", "01012100"}), fresh(service, {"72083600", "01012100"}),
                                     "2026-12-10");
    EXPECT_TRUE(first.changes.empty()) << "lines seen for the first time only take their rates";
    ASSERT_TRUE(first.lines[0].inForce);

    const auto tariff = service.folder() / "tariff.csv";
    std::ofstream(tariff) << "code,name,mfn,general,consumption,vat,unit,supervision\n"
                             "72083600,厚度超过10毫米的热轧卷材,1%,15%,,9%,千克,7\n"
                             "01012100,改良种用马,0%,30%,,9%,头,AB\n";
    std::string output;
    ASSERT_EQ(testkit::runServiceCommand({"import", "--db", (service.folder() / "service.db").string(), "--tariff",
                                          tariff.string()},
                                         output),
              0)
        << output;

    // The service reads the new file within about a second.
    CheckOutcome after;
    for (int i = 0; i < 50 && after.changes.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        after = detectChanges(first.lines, fresh(service, {"72083600", "01012100"}), "2026-12-10");
    }
    ASSERT_EQ(after.changes.size(), 1u);
    const RateChange& change = after.changes[0];
    EXPECT_EQ(change.code, "72083600");
    EXPECT_FALSE(change.scheduled);
    EXPECT_EQ(change.before, *first.lines[0].inForce);
    EXPECT_EQ(change.after.mfn, "1%");
    EXPECT_EQ(change.after.vat, "9%");
    EXPECT_EQ(*after.lines[0].inForce, change.after) << "the list takes the new rates";
    EXPECT_TRUE(detectChanges(after.lines, fresh(service, {"72083600", "01012100"}), "2026-12-10").changes.empty())
        << "a change is reported once";

    const std::string page = changesFragment(after.changes);
    EXPECT_NE(page.find("72083600"), std::string::npos);
    EXPECT_NE(page.find("→ <span class='now'>1%</span>"), std::string::npos) << page;
    EXPECT_EQ(page.find("普通"), std::string::npos) << "fields that stayed are not listed";
}

TEST(WatchCheck, ScheduledChangeTakingEffect)
{
    std::vector<WatchedLine> stored;
    {
        RunningService before({"--quiet", "--today", "2026-06-30"});
        stored = detectChanges(watching({"22042100"}), fresh(before, {"22042100"}), "2026-06-30").lines;
    }
    ASSERT_TRUE(stored[0].next);
    RunningService onTheDay({"--quiet", "--today", "2026-07-01"});
    const auto lines = fresh(onTheDay, {"22042100"});
    EXPECT_TRUE(detectChanges(stored, lines, "2026-06-30").changes.size() == 1 &&
                !detectChanges(stored, lines, "2026-06-30").changes[0].scheduled)
        << "before its day a change is not the scheduled one";
    const CheckOutcome outcome = detectChanges(stored, lines, "2026-07-01");
    ASSERT_EQ(outcome.changes.size(), 1u);
    EXPECT_TRUE(outcome.changes[0].scheduled);
    EXPECT_EQ(outcome.changes[0].before.mfn, "14%");
    EXPECT_EQ(outcome.changes[0].after.mfn, "12%");
    EXPECT_FALSE(outcome.lines[0].next) << "no further change is scheduled";
    EXPECT_NE(changesFragment(outcome.changes).find("计划调整生效"), std::string::npos);
}

} // namespace
} // namespace tarvelo::watch
