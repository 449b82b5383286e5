#include "pages/cachefiles.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>

#include <windows.h>

using namespace tarvelo;
using namespace std::chrono;

TEST(FileTime, TheModificationTimeToTheTenthOfAMicrosecond)
{
    testkit::TempFolder folder;
    const auto path = folder.path() / "softdefaut.html";
    std::ofstream(path) << "x";
    // 2011-01-01 09:00:00.1234567 UTC, in 100 ns steps since 1601.
    const ULONGLONG ticks = 129'383'460'001'234'567ULL;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);

    const auto expected = sys_days{year{2011} / 1 / 1} + hours{9} + nanoseconds{123'456'700};
    EXPECT_EQ(pages::lastModified(path), time_point_cast<system_clock::duration>(expected));
}

TEST(FileTime, NoTimeForAFolderOrAMissingFile)
{
    testkit::TempFolder folder;
    EXPECT_FALSE(pages::lastModified(folder.path()));
    EXPECT_FALSE(pages::lastModified(folder.path() / "missing.html"));
}
