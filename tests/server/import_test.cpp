// CSV reading and `tarvelo-service import`, which replaces the sample data.
#include "csv.h"
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace tarvelo::testkit {
namespace {

using server::CsvError;
using server::CsvTable;
using server::parseCsv;

void write(const std::filesystem::path& file, std::string_view text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

TEST(CsvReading, QuotesLineBreaksByteOrderMarkAndCrLf)
{
    const auto rows = parseCsv("\xEF\xBB\xBF" "a,b,c\r\n\"x, y\",\"say \"\"hi\"\"\",\"two\nlines\"\r\n\n,,\n\n", "t");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"x, y", "say \"hi\"", "two\nlines"}));
    EXPECT_EQ(rows[2].fields, (std::vector<std::string>{"", "", ""}));
    // Rows start on the line of the file they begin on, past quoted line breaks and blank lines.
    EXPECT_EQ(rows[1].line, 2u);
    EXPECT_EQ(rows[2].line, 5u);
    EXPECT_THROW(parseCsv("a,\"open\n", "t"), CsvError);
    EXPECT_THROW(parseCsv("a,b\"c\n", "t"), CsvError);

    const CsvTable table("code,name\n01,马\n02,牛\n", "t");
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table.field(1, "name"), "牛");
    EXPECT_THROW(table.field(0, "rate"), CsvError);
    EXPECT_THROW(table.require({"code", "rate"}), CsvError);
    EXPECT_THROW(CsvTable("a,b\n1\n", "t"), CsvError);
}

TEST(ServiceImport, ReplacesTheScheduleAndRejectsBadFilesWhole)
{
    TempFolder folder;
    const auto db = (folder.path() / "import.db").string();
    const auto tariff = folder.path() / "tariff.csv";
    write(tariff, "code,name,mfn,general,consumption,vat,unit,supervision\n"
                  "72083600,进口测试热轧卷材,1%,2%,,13%,千克,\n"
                  "9999999999,测试十位编码,0%,0%,,13%,个,A\n");
    const auto articles = folder.path() / "articles.csv";
    write(articles, "id,title,updated,source,body\n7,\"测试公告, 第一号\",2025-01-02T03:04:05+08:00,测试,\"第一段\n第二段\"\n");

    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", tariff.string(), "--articles", articles.string()},
                                output),
              0)
        << output;
    EXPECT_NE(output.find("loaded 2 tariff lines"), std::string::npos) << output;

    // A broken file changes nothing: the good file named with it is not loaded either.
    const auto broken = folder.path() / "broken.csv";
    write(broken, "code,name,unit,rate\n12AB,坏编码,个,13%\n");
    const auto news = folder.path() / "news.csv";
    write(news, "title,link,date\nShould not appear,/x,\n");
    output.clear();
    EXPECT_EQ(runServiceCommand({"import", "--db", db, "--news", news.string(), "--rebates", broken.string()}, output), 1);
    EXPECT_NE(output.find("12AB"), std::string::npos) << output;
    // The copy the import worked on is gone; only the lock file stays beside the database.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.find(".import-") == std::string::npos || name == "import.db.import-lock") << name;
    }
    output.clear();
    EXPECT_EQ(runServiceCommand({"import", "--db", db}, output), 2);

    RunningService service({"--db", db});
    const HttpReply steel = httpPost(service.port(), soapRequest("Tariff", "<keyword>热轧</keyword>", validToken));
    EXPECT_EQ(elementTexts(steel.body, "Product_name"), std::vector<std::string>{"进口测试热轧卷材"});
    EXPECT_EQ(elementTexts(steel.body, "EN_Description").front().substr(0, 5), "Iron ") << "taken from the HS";
    const HttpReply tenDigits = httpPost(service.port(), soapRequest("Tariff", "<keyword>9999999999</keyword>", validToken));
    EXPECT_EQ(elementTexts(tenDigits.body, "HS_code"), std::vector<std::string>{"9999999999"});
    const HttpReply article = httpPost(service.port(), soapRequest("PE_Article", "<keyword>第一号</keyword>", validToken));
    EXPECT_EQ(elementTexts(article.body, "title"), std::vector<std::string>{"测试公告, 第一号"});
    EXPECT_EQ(elementTexts(article.body, "UpdateTime"), std::vector<std::string>{"2025-01-02T03:04:05+08:00"});
    EXPECT_EQ(httpPost(service.port(), soapRequest("mdefaut", "", validToken)).body.find("Should not appear"),
              std::string::npos);
    // The sample note goes once a real schedule is imported.
    EXPECT_EQ(httpGet(service.port(), "/detail/tariff/72083600").body.find("示例数据"), std::string::npos);
}

TEST(ServiceImport, OperatorsReferencesAreFoundAndReplacedWhole)
{
    TempFolder folder;
    const auto db = (folder.path() / "references.db").string();
    const auto terms = folder.path() / "terms.csv";
    write(terms, "term,hscode\n\"测试商品, 甲\",8471.30\n测试乙货,7219\n");
    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--references", terms.string()}, output), 0) << output;
    EXPECT_NE(output.find("loaded 2 search references"), std::string::npos) << output;
    // A bad code rejects the file whole and keeps the terms imported before.
    const auto broken = folder.path() / "broken.csv";
    write(broken, "term,hscode\n好词,8471\n坏词,84x1\n");
    output.clear();
    EXPECT_EQ(runServiceCommand({"import", "--db", db, "--references", broken.string()}, output), 1);
    EXPECT_NE(output.find("84x1"), std::string::npos) << output;

    const auto codes = [](const RunningService& service, std::string_view keyword) {
        const std::string body = "<keyword>" + std::string(keyword) + "</keyword>";
        return elementTexts(httpPost(service.port(), soapRequest("Commodity", body, validToken)).body, "C_Code");
    };
    {
        RunningService service({"--db", db});
        const auto first = codes(service, "测试商品, 甲");
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first.front(), "847130");
        EXPECT_EQ(codes(service, "测试乙货").front().substr(0, 4), "7219");
        EXPECT_TRUE(codes(service, "好词").empty()) << "the rejected file's terms are not there";
        // The terms built into the program stay beside the operator's.
        EXPECT_FALSE(codes(service, "laptop").empty());
    }
    write(terms, "term,hscode\n测试丙货,0101\n");
    output.clear();
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--references", terms.string()}, output), 0) << output;
    RunningService service({"--db", db});
    const auto replaced = codes(service, "测试乙货");
    EXPECT_TRUE(replaced.empty() || !replaced.front().starts_with("7219")) << "the replaced term leads nowhere";
    EXPECT_EQ(codes(service, "测试丙货").front().substr(0, 4), "0101");
}

