// Reading a goods list: pasted text, CSV in either encoding, the header row,
// and rows that are wrong, which are kept with their line.
#include "batch/goodslist.h"
#include "service/cp936.h"

#include <gtest/gtest.h>

namespace tarvelo::batch {
namespace {

// One item as "line|goods|value|quantity|problem".
std::vector<std::string> shown(const GoodsList& list)
{
    std::vector<std::string> out;
    for (const Item& i : list.items)
        out.push_back(std::to_string(i.line) + "|" + i.goods + "|" + i.value + "|" + i.quantity + "|" + i.problem);
    return out;
}

TEST(GoodsList, PastedText)
{
    const struct {
        std::string_view what, text;
        std::vector<std::string> expected;
    } cases[] = {
        {"codes and descriptions, blank lines skipped", "8471.30.00\n\n 冷冻鸡胸肉 \r\n8471 3000\t1200.5\t3\n",
         {"1|8471.30.00|||", "3|冷冻鸡胸肉|||", "4|8471 3000|1200.5|3|"}},
        {"commas when the line has no tab", "钢管,5000,10\nlaptop computer, 800\n",
         {"1|钢管|5000|10|", "2|laptop computer|800||"}},
        // A tab wins: the comma stays in the description.
        {"tab before comma", "钢管，焊接,无缝\t100\n", {"1|钢管，焊接,无缝|100||"}},
        {"bad value and quantity are kept with a reason", "钢管\t12,5\nA\t1\tzwei\n\t100\n",
         {"1|钢管|12,5||完税价格“12,5”不是数字", "2|A|1|zwei|数量“zwei”不是数字", "3||100||缺少商品编码或名称"}},
        {"a fourth column is a mistake without a header", "钢管\t1\t2\t3\n",
         {"1|钢管|1|2|多出的一列：“3”（每行只认商品、完税价格、数量三列）"}},
        {"header row in Chinese", "商品名称\t完税价格（元）\t数量\n钢管\t100\t2\n", {"2|钢管|100|2|"}},
        {"header in any order, in English, with a column of its own", "Qty,Remark,Value,Description\n2,x,100,tyres\n",
         {"2|tyres|100|2|"}},
        {"a code column is used where it is given, else the name", "商品编码\t品名\t完税价格\n84713000\t电脑\t1\n\t钢管\t2\n",
         {"2|84713000|1||", "3|钢管|2||"}},
        // A first row with a figure is data, whatever its words.
        {"a row with figures is no header", "数量\t100\n", {"1|数量|100||"}},
    };
    for (const auto& c : cases) {
        const GoodsList list = goodsList(readPastedText(c.text));
        EXPECT_EQ(shown(list), c.expected) << c.what;
    }
}

TEST(GoodsList, HeaderWithoutAGoodsColumnIsRefused)
{
    try {
        goodsList(readPastedText("完税价格\t数量\n100\t2\n"));
        FAIL() << "no error";
    } catch (const ListError& e) {
        EXPECT_STREQ(e.what(), "the header row (line 1) names no goods column: call one 商品名称, 商品编码, goods or code");
    }
}

TEST(GoodsList, CsvInEitherEncodingWithQuotes)
{
    const std::string utf8 = "商品名称,完税价格,数量\r\n\"钢管, 焊接\",\"1000\",2\r\n\"多行\n说明\",5,\r\n\"引号\"\"内\",,\r\n";
    const std::vector<std::string> expected = {"2|钢管, 焊接|1000|2|", "3|多行\n说明|5||", "5|引号\"内|||"};
    const struct {
        std::string_view what;
        std::string bytes;
    } cases[] = {
        {"UTF-8", utf8},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + utf8},
        {"code page 936", service::utf8ToCp936(utf8)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown(goodsList(readCsv(c.bytes))), expected) << c.what;
}

// Spreadsheets quote a cell only from its start: a quote further in is an
// inch mark, and the rows after it stay rows.
TEST(GoodsList, CsvQuoteInsideACellIsKeptAndAnUnclosedOneIsRefused)
{
    EXPECT_EQ(shown(goodsList(readCsv("商品名称,完税价格,数量\n钢管 2\",1000,5\n铜线,200,1\n"))),
              (std::vector<std::string>{"2|钢管 2\"|1000|5|", "3|铜线|200|1|"}));
    try {
        readCsv("商品名称,完税价格\n钢管,100\n\"铜线,200\n铝板,300\n");
        FAIL() << "no error";
    } catch (const ListError& e) {
        EXPECT_STREQ(e.what(), "line 3: a quoted cell is never closed");
    }
}

TEST(GoodsList, FilesAreReadByTheirEnding)
{
    EXPECT_THROW(readListFile("/nonexistent/list.csv"), ListError);
    EXPECT_THROW(readXlsx("PK\x03\x04 not really"), ListError);
    EXPECT_THROW(readXlsx("商品名称,完税价格"), ListError);
}

} // namespace
} // namespace tarvelo::batch
