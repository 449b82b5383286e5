#pragma once
#include <QPoint>
#include <QRect>

namespace tarvelo {

// Top left pixel of the bubble window, widthTwips × heightTwips: its right
// edge 20 twips left of the screen's right edge, its bottom on the bottom of
// the work area. The taskbar band is worked out in twips and taken to the
// nearest 16-bit integer; twips become pixels by integer division.
QPoint bubblePosition(const QRect& screen, const QRect& workArea, int widthTwips, int heightTwips,
                      double twipsPerPixelX, double twipsPerPixelY);

} // namespace tarvelo