TEST(ServiceImport, ARunningServiceSearchesTheNewScheduleWithinSeconds)
{
    RunningService service;
    const auto db = (service.folder() / "service.db").string();
    const auto tariff = service.folder() / "tariff.csv";
    write(tariff, "code,name,mfn,general,consumption,vat,unit,supervision\n72083600,运行中导入的卷材,1%,2%,,13%,千克,\n");
    const auto search = [&] {
        return elementTexts(httpPost(service.port(), soapRequest("Tariff", "<keyword>运行中导入</keyword>", validToken)).body,
                            "Product_name");
    };
    const auto imported = [&] {
        const auto names = search();
        return !names.empty() && names.front() == "运行中导入的卷材";
    };
    EXPECT_FALSE(imported()) << "searched and cached before the import";
    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", tariff.string()}, output), 0) << output;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!imported() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(search(), std::vector<std::string>{"运行中导入的卷材"}) << "the file's one line replaces the sample";
}

// Three schedules of one line: an undated base, a past change and a future one.
TEST(ServiceImport, DatedSchedulesKeepTheHistoryAndAnswerWithTheRatesInForce)
{
    TempFolder folder;
    const auto db = (folder.path() / "dated.db").string();
    const auto base = folder.path() / "base.csv";
    write(base, "code,name,mfn,general,consumption,vat,unit,supervision\n"
                "72083600,日期测试卷材,3%,15%,,13%,千克,7\n"
                "84713000,日期测试电脑,0%,70%,,13%,台,A\n");
    const auto change = folder.path() / "change.csv";
    write(change, "code,name,mfn,general,consumption,vat,unit,supervision\n72083600,日期测试卷材,2%,15%,,13%,千克,7\n");
    const auto later = folder.path() / "later.csv";
    write(later, "code,name,mfn,general,consumption,vat,unit,supervision\n72083600,日期测试卷材,1%,15%,,13%,千克,7\n");
    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", base.string()}, output), 0) << output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", change.string(), "--effective", "2026-03-01"}, output), 0)
        << output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", later.string(), "--effective", "2027-01-01"}, output), 0)
        << output;
    EXPECT_NE(output.find("in force from 2027-01-01"), std::string::npos) << output;
    // Bad dates change nothing.
    EXPECT_EQ(runServiceCommand({"import", "--db", db, "--tariff", later.string(), "--effective", "2027-13-01"}, output), 2);
    EXPECT_EQ(runServiceCommand({"import", "--db", db, "--news", later.string(), "--effective", "2027-01-01"}, output), 2);

    const struct {
        std::string today;
        std::string steel;
        std::string computer;
    } days[] = {{"2026-02-28", "3%", "0%"}, {"2026-03-01", "2%", "0%"}, {"2026-12-31", "2%", "0%"}, {"2027-01-01", "1%", "0%"}};
    for (const auto& day : days) {
        RunningService dated({"--db", db, "--today", day.today});
        const auto rate = [&](std::string_view keyword) {
            const auto rates = elementTexts(
                httpPost(dated.port(), soapRequest("Tariff", "<keyword>" + std::string(keyword) + "</keyword>", validToken)).body,
                "MFN");
            return rates.empty() ? std::string("none") : rates.front();
        };
        EXPECT_EQ(rate("日期测试卷材"), day.steel) << day.today;
        EXPECT_EQ(rate("日期测试电脑"), day.computer) << day.today << ": a line left out keeps its rates";
    }

    RunningService service({"--db", db, "--today", "2026-06-01"});
    const std::string page = httpGet(service.port(), "/detail/tariff/72083600").body;
    const auto at = [&](std::string_view text) { return page.find(text); };
    ASSERT_NE(at("税率沿革"), std::string::npos) << page;
    EXPECT_LT(at("（未注明日期）</td><td>已失效"), at("2026-03-01</td><td>现行"));
    EXPECT_LT(at("2026-03-01</td><td>现行"), at("2027-01-01</td><td>待生效"));

    // An undated import replaces every schedule.
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", base.string()}, output), 0) << output;
    RunningService replaced({"--db", db, "--today", "2027-06-01"});
    EXPECT_EQ(httpGet(replaced.port(), "/detail/tariff/72083600").body.find("2027-01-01"), std::string::npos);
}

TEST(ServiceImport, TheBundledSampleHoldsTwoDatedSchedulesOfSomeLines)
{
    RunningService service({"--today", "2026-12-01"});
    const std::string page = httpGet(service.port(), "/detail/tariff/72083600").body;
    EXPECT_NE(page.find("2025-01-01</td><td>已失效</td><td>3%"), std::string::npos) << page;
    EXPECT_NE(page.find("2026-07-01</td><td>现行</td><td>2%"), std::string::npos) << page;
}

} // namespace
} // namespace tarvelo::testkit
