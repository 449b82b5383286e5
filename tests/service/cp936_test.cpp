#include "service/cp936.h"

#include <gtest/gtest.h>

using namespace tarvelo::service;

TEST(Cp936, ChineseTextBothWays)
{
    const std::string bytes = utf8ToCp936("商品编码");
    EXPECT_EQ(bytes, "\xC9\xCC\xC6\xB7\xB1\xE0\xC2\xEB");
    EXPECT_EQ(cp936ToUtf8(bytes), "商品编码");
    EXPECT_EQ(utf8ToCp936("abc <x>\r"), "abc <x>\r");
}

TEST(Cp936, UnrepresentableCharactersBecomeNumericReferences)
{
    EXPECT_EQ(utf8ToCp936("a😀b"), "a&#128512;b");
    EXPECT_EQ(utf8ToCp936("😀😀"), "&#128512;&#128512;");
    // Mixed with representable text on both sides.
    EXPECT_EQ(utf8ToCp936("中😀中"), "\xD6\xD0&#128512;\xD6\xD0");
}

TEST(Cp936, InvalidInputNeverFails)
{
    // A lone continuation byte and a truncated sequence in UTF-8 input.
    EXPECT_EQ(utf8ToCp936("a\x80z"), "a&#65533;z");
    EXPECT_EQ(utf8ToCp936("a\xE4\xB8"), "a&#65533;&#65533;");
    // A byte that starts no code page 936 character.
    EXPECT_EQ(cp936ToUtf8("a\xFFz"), "a\xEF\xBF\xBDz");
}

TEST(Cp936, AnswerCharsets)
{
    EXPECT_EQ(toUtf8("\xD6\xD0", "GBK"), "中");
    EXPECT_EQ(toUtf8("\xD6\xD0", "gb2312"), "中");
    EXPECT_EQ(toUtf8("caf\xE9", "ISO-8859-1"), "café");
    EXPECT_EQ(toUtf8("中", ""), "中");
    EXPECT_EQ(toUtf8("中", "no-such-charset"), "中");
    EXPECT_EQ(toUtf8("a\xC3", "utf-8"), "a\xEF\xBF\xBD");
}
