#pragma once
#include <string_view>

// The frame around every page: a head, the fragment, the foot.
namespace tarvelo::pages::frames {

// Result pages, which may scroll.
inline constexpr std::string_view head =
    R"(<body rightmargin="0" bottommargin="0" leftmargin="0" topmargin="0" style='border:0px;' oncontextmenu="self.event.returnValue=false">)";
// The home page and the bubble page, without scroll bars.
inline constexpr std::string_view headNoScroll =
    R"(<body rightmargin="0" bottommargin="0" leftmargin="0" topmargin="0" scroll="no" style="border:0px;" oncontextmenu="self.event.returnValue=false">)";
inline constexpr std::string_view foot = "</body>";

} // namespace tarvelo::pages::frames
