#include "pages/mwin.h"

#include <gtest/gtest.h>

using tarvelo::mwin::datetext;
using tarvelo::mwin::htmldecode;

TEST(Htmldecode, UndoesOneLevelOfXmlEscaping)
{
    EXPECT_EQ(htmldecode("&lt;ul&gt;&lt;li&gt;&lt;a href='x'&gt;A&lt;/a&gt;&lt;/li&gt;&lt;/ul&gt;"),
              "<ul><li><a href='x'>A</a></li></ul>");
    EXPECT_EQ(htmldecode("x&lt;y"), "x<y");
    EXPECT_EQ(htmldecode("&quot;q&quot; &apos;a&apos;"), "\"q\" 'a'");
    EXPECT_EQ(htmldecode(""), "");
}

TEST(Htmldecode, KeepsEscapedAmpersandsAndTheirEntities)
{
    EXPECT_EQ(htmldecode("AT&amp;T"), "AT&T");
    EXPECT_EQ(htmldecode("a&amp;nbsp;b"), "a&nbsp;b");
    // One pass only: what decoding produced is not decoded again.
    EXPECT_EQ(htmldecode("&amp;lt;b&amp;gt;"), "&lt;b&gt;");
    EXPECT_EQ(htmldecode("&amp;amp;"), "&amp;");
}

TEST(Htmldecode, LeavesEverythingElseAlone)
{
    EXPECT_EQ(htmldecode("nbsp;"), "nbsp;");
    EXPECT_EQ(htmldecode("&nbsp;&copy;"), "&nbsp;&copy;");
    EXPECT_EQ(htmldecode("a & b &"), "a & b &");
    EXPECT_EQ(htmldecode("&LT;&lt"), "&LT;&lt");
    EXPECT_EQ(htmldecode("\r\n商品"), "\r\n商品");
}

TEST(Htmldecode, NumericReferencesBecomeCharacters)
{
    EXPECT_EQ(htmldecode("&#65;&#x42;&#x63;"), "ABc");
    EXPECT_EQ(htmldecode("&#21830;&#x54C1;"), "商品");
    EXPECT_EQ(htmldecode("&#128512;"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(htmldecode("&#38;lt;"), "&lt;");
}

TEST(Htmldecode, MalformedNumericReferencesStay)
{
    for (const char* text : {"&#;", "&#x;", "&#65", "&#0;", "&#xD800;", "&#x110000;", "&#99999999999999999999;",
                             "&#X41;", "&#6a;"})
        EXPECT_EQ(htmldecode(text), text) << text;
}

TEST(Datetext, ShowsServiceTimesWithoutTAndChinaZone)
{
    EXPECT_EQ(datetext("2011-01-01T09:30:00+08:00"), "2011-01-01 09:30:00");
    EXPECT_EQ(datetext("2011-01-01T09:30:00.5+08:00"), "2011-01-01 09:30:00.5");
    EXPECT_EQ(datetext("2011-01-01T01:30:00Z"), "2011-01-01 01:30:00Z");
    EXPECT_EQ(datetext("2011-01-01T01:30:00+09:00"), "2011-01-01 01:30:00+09:00");
    EXPECT_EQ(datetext("Today tT"), " oday t ");
    EXPECT_EQ(datetext(""), "");
}

TEST(Datetext, RemovalIsOnePassLikeAReplaceAll)
{
    // Taking out the inner zone joins its neighbours into a new one, which stays.
    EXPECT_EQ(datetext("+0+08:008:00"), "+08:00");
}
