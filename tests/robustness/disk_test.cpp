// Disk faults under the real page generator: a page file that cannot be
// written shows the file-error message once, the page shown before stays whole
// on disk, and the next command works again.
#include "lookups.h"
#include "pages/messages.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <optional>

using namespace tarvelo;
using namespace tarvelo::robustness;
using namespace std::chrono_literals;
using testkit::LoopbackServer;
using testkit::ScriptedAnswer;
namespace fs = std::filesystem;

namespace {

std::string tariffAnswer(std::string_view product)
{
    return R"(<?xml version="1.0" encoding="utf-8"?><r><Table><ArticleID>1</ArticleID><HS_code>0101</HS_code>)"
           "<Product_name>" + std::string(product) + "</Product_name></Table></r>";
}

// A small tmpfs mounted over a folder while the object lives; nothing when
// mounting is not permitted.
class SmallDisk {
public:
    static std::optional<SmallDisk> mount(const fs::path& at, const char* options)
    {
        fs::create_directories(at);
        if (::mount("tarvelo-test", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC, options) != 0)
            return std::nullopt;
        return SmallDisk(at);
    }
    SmallDisk(SmallDisk&& other) noexcept : at_(std::exchange(other.at_, {})) {}
    ~SmallDisk()
    {
        if (!at_.empty())
            ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool makeReadOnly() const
    {
        return ::mount(nullptr, at_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV | MS_NOEXEC,
                       nullptr) == 0;
    }
    // Fills the disk with a file until no byte more fits.
    void fill() const
    {
        std::ofstream out(at_ / "filler.bin", std::ios::binary);
        const std::string block(4096, 'f');
        while (out.write(block.data(), block.size()))
            ;
    }
    void unfill() const { fs::remove(at_ / "filler.bin"); }

private:
    explicit SmallDisk(fs::path at) : at_(std::move(at)) {}
    fs::path at_;
};

class DiskFaults : public ::testing::Test {
protected:
    DiskFaults()
    {
        fakes.seams.timeouts = {2000ms, 2000ms};
        fakes.seams.endpointOverride = server.endpoint();
    }

    // A lookup whose answer names product; returns the page path.
    std::string lookup(std::string product)
    {
        answer = tariffAnswer(product);
        return runLookup(fakes.seams, lookups[0], "马");
    }
    size_t fileErrors() const { return countShown(fakes.messageBox, pages::messages::fileError); }
    fs::path cacheFolder() const { return folder.path() / "customscache"; }

    // The page of a first lookup, then a lookup under the fault: one message,
    // the first page unchanged and no temporary file left; then, fault gone,
    // a lookup works again.
    template <class Fault, class Heal>
    void expectOneMessageAndOldPageKept(Fault fault, Heal heal)
    {
        const std::string path = lookup("旧页面");
        const std::string before = readBytes(path);
        ASSERT_NE(before.find("\xBE\xC9\xD2\xB3\xC3\xE6"), std::string::npos); // 旧页面 in code page 936
        ASSERT_EQ(fileErrors(), 0u);

        fault();
        const std::string faulty = lookup(std::string(100000, 'N')); // a page larger than before
        EXPECT_EQ(faulty, path);
        EXPECT_EQ(fileErrors(), 1u);
        EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
        EXPECT_EQ(readBytes(path), before);
        EXPECT_FALSE(fs::exists(path + ".part"));

        heal();
        fakes.messageBox.shown.clear();
        lookup("新页面");
        EXPECT_TRUE(fakes.messageBox.shown.empty());
        EXPECT_NE(readBytes(path).find("\xD0\xC2\xD2\xB3\xC3\xE6"), std::string::npos); // 新页面
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    std::string answer;
    LoopbackServer server{[this](const auto&) { return ScriptedAnswer::ok(answer); }};
};

} // namespace

TEST_F(DiskFaults, ReadOnlyPageFile)
{
    const fs::path page = cacheFolder() / "Tariff20110101.html";
    expectOneMessageAndOldPageKept(
        [&] { fs::permissions(page, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read); },
        [&] { fs::permissions(page, fs::perms::owner_write, fs::perm_options::add); });
}

TEST_F(DiskFaults, UnwritableCacheFolder)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root; ReadOnlyCacheDisk covers this case";
    expectOneMessageAndOldPageKept(
        [&] { fs::permissions(cacheFolder(), fs::perms::owner_read | fs::perms::owner_exec); },
        [&] { fs::permissions(cacheFolder(), fs::perms::owner_all); });
}

TEST_F(DiskFaults, ReadOnlyCacheDisk)
{
    const auto disk = SmallDisk::mount(cacheFolder(), "size=1m,mode=0755");
    if (!disk)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here: " << std::strerror(errno);
    bool remounted = true;
    expectOneMessageAndOldPageKept([&] { remounted = disk->makeReadOnly(); },
                                   [&] {
                                       ::mount(nullptr, cacheFolder().c_str(), nullptr,
                                               MS_REMOUNT | MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr);
                                   });
    EXPECT_TRUE(remounted);
}

TEST_F(DiskFaults, DiskFull)
{
    const auto disk = SmallDisk::mount(cacheFolder(), "size=64k,mode=0755");
    if (!disk)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here: " << std::strerror(errno);
    expectOneMessageAndOldPageKept([&] { disk->fill(); }, [&] { disk->unfill(); });
}

TEST_F(DiskFaults, DiskFullWhileTheCacheFolderIsMissing)
{
    // The disk is the program folder itself, so the cache folder has to be made.
    const fs::path programFolder = folder.path() / "program";
    const auto disk = SmallDisk::mount(programFolder, "size=64k,mode=0755");
    if (!disk)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here: " << std::strerror(errno);
    fakes.programFolder.folder = programFolder;
    std::ofstream(programFolder / "filler.bin", std::ios::binary) << std::string(64u << 10, 'f');
    {
        std::ofstream out(programFolder / "filler2.bin", std::ios::binary);
        const std::string block(1024, 'f');
        while (out.write(block.data(), block.size()))
            ;
    }
    lookup("x");
    // Folder creation may still succeed on a full tmpfs (it takes no data
    // blocks); the page write cannot. Either way the command goes on.
    EXPECT_GE(fileErrors(), 1u);
    EXPECT_LE(fileErrors(), 2u);
    EXPECT_EQ(fakes.processExit.calls, 0);
}
