#include "recordpage.h"

#include <array>

namespace tarvelo::pages {
namespace {

constexpr std::array<std::string_view, 4> fields = {"C_Code", "C_Name", "thisurl", "thenurl"};
enum : std::size_t { C_Code, C_Name, thisurl, thenurl };

// Opens the four-column table and holds its header row.
constexpr std::string_view header =
    R"html(<table border='0' align='center' cellpadding='2' cellspacing='1' bgcolor='#C3CBD5' width='100%' style='text-align:center;font-size:14px;'><tr align='center' bgcolor='#CED5DE'><td style='width:90px;height:28px;font-size:12px;'><strong>商品编码</strong></td><td style='word-break:break-all;font-size:12px;'><strong>商品名称</strong></td><td style='width:110px;font-size:12px;'><strong>海关进出口税则</strong></td><td style='width:110px;font-size:12px;'><strong>出口退税率表</strong></td></tr>)html";

constexpr std::array<Slot, 4> row = {{
    {R"html(<tr bgcolor='#F2F6FB' onmouseover="this.bgColor='#DFE9F0';" onmouseout="this.bgColor='#F2F6FB';"><td height='23' align='center'>)html",
     C_Code},
    {"</td>"
     " <td align='left'>", C_Name},
    {"</td><td align='center'><a href='", thisurl, Treatment::LinkTarget},
    {"' class='inurl' target='_blank'>查看详情</a></td><td align='center'><a href='", thenurl, Treatment::LinkTarget},
}};

constexpr RecordLayout layout{fields, C_Code, header, row,
                              "' class='inurl' target='_blank'>查看详情</a></td></tr>", "</table>", true};

} // namespace

Fragment commodityFragment(std::string_view answer)
{
    return renderRecords(answer, layout);
}

} // namespace tarvelo::pages
