#include "service/baseencode.h"

#include <gtest/gtest.h>

using tarvelo::baseencode::encodestr;

TEST(Baseencode, StandardVectorsWithPadding)
{
    EXPECT_EQ(encodestr(""), "");
    EXPECT_EQ(encodestr("a"), "YQ==");
    EXPECT_EQ(encodestr("ab"), "YWI=");
    EXPECT_EQ(encodestr("abc"), "YWJj");
    EXPECT_EQ(encodestr("foobar"), "Zm9vYmFy");
    // The last two characters of the alphabet.
    EXPECT_EQ(encodestr("?>>"), "Pz4+");
    EXPECT_EQ(encodestr("???"), "Pz8/");
}

TEST(Baseencode, EncodesCodePage936Bytes)
{
    // 中 is D6 D0 in code page 936.
    EXPECT_EQ(encodestr("中"), "1tA=");
}

TEST(Baseencode, NoLineBreaksAtAnyLength)
{
    const std::string text57(57, 'x');
    const std::string encoded57 = encodestr(text57);
    EXPECT_EQ(encoded57.size(), 76u);

    // Far past the old 32 767-byte limit: encoded whole, one line.
    const std::string big(100'000, 'y');
    const std::string encoded = encodestr(big);
    EXPECT_EQ(encoded.size(), (big.size() + 2) / 3 * 4);
    EXPECT_EQ(encoded.find('\n'), std::string::npos);
    EXPECT_EQ(encoded.find('\r'), std::string::npos);
}

TEST(Baseencode, SameTextSameFingerprintEvenWithUnrepresentableCharacters)
{
    const std::string text = "新闻 😀 news";
    EXPECT_EQ(encodestr(text), encodestr(text));
    EXPECT_NE(encodestr(text), encodestr("新闻 😁 news"));
}
