#include "recordpage.h"

#include <array>

namespace tarvelo::pages {
namespace {

constexpr std::array<std::string_view, 10> fields = {
    "ArticleID", "HS_code", "Product_name", "MFN", "Gen", "GST", "VAT", "Unit", "SC", "EN_Description",
};
enum : std::size_t { ArticleID, HS_code, Product_name, MFN, Gen, GST, VAT, Unit, SC, EN_Description };

// Opens the nine-column table and holds its header row.
constexpr std::string_view header =
    R"html(<table border='0' align='center' cellpadding='2' cellspacing='1' bgcolor='#C3CBD5' style='width:100%;text-align:center;font-size:14px;'><tr align='center' bgcolor='#DFE9F0'><td style='width:90px;font-size:12px;'><strong>税则号列</strong></td><td style='width:200px;word-break:break-all;font-size:12px;'><strong>货品名称</strong></td><td style='width:55px;font-size:12px;'><strong>最惠<br />国税率</strong></td><td style='width:45px;font-size:12px;'><strong>普通<br />税率</strong></td><td style='width:45px;font-size:12px;'><strong>消费<br />税率</strong></td><td style='width:45px;font-size:12px;'><strong>增值<br />税率</strong></td><td style='width:55px;font-size:12px;'><strong>计量<br />单位</strong></td><td style='width:40px;font-size:12px;'><strong>监管<br />条件</strong></td><td style='word-break:break-all;font-size:12px;'><strong>Article<br>Description</strong></td></tr>)html";

constexpr std::array<Slot, 9> row = {{
    {R"html(<tr bgcolor='#EDF7FA' onmouseover="this.bgColor='#BFDFFF';" onmouseout="this.bgColor='#EDF7FA';">)html"
     "<td height='22' align='left'>", HS_code},
    {"</td><td align='left'>", Product_name},
    {"</td>"
     "<td align='center'>", MFN},
    {"</td><td align='center'>", Gen},
    {"</td><td align='center'>", GST},
    {"</td><td align='center'>", VAT},
    {"</td>"
     "<td align='center'>", Unit},
    {"</td><td align='center'>", SC},
    {"</td>"
     "<td align='left'>", EN_Description},
}};

constexpr RecordLayout layout{fields, ArticleID, header, row, "</td></tr>", "</table>", true};

} // namespace

Fragment tariffFragment(std::string_view answer)
{
    return renderRecords(answer, layout);
}

} // namespace tarvelo::pages
