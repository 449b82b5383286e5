#pragma once
// Resource paths of the skin pictures and icons (assets/skin.qrc). Use these
// constants instead of spelling the paths; link tarvelo_assets to get the
// resources. Sizes are in pixels.

class QPixmap;
class QString;

namespace tarvelo::skin {

// --- Category tab bar ---------------------------------------------------------
inline constexpr char tabNormal[] = ":/skin/tab_normal.png";       // 100 x 35, tab and home button
inline constexpr char tabSelected[] = ":/skin/tab_selected.png";   // 100 x 35, selected tab / home
inline constexpr char tabBarBackground[] = ":/skin/tabbar_bg.png"; // 27 x 88, stretched to the width

// --- Search bar -------------------------------------------------------------------
inline constexpr char searchBackground[] = ":/skin/search_bg.png";                // 500 x 55
inline constexpr char searchButton[] = ":/skin/search_button.png";                // 94 x 28
inline constexpr char searchButtonHover[] = ":/skin/search_button_hover.png";     // 94 x 28

// --- Title bar (top-right corner piece) ----------------------------------------
inline constexpr char titleBackground[] = ":/skin/title_bg.png";       // 139 x 168
inline constexpr char minimiseButton[] = ":/skin/minimise.png";              // 31 x 19
inline constexpr char minimiseButtonHover[] = ":/skin/minimise_hover.png";   // 31 x 19
inline constexpr char maximiseButton[] = ":/skin/maximise.png";              // 30 x 19
inline constexpr char maximiseButtonHover[] = ":/skin/maximise_hover.png";   // 30 x 19
inline constexpr char restoreButton[] = ":/skin/restore.png";                // 30 x 19
inline constexpr char restoreButtonHover[] = ":/skin/restore_hover.png";     // 30 x 19
inline constexpr char closeButton[] = ":/skin/close.png";                    // 41 x 19
inline constexpr char closeButtonHover[] = ":/skin/close_hover.png";         // 41 x 19

// --- Frame pieces -------------------------------------------------------------------
inline constexpr char cornerTopLeft[] = ":/skin/corner_top_left.png";         // 139 x 168
inline constexpr char cornerBottomLeft[] = ":/skin/corner_bottom_left.png";   // 139 x 155
inline constexpr char cornerBottomRight[] = ":/skin/corner_bottom_right.png"; // 139 x 156
inline constexpr char leftPicture[] = ":/skin/left_picture.png";              // 112 x 199
inline constexpr char edgeLeft[] = ":/skin/edge_left.png";      // 134 x 37, stretched to the height
inline constexpr char edgeRight[] = ":/skin/edge_right.png";    // 23 x 35, stretched to the height
inline constexpr char edgeBottom[] = ":/skin/edge_bottom.png";  // 42 x 34, stretched to the width
inline constexpr char band[] = ":/skin/band.png";               // 38 x 87, stretched to the width

// --- Bubble window ------------------------------------------------------------------
inline constexpr char bubbleBackground[] = ":/skin/bubble_bg.png"; // 150 x 150, shown at 182 x 158
inline constexpr char bubbleTitle[] = ":/skin/bubble_title.png";   // 242 x 27, shown at 153 x 17
inline constexpr char bubbleClose[] = ":/skin/bubble_close.png";   // 40 x 17, shown at 32 x 15

// --- Tray menu pictures: 16 x 16 on magenta (255, 0, 255) -------------------------
inline constexpr char menuExit[] = ":/icons/menu_exit.png";    // mexit
inline constexpr char menuAbout[] = ":/icons/menu_about.png";  // mabout
inline constexpr char menuHome[] = ":/icons/menu_home.png";    // murl, the maker's home page
inline constexpr char menuLink1[] = ":/icons/menu_link1.png";  // murlno1
inline constexpr char menuLink2[] = ":/icons/menu_link2.png";  // murlno2
inline constexpr char menuLink3[] = ":/icons/menu_link3.png";  // murlno3
inline constexpr char menuLink4[] = ":/icons/menu_link4.png";  // murlno4, search page
inline constexpr char menuLink5[] = ":/icons/menu_link5.png";  // murlno5, ask a question

// --- Program icon and about logo --------------------------------------------------
inline constexpr char icon16[] = ":/icons/tarvelo_16.png";
inline constexpr char icon32[] = ":/icons/tarvelo_32.png";
inline constexpr char icon48[] = ":/icons/tarvelo_48.png";
inline constexpr char icon128[] = ":/icons/tarvelo_128.png";
inline constexpr char icon256[] = ":/icons/tarvelo_256.png";
inline constexpr char aboutLogo[] = ":/icons/about_logo.png";      // 56 x 51, transparent around

// The picture at resource, or its double-size twin NAME@2x.png on a screen
// scaled above 100 %; either way it covers the same window pixels.
QPixmap picture(const QString& resource);

// A menu picture with its magenta pixels made transparent.
QPixmap menuPixmap(const char* resource);

} // namespace tarvelo::skin
