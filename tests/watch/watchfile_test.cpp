// The watch list's file: what is saved comes back, and a damaged file is
// moved aside, reported and kept.
#include "support/tempfolder.h"
#include "watch/watchfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tarvelo::watch {
namespace {

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(WatchFile, RoundTripKeepsEveryField)
{
    testkit::TempFolder folder;
    const auto file = folder.path() / "data" / "watch.json";
    EXPECT_TRUE(loadWatchList(file, "2026-12-10").lines.empty());

    const std::vector<WatchedLine> lines{
        {"22042100", "小包装的鲜葡萄酿造的酒", Rates{"14%", "180%", "10%", "13%", "升", "AB"},
         ScheduledChange{"2027-01-01", Rates{"12%", "180%", "10%", "13%", "升", "AB"}}},
        {"2402200010", "卷烟 \"特\" <b>", Rates{"25%", "180%", "56%+0.003元/支", "13%", "千支", "7ABC"}, {}},
        {"01012100", "", {}, {}},
    };
    saveWatchList(file, lines);
    const LoadedList loaded = loadWatchList(file, "2026-12-10");
    EXPECT_EQ(loaded.lines, lines);
    EXPECT_TRUE(loaded.damaged.empty());
}

TEST(WatchFile, DamagedFileIsMovedAsideAndReported)
{
    testkit::TempFolder folder;
    const auto file = folder.path() / "watch.json";
    const std::vector<std::string> damaged{
        "{\"lines\":[{\"code\":\"2204", // cut off
        "{\"lines\":[{\"code\":\"12ab\"}]}", // not a code
        "[1,2,3]",
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        std::ofstream(file, std::ios::binary) << damaged[i];
        const LoadedList loaded = loadWatchList(file, "2026-12-10");
        EXPECT_TRUE(loaded.lines.empty());
        const auto aside = folder.path() / (i == 0 ? std::string("watch.json.damaged-2026-12-10")
                                                   : "watch.json.damaged-2026-12-10-" + std::to_string(i + 1));
        EXPECT_NE(loaded.damaged.find(aside.string()), std::string::npos) << loaded.damaged;
        EXPECT_EQ(contents(aside), damaged[i]) << "nothing of the damaged file is lost";
        EXPECT_FALSE(std::filesystem::exists(file));
    }
}

TEST(WatchFile, UnwritableFolderIsAnError)
{
    testkit::TempFolder folder;
    std::ofstream(folder.path() / "file") << "x";
    EXPECT_THROW(saveWatchList(folder.path() / "file" / "watch.json", {}), std::runtime_error);
}

} // namespace
} // namespace tarvelo::watch
