// The cache of rendered search answers.
#include "answercache.h"

#include <gtest/gtest.h>

namespace tarvelo::server {
namespace {

std::shared_ptr<const std::string> text(size_t n, char c)
{
    return std::make_shared<const std::string>(n, c);
}

TEST(AnswerCache, KeepsRecentAnswersWithinItsSize)
{
    AnswerCache cache(1000);
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
    AnswerCache off(0);
    off.store("a", text(1, 'a'));
    EXPECT_FALSE(off.find("a"));
}

} // namespace
} // namespace tarvelo::server
