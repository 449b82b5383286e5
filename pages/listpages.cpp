#include "mwin.h"
#include "renderers.h"

namespace tarvelo::pages {
namespace {

// Lines end in a lone carriage return, and one precedes the block.
constexpr std::string_view homeStyle =
    "\r"
    "<style>\r"
    "    div {width:100%;}\r"
    " ul {height:auto;float:left;margin-top:10px;margin-left:0px;margin-right:0px;line-height:30px;padding-left:20px;padding-right:20px;}\r"
    "li {list-style-type:none;border-bottom:#999 dotted 1px;}\r"
    " li a{list-style-type:none;color:#555;font-size:15px;text-decoration:none;}\r"
    "</style>\r";

constexpr std::string_view bubbleStyle =
    "\r"
    "<style>\r"
    "    div {width:100%;}\r"
    " ul {height:auto;float:left;margin-top:10px;margin-left:10px;margin-right:10px;line-height:30px;}\r"
    "li {border-bottom:#999 dotted 1px;}\r"
    " li a{list-style-type:none;color:#555;font-size:15px;text-decoration:none;}\r"
    "</style>\r";

} // namespace

std::string homeFragment(std::string_view answer)
{
    std::string out(homeStyle);
    out += "<div>";
    out += mwin::htmldecode(answer);
    return out;
}

std::string bubbleFragment(std::string_view answer)
{
    std::string out(bubbleStyle);
    out += mwin::htmldecode(answer);
    return out;
}

} // namespace tarvelo::pages
