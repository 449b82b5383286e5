#include "pages/hiddenfolder.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>

#include <windows.h>

using namespace tarvelo;
namespace fs = std::filesystem;

namespace {

DWORD attributesOf(const fs::path& path)
{
    return GetFileAttributesW(path.c_str());
}

} // namespace

TEST(HiddenFolder, ANewFolderGetsTheHiddenAttributeAndNoListFile)
{
    testkit::TempFolder folder;
    EXPECT_FALSE(pages::ensureHiddenFolder(folder.path(), "customscache"));
    const DWORD attributes = attributesOf(folder.path() / "customscache");
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(fs::exists(folder.path() / ".hidden"));
}

TEST(HiddenFolder, AnExistingFolderKeepsItsAttributes)
{
    testkit::TempFolder folder;
    fs::create_directory(folder.path() / "customscache");
    EXPECT_FALSE(pages::ensureHiddenFolder(folder.path(), "customscache"));
    EXPECT_FALSE(attributesOf(folder.path() / "customscache") & FILE_ATTRIBUTE_HIDDEN);
}

TEST(HiddenFolder, AFileInTheWayIsReported)
{
    testkit::TempFolder folder;
    std::ofstream(folder.path() / "customscache") << "x";
    EXPECT_TRUE(pages::ensureHiddenFolder(folder.path(), "customscache"));
}
