#pragma once
// Drawing routines of the skin generator. Every routine returns a picture of
// the exact pixel size the program's controls expect, times the picture scale.
#include <QImage>
#include <QString>
#include <QPainter>

namespace skingen {

// --- frame.cpp: the main window's frame -----------------------------------
// The frame is designed as one picture of a whole window (W x H pixels); the
// corner pieces are cut from it at their places and the stretched edges are
// cut where the frame is uniform along the stretch direction, so all pieces
// meet without seams at any window size.
class FrameModel {
public:
    FrameModel(int width, int height);
    // The piece whose top-left corner lies at window pixel (x, y); x and y may
    // be negative or reach past the window (the frame continues outside).
    QImage cut(int x, int y, int w, int h) const;

private:
    static constexpr int margin = 16;
    int width_;
    int height_;
    QImage image_;
};

QImage topLeftCorner();
QImage titleBackground();
QImage bottomLeftCorner();
QImage bottomRightCorner();
QImage leftEdge();
QImage rightEdge();
QImage bottomEdge();
QImage band();
QImage tabBarBackground();
QImage leftPicture();

// --- controls.cpp: tabs, search bar, window buttons, bubble window --------
QImage tab(bool selected);
QImage searchBackground();
QImage searchButton(bool hover);
enum class CaptionButton { Minimise, Maximise, Restore, Close };
QImage captionButton(CaptionButton kind, bool hover);
QImage bubbleBackground();
QImage bubbleTitle();
QImage bubbleClose();

// --- icons.cpp: program icon, about logo, menu pictures -------------------
// The program's emblem (globe and magnifier); `tile` draws it on its rounded
// blue tile, otherwise it stands free (for the dark header).
void drawEmblem(QPainter& p, const QRectF& r, bool tile);
QImage programIcon(int size);
QImage aboutLogo();
enum class MenuIcon { Exit, About, Home, Link1, Link2, Link3, Link4, Link5 };
// `magenta` fills the background with (255, 0, 255) and keeps no alpha, as the
// tray menu expects; otherwise the background stays transparent.
QImage menuIcon(MenuIcon kind, bool magenta);

// --- preview.cpp -----------------------------------------------------------
// Composes a sheet with the main window, the bubble window and the icons from
// the PNG files in `folder` (as written by the generator).
bool writePreview(const QString& folder, const QString& file);

// --- helpers -----------------------------------------------------------------
// Pictures are drawn in the control's pixels; at scale 2 every picture holds
// twice as many pixels each way (device pixel ratio 2), for high-DPI screens.
void setPictureScale(int scale);
int pictureScale();
QImage blank(int w, int h, const QColor& fill = Qt::transparent);
void antialias(QPainter& p);
QColor mix(const QColor& a, const QColor& b, double t);
QString cjkFamily();

} // namespace skingen
