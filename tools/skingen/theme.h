#pragma once
// Colours and fixed places of the Tarvelo skin. One calm blue theme: a deep
// blue header carrying light tabs, an ice-blue body framed by a thin blue rim.
#include <QColor>

namespace skingen {

namespace colour {
// Header (tab bar, top corners): vertical gradient.
inline const QColor headerTop{52, 112, 186};
inline const QColor headerMid{36, 88, 156};
inline const QColor headerBottom{26, 68, 128};
inline const QColor headerHighlight{126, 170, 224};
inline const QColor headerShadowLine{16, 44, 88};
// Body around the pages.
inline const QColor shelfTop{250, 252, 255};
inline const QColor body{230, 239, 250};
// Rim round the body.
inline const QColor rimOuter{20, 54, 102};
inline const QColor rim{44, 96, 166};
inline const QColor rimInner{150, 186, 228};
// Tabs.
inline const QColor tabTop{214, 228, 246};
inline const QColor tabBottom{172, 198, 232};
inline const QColor tabBorder{18, 50, 98};
inline const QColor tabSelTop{255, 255, 255};
inline const QColor accent{64, 142, 226};
// Buttons.
inline const QColor buttonTop{76, 146, 222};
inline const QColor buttonBottom{34, 94, 172};
inline const QColor buttonBorder{22, 64, 128};
inline const QColor glyph{222, 234, 250};
inline const QColor closeHot{214, 64, 52};
inline const QColor closeHotDark{170, 36, 30};
// Magenta: the transparent colour of the menu pictures.
inline const QColor magenta{255, 0, 255};
} // namespace colour

// Fixed places of the main window at its start size, in pixels.
namespace place {
inline constexpr int startWidth = 695;
inline constexpr int startHeight = 407;
// The window region leaves 4 px at the left, 3 at the top, 2 at the right and
// 12 at the bottom outside; the rim is drawn just inside those lines.
inline constexpr int cutLeft = 4;
inline constexpr int cutTop = 3;
inline constexpr int cutRight = 2;
inline constexpr int cutBottom = 12;
inline constexpr int rimWidth = 4;
// First row below the header (the tab bar's light shelf starts here).
inline constexpr int shelfY = 76;
// Rows of the shelf gradient; the body colour is flat from shelfEnd on.
inline constexpr int shelfEnd = 86;
// Tab bar: top -35 twips, so its picture row r lies at window row r - 2.
inline constexpr int tabBarY = -2;
inline constexpr int tabBarX = 136;
// Band under the tab bar.
inline constexpr int bandY = 79;
// Search bar.
inline constexpr int searchX = 152;
inline constexpr int searchY = 88;
} // namespace place

} // namespace skingen
