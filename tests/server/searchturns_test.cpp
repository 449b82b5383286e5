#include "searchturns.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using tarvelo::server::SearchTurns;
using namespace std::chrono_literals;

void waitUntilWaiting(const SearchTurns& turns, size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (turns.waiting() != count && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(turns.waiting(), count);
}

TEST(SearchTurns, NoMoreRunAtOnceThanItAllowsAndEveryOneGetsItsTurn)
{
    SearchTurns turns(2);
    std::atomic<int> running = 0;
    std::atomic<int> most = 0;
    std::atomic<int> done = 0;
    std::vector<std::jthread> searches;
    for (int i = 0; i < 16; ++i)
        searches.emplace_back([&] {
            const SearchTurns::Turn turn(turns);
            const int now = ++running;
            int seen = most;
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(2ms);
            --running;
            ++done;
        });
    searches.clear();
    EXPECT_EQ(done, 16);
    EXPECT_LE(most, 2);
    EXPECT_EQ(turns.waiting(), 0u);
}

TEST(SearchTurns, WaitingSearchesRunInTheOrderTheyCame)
{
    SearchTurns turns(1);
    std::mutex mutex;
    std::vector<int> order;
    std::vector<std::jthread> searches;
    {
        const SearchTurns::Turn first(turns);
        for (int i = 0; i < 5; ++i) {
            searches.emplace_back([&, i] {
                const SearchTurns::Turn turn(turns);
                const std::lock_guard lock(mutex);
                order.push_back(i);
            });
            waitUntilWaiting(turns, static_cast<size_t>(i) + 1);
        }
    }
    searches.clear();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(SearchTurns, AtLeastOneRunsWhenNoneAreAllowed)
{
    SearchTurns turns(0); // what a machine that cannot count its cores gives
    const SearchTurns::Turn turn(turns);
    EXPECT_EQ(turns.waiting(), 0u);
}

} // namespace
