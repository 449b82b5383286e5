#pragma once
// Window geometry is kept in twips (1440 per inch) and turned into pixels with
// the screen's twips per pixel: 15 at 96 dots per inch.

namespace tarvelo::platform {

double twipsPerPixelX();
double twipsPerPixelY();

// Twips to whole pixels, to the nearest pixel.
int pixelsX(int twips);
int pixelsY(int twips);
// Pixels to twips.
int twipsX(double pixels);
int twipsY(double pixels);

} // namespace tarvelo::platform
