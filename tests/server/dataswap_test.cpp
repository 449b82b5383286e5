// Imports swap the data under a running service: every answer comes whole
// from the old or the new version, none fails, and the new one is served
// within seconds. The health URL tells when the data is there.
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <thread>

namespace tarvelo::testkit {
namespace {

using namespace std::chrono_literals;

void write(const std::filesystem::path& file, std::string_view text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

size_t occurrences(std::string_view text, std::string_view word)
{
    size_t n = 0;
    for (auto at = text.find(word); at != std::string_view::npos; at = text.find(word, at + word.size()))
        ++n;
    return n;
}

// Which version ("甲" or "乙") an answer holding `perVersion` marked items
// (a detail page names each line twice: in its table and its rate history)
// comes from; "mixed" or "failed" otherwise.
std::string versionOf(const HttpReply& reply, size_t perVersion)
{
    if (reply.status != 200)
        return "failed";
    const size_t a = occurrences(reply.body, "甲版");
    const size_t b = occurrences(reply.body, "乙版");
    if (a == perVersion && b == 0)
        return "甲";
    if (b == perVersion && a == 0)
        return "乙";
    return "mixed";
}

TEST(ServiceDataSwap, ReadersSeeOneWholeVersionWhileImportsSwapTheData)
{
    RunningService service({"--quiet"});
    const auto& folder = service.folder();
    const std::string db = (folder / "service.db").string();
    for (const std::string v : {"甲", "乙"}) {
        write(folder / (v + "-tariff.csv"), "code,name,mfn,general,consumption,vat,unit,supervision\n"
                                            "72083600," + v + "版卷材一,1%,2%,,13%,千克,\n"
                                            "72083700," + v + "版卷材二,1%,2%,,13%,千克,\n");
        write(folder / (v + "-news.csv"), "title,link,date\n" + v + "版新闻,/detail/article/1,\n");
    }
    const auto import = [&](const std::string& v) {
        std::string output;
        return runServiceCommand({"import", "--db", db, "--tariff", (folder / (v + "-tariff.csv")).string(), "--news",
                                  (folder / (v + "-news.csv")).string()},
                                 output);
    };
    const auto page = [&] { return httpGet(service.port(), "/detail/tariff/7208"); };
    const auto search = [&] {
        return httpPost(service.port(), soapRequest("Tariff", "<keyword>版卷材</keyword>", validToken));
    };
    const auto news = [&] { return httpPost(service.port(), soapRequest("mdefaut", "", validToken)); };
    // True once every kind of answer comes from version v, within 20 s (the
    // service reads a new search catalogue of the whole data, slower on a busy machine).
    const auto settlesOn = [&](const std::string& v) {
        // Reading a catalogue and building its word index takes seconds; on a
        // busy machine, behind one started for an earlier import, a minute.
        const auto deadline = std::chrono::steady_clock::now() + 90s;
        while (!(versionOf(page(), 4) == v && versionOf(search(), 2) == v && versionOf(news(), 1) == v))
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            else
                std::this_thread::sleep_for(100ms);
        return true;
    };
    ASSERT_EQ(import("甲"), 0);
    ASSERT_TRUE(settlesOn("甲"));

    std::atomic<int> answers{0};
    std::atomic<int> bad{0};
    std::string firstBad;
    std::mutex firstBadMutex;
    {
        std::vector<std::jthread> readers;
        for (int r = 0; r < 3; ++r)
            readers.emplace_back([&](std::stop_token stop) {
                // Bounded by the imports below, which take a few seconds.
                while (!stop.stop_requested()) {
                    for (const auto& [reply, items] : {std::pair{page(), 4}, {search(), 2}, {news(), 1}}) {
                        ++answers;
                        const std::string v = versionOf(reply, static_cast<size_t>(items));
                        if (v == "mixed" || v == "failed") {
                            ++bad;
                            const std::lock_guard lock(firstBadMutex);
                            if (firstBad.empty())
                                firstBad = v + ": " + std::to_string(reply.status) + " " + reply.body;
                        }
                    }
                }
            });
        // Both ways once: each swap has the service read a whole new catalogue,
        // which takes half a minute under the address sanitizer.
        EXPECT_EQ(import("乙"), 0);
        std::this_thread::sleep_for(700ms);
        EXPECT_EQ(import("甲"), 0);
        std::this_thread::sleep_for(700ms);
        EXPECT_EQ(import("乙"), 0);
    }
    EXPECT_EQ(bad.load(), 0) << firstBad;
    EXPECT_GT(answers.load(), 30);
    EXPECT_TRUE(settlesOn("乙"));
}

TEST(ServiceHealth, AnswersOkOnlyOnceTheNewsListsAreRead)
{
    TempFolder folder;
    const auto newsFile = folder.path() / "news.csv";
    RunningService service({"--news", newsFile.string()});
    HttpReply health = httpGet(service.port(), "/health");
    EXPECT_EQ(health.status, 503);
    EXPECT_NE(health.body.find("home news list"), std::string::npos) << health.body;

    write(newsFile, "title,link,date\nToday,/detail/article/1,\n");
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while ((health = httpGet(service.port(), "/health")).status != 200 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(100ms);
    EXPECT_EQ(health.status, 200);
    EXPECT_EQ(health.body, "ok\n");
}

} // namespace
} // namespace tarvelo::testkit
