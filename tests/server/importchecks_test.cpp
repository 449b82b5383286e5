// What `tarvelo-service import` refuses, run against the real binary: a
// refused import exits 1 (2 for a usage error), names file and line, and
// leaves the database file byte for byte as it was; an accepted one lands
// what it was given. Then the sample notes that follow the data, and the
// leftovers of interrupted imports.
#include "catalogue.h"
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvelo::testkit {
namespace {

void write(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

constexpr std::string_view header = "code,name,mfn,general,consumption,vat,unit,supervision\n";

std::string tariffRow(std::string_view code, std::string_view name, std::string_view mfn = "3%")
{
    return std::string(code) + "," + std::string(name) + "," + std::string(mfn) + ",15%,,13%,千克,\n";
}

// 72083600,国标卷材,… as GBK bytes: 国 B9FA, 标 B1EA, 卷 BEED, 材 B2C4.
const std::string gbkFile = std::string(header) + "72083600,\xB9\xFA\xB1\xEA\xBE\xED\xB2\xC4,3%,15%,,13%,\xC7\xA7\xBF\xCB,\n";

struct File {
    std::string option; // --tariff, --rebates, …
    std::string name;
    std::string bytes;
};

struct Case {
    std::string_view what;
    std::vector<File> files;
    std::vector<std::string> options;
    int status;
    std::string_view message; // in the output; for a refusal the file and line
    // For accepted imports: the name line 72083600 has afterwards ("" for none).
    std::string_view landedName;
};

TEST(ImportChecks, RefusalsChangeNothingAndAcceptedFilesLand)
{
    TempFolder folder;
    const auto db = folder.path() / "checks.db";
    const std::string twoLines = "\"国标\n卷材\"";
    const Case cases[] = {
        {"a GBK file is converted", {{"--tariff", "gbk.csv", gbkFile}}, {}, 0, "loaded 1 tariff lines", "国标卷材"},
        {"UTF-8 with a byte-order mark", {{"--tariff", "bom.csv", "\xEF\xBB\xBF" + std::string(header) + tariffRow("72083600", "带标记卷材")}},
         {}, 0, "loaded 1 tariff lines", "带标记卷材"},
        {"neither UTF-8 nor GB18030", {{"--tariff", "binary.csv", std::string(header) + tariffRow("72083700", "好") + "72083600,\xFF\xFE,3%,15%,,13%,千克,\n"}},
         {}, 1, "binary.csv, line 3", {}},
        {"header without data rows", {{"--tariff", "header.csv", std::string(header)}}, {}, 1, "header.csv: no data rows", {}},
        {"an empty file", {{"--tariff", "empty.csv", ""}}, {}, 1, "empty.csv", {}},
        {"a date that is no day", {{"--tariff", "date.csv", "code,name,mfn,general,consumption,vat,unit,supervision,effective\n"
                                                             "72083600,日期卷材,3%,15%,,13%,千克,,2026-02-30\n"}},
         {}, 1, "date.csv, line 2", {}},
        {"an article dated on no day", {{"--articles", "articles.csv", "id,title,updated,source,body\n"
                                                                       "1,标题,2026-02-30T09:00:00+08:00,测试,正文\n"}},
         {}, 1, "articles.csv, line 2", {}},
        {"a rate that is no rate", {{"--tariff", "rate.csv", std::string(header) + tariffRow("72083600", "税率卷材", "abc")}},
         {}, 1, "rate.csv, line 2", {}},
        {"a rebate rate that is no rate", {{"--rebates", "rebates.csv", "code,name,unit,rate\n72083600,卷材,千克,13\n"}},
         {}, 1, "rebates.csv, line 2", {}},
        {"a duplicate code, after a field over two lines",
         {{"--tariff", "duplicate.csv", std::string(header) + tariffRow("72083600", twoLines) + tariffRow("72083700", "乙") +
                                            tariffRow("72083600", "重复卷材")}},
         {}, 1, "duplicate.csv, line 5: the code 72083600 is already on line 2", {}},
        {"a good file beside a bad one", {{"--tariff", "good.csv", std::string(header) + tariffRow("72083600", "半途卷材")},
                                          {"--rebates", "bad.csv", "code,name,unit,rate\n7208360,短码,千克,13%\n"}},
         {}, 1, "bad.csv, line 2", {}},
        {"an unknown code, strict", {{"--tariff", "unknown.csv", std::string(header) + tariffRow("98010000", "未知编码")}},
         {"--strict"}, 1, "unknown.csv, line 2: the code 98010000", {}},
        {"a repeated option", {{"--tariff", "a.csv", std::string(header) + tariffRow("72083600", "甲卷材")},
                               {"--tariff", "b.csv", std::string(header) + tariffRow("72083600", "乙卷材")}},
         {}, 2, "--tariff is given more than once", {}},
        {"an unknown code is reported", {{"--tariff", "unknown.csv", std::string(header) + tariffRow("98010000", "未知编码") +
                                                                         tariffRow("72083600", "复合卷材", "5%+1.5元/千克")}},
         {}, 0, "unknown.csv, line 2: the code 98010000 is under 980100, which the HS", "复合卷材"},
        {"an empty table on request", {{"--tariff", "header.csv", std::string(header)}}, {"--allow-empty"}, 0,
         "loaded 0 tariff lines", ""},
    };
    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db.string(), "--tariff", (folder.path() / "gbk.csv").string(),
                                 "--tariff"}, output), 2) << "usage errors come before the database is created";
    write(folder.path() / "first.csv", std::string(header) + tariffRow("72083600", "起始卷材"));
    ASSERT_EQ(runServiceCommand({"import", "--db", db.string(), "--tariff", (folder.path() / "first.csv").string()}, output), 0)
        << output;
    for (const Case& c : cases) {
        std::vector<std::string> args{"import", "--db", db.string()};
        for (const File& f : c.files) {
            write(folder.path() / f.name, f.bytes);
            args.insert(args.end(), {f.option, (folder.path() / f.name).string()});
        }
        args.insert(args.end(), c.options.begin(), c.options.end());
        const std::string before = readBytes(db);
        output.clear();
        EXPECT_EQ(runServiceCommand(args, output), c.status) << c.what << ": " << output;
        EXPECT_NE(output.find(c.message), std::string::npos) << c.what << ": " << output;
        if (c.status != 0) {
            EXPECT_TRUE(readBytes(db) == before) << c.what << ": the database changed";
            continue;
        }
        const auto lines = server::Catalogue(db).tariffUnder("72083600", "2099-01-01");
        EXPECT_EQ(lines.empty() ? std::string() : lines.front().name, c.landedName) << c.what;
    }
}

