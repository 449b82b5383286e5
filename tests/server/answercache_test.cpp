// The cache of rendered search answers.
#include "answercache.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarvelo::server {
namespace {

using namespace std::chrono_literals;

std::shared_ptr<const std::string> text(size_t n, char c)
{
    return std::make_shared<const std::string>(n, c);
}

TEST(AnswerCache, KeepsRecentAnswersWithinItsSize)
{
    testkit::TempFolder folder;
    std::ofstream(folder.path() / "db") << "db";
    AnswerCache cache(folder.path() / "db", 1000, 1h);
    cache.store("a", text(100, 'a'));
    cache.store("b", text(100, 'b'));
    ASSERT_TRUE(cache.find("a"));
    EXPECT_EQ(*cache.find("a"), std::string(100, 'a'));
    for (int i = 0; i < 8; ++i)
        cache.store("k" + std::to_string(i), text(100, 'k'));
    EXPECT_TRUE(cache.find("a")) << "used recently, kept";
    EXPECT_FALSE(cache.find("b")) << "least recently used, dropped";
    cache.store("huge", text(500, 'h'));
    EXPECT_FALSE(cache.find("huge")) << "an answer over an eighth of the room is not kept";
    AnswerCache off(folder.path() / "db", 0, 1h);
    off.store("a", text(1, 'a'));
    EXPECT_FALSE(off.find("a"));
}

TEST(AnswerCache, EmptiedWhenTheDatabaseFileChanges)
{
    testkit::TempFolder folder;
    const auto db = folder.path() / "db";
    std::ofstream(db) << "one";
    AnswerCache cache(db, 1000, 0ms);
    EXPECT_FALSE(cache.find("a"));
    cache.store("a", text(10, 'a'));
    EXPECT_TRUE(cache.find("a"));
    std::filesystem::last_write_time(db, std::filesystem::last_write_time(db) + 1s);
    EXPECT_FALSE(cache.find("a"));
}

} // namespace
} // namespace tarvelo::server
