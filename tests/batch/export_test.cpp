// The export read back by the list readers: CSV, the clipboard's text and
// the workbook hold the same cells.
#include "batch/commandrun.h"
#include "batch/export.h"
#include "support/tempfolder.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvelo::batch {
namespace {

// Two lines found (one marked, with taxes), one not found, one refused.
ExportTable sample()
{
    const std::vector<Item> items = goodsList(readPastedText("8471.30.00\t10000\n钢管\nqzx\n钢管\tabc\n")).items;
    const TariffHit laptop{"84713000", "便携式\"数据\"处理设备, 重量≤10千克", "0%", "70%", "", "13%", "台", "A"};
    const TariffHit pipe{"73063000", "焊接管", "6%", "20%", "", "13%", "千克", ""};
    std::vector<LineResult> results(4);
    results[0].state = LineResult::State::Found;
    results[0].match.best = laptop;
    results[0].taxes = taxesOf(items[0], laptop);
    results[1].state = LineResult::State::Found;
    results[1].match = {pipe, {laptop, pipe}, true, "最接近的答案分属不同品目，请核对"};
    results[1].note = results[1].match.note;
    results[2].state = LineResult::State::NotFound;
    results[2].note = "未找到";
    results[3].state = LineResult::State::Refused;
    results[3].note = items[3].problem;
    return exportTable(items, results);
}

std::vector<std::vector<std::string>> cells(const ExportTable& t)
{
    std::vector<std::vector<std::string>> all{t.header};
    all.insert(all.end(), t.rows.begin(), t.rows.end());
    return all;
}

std::vector<std::vector<std::string>> cells(const Table& t)
{
    std::vector<std::vector<std::string>> all;
    for (const SourceRow& r : t)
        all.push_back(r.cells);
    return all;
}

TEST(Export, TheTableHoldsTheInputWhatWasFoundAndTheMark)
{
    const ExportTable table = sample();
    ASSERT_EQ(table.rows.size(), 5u);
    const auto& laptop = table.rows[0];
    EXPECT_EQ(laptop[1], "8471.30.00\t10000");
    EXPECT_EQ(laptop[4], "84713000");
    EXPECT_EQ(laptop[12], "0.00");
    EXPECT_EQ(laptop[14], "1300.00");
    EXPECT_EQ(laptop[15], "1300.00");
    EXPECT_EQ(table.rows[1][16], "是");
    EXPECT_EQ(table.rows[1][17], "84713000 便携式\"数据\"处理设备, 重量≤10千克；73063000 焊接管");
    EXPECT_EQ(table.rows[2][18], "未找到");
    EXPECT_EQ(table.rows[3][18], "完税价格“abc”不是数字");
    EXPECT_EQ(table.rows[4][1], "合计");
    EXPECT_EQ(table.rows[4][15], "1300.00");
}

TEST(Export, CsvAndClipboardTextReadBackCellForCell)
{
    const ExportTable table = sample();
    const std::string csv = csvText(table);
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << "Excel reads UTF-8 CSV only with the mark";
    EXPECT_EQ(cells(readCsv(csv)), cells(table));
    // Pasted text splits at tabs; a cell holding one is quoted, as Excel does.
    const std::string tabs = tabText(table);
    EXPECT_NE(tabs.find("\"8471.30.00\t10000\""), std::string::npos);
    EXPECT_EQ(cells(readCsv(tabs)).size(), cells(table).size());
}

TEST(Export, WorkbookReadsBackWithMoneyAsNumbers)
{
    const ExportTable table = sample();
    testkit::TempFolder folder;
    // Named in UTF-8, as the command line and the window give names: the file
    // must have that very name, on Windows too.
    const std::string file = utf8FromPath(folder.path()) + "/导出.xlsx";
    writeXlsx(table, file);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / pathFromUtf8("导出.xlsx")));
    const auto back = cells(readListFile(file));
    const auto sent = cells(table);
    ASSERT_EQ(back.size(), sent.size());
    for (size_t r = 0; r < sent.size(); ++r) {
        ASSERT_LE(back[r].size(), sent[r].size()) << "row " << r;
        for (size_t c = 0; c < sent[r].size(); ++c) {
            const std::string got = c < back[r].size() ? back[r][c] : "";
            if (r > 0 && isMoneyColumn(c) && !sent[r][c].empty() && duty::parseDecimal(sent[r][c]))
                EXPECT_EQ(duty::parseDecimal(got), duty::parseDecimal(sent[r][c])) << r << "," << c;
            else
                EXPECT_EQ(got, sent[r][c]) << r << "," << c;
        }
    }
}

TEST(Export, ChineseFileNamesAndAFailedExportThatChangesNothing)
{
    const ExportTable table = sample();
    testkit::TempFolder folder;
    const std::string csv = utf8FromPath(folder.path()) + "/清单 结果.csv";
    writeCsv(table, csv);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / pathFromUtf8("清单 结果.csv")));
    EXPECT_EQ(cells(readListFile(csv)), cells(table));

    // A workbook that cannot be put in place leaves no file behind it.
    const std::string nowhere = utf8FromPath(folder.path()) + "/无此文件夹/导出.xlsx";
    EXPECT_THROW(writeXlsx(table, nowhere), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / pathFromUtf8("无此文件夹")));
}

TEST(Export, CommandExitsTwoWithTheReasonForABadListOrOutput)
{
    testkit::TempFolder folder;
    const auto write = [&](const char* name, std::string_view text) {
        std::ofstream(folder.path() / name, std::ios::binary) << text;
        return (folder.path() / name).string();
    };
    // Nothing is asked of the service here: the list fails before.
    const Connection nowhere{.endpoint = "http://127.0.0.1:9/Service.asmx"};
    const std::string out = (folder.path() / "out.csv").string();
    EXPECT_EQ(runCommand((folder.path() / "missing.csv").string(), out, nowhere), 2);
    EXPECT_EQ(runCommand(write("nogoods.csv", "完税价格,数量\n1,2\n"), out, nowhere), 2);
    EXPECT_EQ(runCommand(write("broken.xlsx", "PK"), out, nowhere), 2);
    EXPECT_EQ(runCommand(write("empty.txt", "\n\n"), out, nowhere), 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
} // namespace tarvelo::batch
