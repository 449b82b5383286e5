#include "twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tarvelo::platform {
namespace {

double dpiX()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

double twipsPerPixelX() { return 1440.0 / dpiX(); }
double twipsPerPixelY() { return 1440.0 / dpiY(); }

int pixelsX(int twips) { return static_cast<int>(std::lround(twips / twipsPerPixelX())); }
int pixelsY(int twips) { return static_cast<int>(std::lround(twips / twipsPerPixelY())); }
int twipsX(double pixels) { return static_cast<int>(std::lround(pixels * twipsPerPixelX())); }
int twipsY(double pixels) { return static_cast<int>(std::lround(pixels * twipsPerPixelY())); }

} // namespace tarvelo::platform
