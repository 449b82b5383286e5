#include "recordpage.h"

#include <array>

namespace tarvelo::pages {
namespace {

constexpr std::array<std::string_view, 5> fields = {"ArticleID", "Goods_code", "Goods_name", "Unit", "ED"};
enum : std::size_t { ArticleID, Goods_code, Goods_name, Unit, ED };

// Opens the four-column table and holds its header row.
constexpr std::string_view header =
    R"html(<table border='0' align='center' cellpadding='2' cellspacing='1' bgcolor='#C3CBD5' width='100%' style='text-align:center;font-size:14px;'><tr align='center' bgcolor='#DFE9F0'><td style='width:100px;height:28px;font-size:12px;'><strong>商品编码</strong></td><td style='word-break:break-all;font-size:12px;'><strong>商品名称</strong></td><td style='width:100px;font-size:12px;'><strong>计量单位</strong></td><td style='width:100px;font-size:12px;'><strong>增值税退税率%</strong></td></tr>)html";

constexpr std::array<Slot, 4> row = {{
    {R"html(<tr bgcolor='#EDF7FA' onmouseover="this.bgColor='#BFDFFF';" onmouseout="this.bgColor='#EDF7FA';">)html"
     "<td height='22' align='left'>&nbsp;&nbsp;", Goods_code},
    {"</td>"
     "<td align='left'>", Goods_name},
    {"</td><td align='center'>", Unit},
    {" </td>"
     "<td align='center'>", ED},
}};

constexpr RecordLayout layout{fields, ArticleID, header, row, "</td></tr>", "</table>", true};

} // namespace

Fragment exportFragment(std::string_view answer)
{
    return renderRecords(answer, layout);
}

} // namespace tarvelo::pages
