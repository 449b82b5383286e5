#include "pages/cshtml.h"
#include "pages/pagefiles.h"
#include "platform/fakes/fakes.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace tarvelo;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::string fileErrorPrefix = "你的系统读写文件程序有问题，错误编码：";

class CacheFiles : public ::testing::Test {
protected:
    fs::path cache() const { return folder.path() / "customscache"; }
    const std::vector<platform::fakes::ShownMessage>& shown() const { return fakes.messageBox.shown; }

    // Writes a page the way the hub does and returns the file's path.
    fs::path write(std::string_view name, std::string body)
    {
        cshtml page(fakes.seams);
        page.pathn(name);
        page.bodystr(std::move(body));
        page.createhtml();
        return fs::path(page.pathn());
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
};

#ifndef _WIN32
// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

#endif

} // namespace

TEST_F(CacheFiles, PathnPointsIntoTheCacheFolderBesideTheProgram)
{
    cshtml page(fakes.seams);
    EXPECT_EQ(page.pathn(), "");
    page.pathn(pagefiles::home);
    EXPECT_EQ(page.pathn(), (folder.path() / "customscache" / "softdefaut.html").string());
    EXPECT_TRUE(fs::is_directory(cache()));
    // Names are joined as given: without the backslash the name runs on.
    page.pathn("x.html");
    EXPECT_EQ(page.pathn(), (folder.path() / "customscachex.html").string());
    EXPECT_TRUE(shown().empty());
}

#ifndef _WIN32
TEST_F(CacheFiles, ANewCacheFolderIsListedAsHiddenOnce)
{
    writeBytes(folder.path() / ".hidden", "other");
    cshtml page(fakes.seams);
    EXPECT_EQ(page.dirpath(), "customscache");
    EXPECT_EQ(bytesOf(folder.path() / ".hidden"), "other\ncustomscache\n");

    // Made again after being removed by hand: still listed once.
    fs::remove(cache());
    page.pathn(pagefiles::tariff);
    page.readtxt(pagefiles::fingerprint);
    EXPECT_EQ(bytesOf(folder.path() / ".hidden"), "other\ncustomscache\n");
    EXPECT_TRUE(shown().empty());
}
#endif

TEST_F(CacheFiles, AnExistingFolderIsLeftAsItIs)
{
    fs::create_directory(cache());
    cshtml page(fakes.seams);
    page.pathn(pagefiles::home);
    EXPECT_FALSE(fs::exists(folder.path() / ".hidden"));
    EXPECT_TRUE(shown().empty());
}

TEST_F(CacheFiles, AFolderThatCannotBeMadeIsReportedOncePerCall)
{
    writeBytes(cache(), "a file in the way");
    cshtml page(fakes.seams);
    EXPECT_EQ(page.dirpath(), "customscache");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, fileErrorPrefix + std::to_string(EEXIST));
    EXPECT_EQ(shown()[0].caption, "Tarvelo");
    EXPECT_EQ(shown()[0].buttons, platform::Buttons::Ok);

    page.pathn(pagefiles::home);
    EXPECT_EQ(shown().size(), 2u);
}

TEST_F(CacheFiles, PagesAreWrittenInCodePage936WithNothingAdded)
{
    EXPECT_EQ(bytesOf(write(pagefiles::commodity, "商品编码")), "\xC9\xCC\xC6\xB7\xB1\xE0\xC2\xEB");
    EXPECT_EQ(bytesOf(write(pagefiles::tariff, "")), "--");
    EXPECT_EQ(bytesOf(write(pagefiles::home, "a\rb\r\nc")), "a\rb\r\nc");
    // A character the code page lacks survives as a character reference.
    EXPECT_EQ(bytesOf(write(pagefiles::home, "x\xF0\x9F\x98\x80y")), "x&#128512;y");
    EXPECT_TRUE(shown().empty());
}

