// The Windows API converter, where it works otherwise than iconv: by code page
// numbers, a character at a time after a bad byte, and without best fit.
// (GB 18030, which Wine lacks, is left to a real Windows machine.)
#include "service/cp936.h"

#include <gtest/gtest.h>

using namespace tarvelo::service;

TEST(WindowsCodePages, ABadByteSpoilsOnlyItself)
{
    EXPECT_EQ(toUtf8("\xD6\xD0\xFF\xD6\xD0", "gbk"), "中\xEF\xBF\xBD中");
    EXPECT_EQ(cp936ToUtf8("\xD6\xD0\xD6"), "中\xEF\xBF\xBD");
}

TEST(WindowsCodePages, NoLookAlikeForACharacterTheCodePageLacks)
{
    EXPECT_EQ(utf8ToCp936("Ä中"), "&#196;\xD6\xD0");
}

TEST(WindowsCodePages, NamesWindowsDoesNotKnowLeaveTheTextAsUtf8)
{
    EXPECT_EQ(toUtf8("中", "koi8-r"), "中");
}
