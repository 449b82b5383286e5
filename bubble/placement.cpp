#include "placement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tarvelo {
namespace {

// Nearest whole number, a half going to the even neighbour.
long nearest(double value)
{
    return std::lrint(value);
}

int16_t nearest16(double value)
{
    return static_cast<int16_t>(std::clamp<long>(nearest(value), std::numeric_limits<int16_t>::min(),
                                                 std::numeric_limits<int16_t>::max()));
}

// Integer division of whole numbers, truncating.
int divide(double twips, double twipsPerPixel)
{
    return static_cast<int>(nearest(twips) / nearest(twipsPerPixel));
}

} // namespace

QPoint bubblePosition(const QRect& screen, const QRect& workArea, int widthTwips, int heightTwips,
                      double twipsPerPixelX, double twipsPerPixelY)
{
    const double screenWidth = screen.width() * twipsPerPixelX;
    const double screenHeight = screen.height() * twipsPerPixelY;
    // Work area bottom as the row just below it, from the screen's top.
    const int workBottom = workArea.y() + workArea.height() - screen.y();
    const int16_t taskbarBand = nearest16(screenHeight - workBottom * twipsPerPixelY);

    const double left = screenWidth - widthTwips - 20;
    const double top = screenHeight - heightTwips - taskbarBand;
    return screen.topLeft() + QPoint(divide(left, twipsPerPixelX), divide(top, twipsPerPixelY));
}

} // namespace tarvelo