TEST_F(CacheFiles, AShorterPageReplacesALongerOneWhole)
{
    write(pagefiles::exportRebate, std::string(10000, 'x'));
    const fs::path path = write(pagefiles::exportRebate, "short");
    EXPECT_EQ(bytesOf(path), "short");
    EXPECT_EQ(std::distance(fs::directory_iterator(cache()), fs::directory_iterator()), 1);
}

TEST_F(CacheFiles, AReadOnlyPageIsKeptAndReported)
{
    const fs::path path = write(pagefiles::peArticle, "old");
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    write(pagefiles::peArticle, "new");
    EXPECT_EQ(bytesOf(path), "old");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, fileErrorPrefix + std::to_string(EACCES));
}

#ifndef _WIN32
TEST_F(CacheFiles, AFailedWriteLeavesThePreviousPageWhole)
{
    const std::string previous(50, 'p');
    const fs::path path = write(pagefiles::tariff, previous);
    {
        const FileSizeLimit limit(100);
        write(pagefiles::tariff, std::string(20000, 'n'));
    }
    EXPECT_EQ(bytesOf(path), previous);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, fileErrorPrefix + std::to_string(EFBIG));
    EXPECT_EQ(shown()[0].caption, "Tarvelo");
    EXPECT_EQ(std::distance(fs::directory_iterator(cache()), fs::directory_iterator()), 1);
}
#endif

#ifndef _WIN32
TEST_F(CacheFiles, AnUnwritableCacheFolderKeepsThePreviousPage)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const fs::path path = write(pagefiles::home, "previous");
    fs::permissions(cache(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    write(pagefiles::home, "next");
    EXPECT_EQ(bytesOf(path), "previous");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, fileErrorPrefix + std::to_string(EACCES));
}
#endif

TEST_F(CacheFiles, WithoutAPathNothingIsWritten)
{
    cshtml page(fakes.seams);
    page.bodystr("x");
    page.createhtml();
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST_F(CacheFiles, ReadtxtFindsTheCacheWhateverTheCurrentFolder)
{
    write(pagefiles::fingerprint, "abc商品");
    const fs::path before = fs::current_path();
    testkit::TempFolder elsewhere;
    fs::current_path(elsewhere.path());
    cshtml page(fakes.seams);
    const std::string text = page.readtxt(pagefiles::fingerprint);
    const std::string missing = page.readtxt("\\nothing.txt");
    fs::current_path(before);
    EXPECT_EQ(text, "abc商品");
    EXPECT_EQ(missing, "");
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

TEST_F(CacheFiles, ReadtxtMakesTheCacheFolder)
{
    cshtml page(fakes.seams);
    EXPECT_EQ(page.readtxt(pagefiles::fingerprint), "");
    EXPECT_TRUE(fs::is_directory(cache()));
}

// On Windows the time is set through the Windows API: tests/windows.
#ifndef _WIN32
TEST_F(CacheFiles, GetFileTimeIsTheModificationTimeOrNow)
{
    cshtml page(fakes.seams);
    fakes.clock.current = std::chrono::sys_days{std::chrono::year{2011} / 1 / 1} + std::chrono::hours{9};
    EXPECT_EQ(page.GetFileTime((cache() / "softdefaut.html").string()), fakes.clock.current);
    EXPECT_EQ(page.GetFileTime(cache().string()), fakes.clock.current) << "a folder is no file";

    const fs::path path = write(pagefiles::home, "x");
    const auto written = std::chrono::system_clock::now() - std::chrono::minutes{2};
    fs::last_write_time(path, std::chrono::file_clock::from_sys(written));
    const auto age = written - page.GetFileTime(path.string());
    EXPECT_LT(std::chrono::abs(age), std::chrono::milliseconds{1});
}
#endif

TEST_F(CacheFiles, TestChangesNothing)
{
    cshtml page(fakes.seams);
    page.test("anything");
    EXPECT_EQ(page.pathn(), "");
    EXPECT_TRUE(fs::is_empty(folder.path()));
    EXPECT_TRUE(shown().empty());
}
