#include "recordpage.h"

#include <array>

namespace tarvelo::pages {
namespace {

constexpr std::array<std::string_view, 3> fields = {"title", "thisurl", "UpdateTime"};
enum : std::size_t { title, thisurl, UpdateTime };

// Lines end in a lone carriage return.
constexpr std::string_view style =
    "\r"
    R"(<style type="text/css">)" "\r"
    "div {border-bottom:dotted 1px #666;margin-left:3px;margin-right:3px;margin-top:2px;padding-bottom:5px;margin-bottom:5px;}\r"
    "div a {color:#369;text-decoration:none;}\r"
    "div li{font-size:14px;color:#006;}\r"
    "div span{font-size:14px;color:#888;}\r"
    "</style>\r";

constexpr std::array<Slot, 3> block = {{
    {"<div>"
     " <li><a href='", thisurl, Treatment::LinkTarget},
    {"' target='_blank'>", title},
    {"</a></li>"
     " <span> ", UpdateTime, Treatment::DateTime},
}};

constexpr RecordLayout layout{fields, title, style, block, "</span></div>\r", "", false};

} // namespace

Fragment articlesFragment(std::string_view answer)
{
    return renderRecords(answer, layout);
}

} // namespace tarvelo::pages
