#pragma once
#include <QRect>
#include <QRegion>

namespace tarvelo {

class TwipsWidget;

// The children of the main window that the layout moves. W and H below are
// the window's width and height in twips.
struct FramePieces {
    TwipsWidget& top11;
    TwipsWidget& uctop1;
    TwipsWidget& ucbottom1;
    TwipsWidget& ucright1;
    TwipsWidget& ucleft1;
    TwipsWidget& topcent1;
    TwipsWidget& top31;
    TwipsWidget& top41;
    TwipsWidget& top21;
};

// Edges and the band follow the window size. Assignments run in a fixed
// order because the pieces may change their own size as they are set.
void layoutframe(const FramePieces& f, int W, int H);
// Corners to the window's corners, then layoutframe.
void layoutcorner(const FramePieces& f, int W, int H);
// The browser's rectangle in twips (left, top, width, height), between the
// frame pieces.
QRect layoutweb(const FramePieces& f, int W, int H);

// The visible part of the window: the rectangle (4, 3)–(w − 2, h − 12) in
// pixels, corners rounded along 8 × 8 ellipses.
QRegion cornerrgn(int w, int h);

} // namespace tarvelo