TEST(ImportChecks, TheSampleNoteStaysOnlyOnPagesShowingSampleData)
{
    TempFolder folder;
    const auto db = (folder.path() / "notes.db").string();
    const auto tariff = folder.path() / "tariff.csv";
    write(tariff, std::string(header) + tariffRow("72083600", "自有卷材"));
    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", tariff.string()}, output), 0) << output;

    RunningService service({"--db", db});
    const auto noted = [&](const std::string& path) {
        const HttpReply page = httpGet(service.port(), path);
        EXPECT_EQ(page.status, 200) << path;
        return page.body.find("示例数据") != std::string::npos;
    };
    EXPECT_FALSE(noted("/detail/tariff/72083600")) << "the tariff is the operator's own";
    EXPECT_TRUE(noted("/detail/rebate/72083600")) << "rebates are still the sample";
    EXPECT_TRUE(noted("/detail/article/1")) << "articles are still the sample";
}

TEST(ImportChecks, LeftoversOfDeadImportsAreRemoved)
{
    TempFolder folder;
    const auto db = folder.path() / "left.db";
    // A process that has ended, to name the leftovers after.
    const pid_t dead = ::fork();
    ASSERT_GE(dead, 0);
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string base = db.string();
    const std::string deadSuffix = std::to_string(dead);
    const std::vector<std::string> stale{base + ".import-" + deadSuffix, base + ".import-" + deadSuffix + "-journal",
                                         base + ".new-" + deadSuffix, base + ".new-" + deadSuffix + "-wal"};
    for (const auto& file : stale)
        write(file, "left behind");
    // This test's own process is alive: its file may be a database being created.
    const std::string live = base + ".new-" + std::to_string(::getpid());
    write(live, "in the making");

    const auto tariff = folder.path() / "tariff.csv";
    write(tariff, std::string(header) + tariffRow("72083600", "清理卷材"));
    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", base, "--tariff", tariff.string()}, output), 0) << output;
    for (const auto& file : stale)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_NE(output.find("removed " + stale.front()), std::string::npos) << output;
}

} // namespace
} // namespace tarvelo::testkit
