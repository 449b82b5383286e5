// The main window's frame: header, shelf, body and rim, and the pieces cut
// from it; the left-column picture.
#include "paint.h"
#include "theme.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <map>

namespace skingen {

using namespace place;

namespace {
int scale = 1;
} // namespace

void setPictureScale(int s) { scale = s; }
int pictureScale() { return scale; }

QImage blank(int w, int h, const QColor& fill)
{
    QImage img(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    img.fill(fill);
    return img;
}

void antialias(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                  m(a.alpha(), b.alpha()));
}

namespace {

// Rounded rectangle with only its two bottom corners rounded.
QPainterPath bottomRounded(const QRectF& r, double radius)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right(), r.top());
    path.lineTo(r.right(), r.bottom() - radius);
    path.arcTo(QRectF(r.right() - 2 * radius, r.bottom() - 2 * radius, 2 * radius, 2 * radius), 0, -90);
    path.lineTo(r.left() + radius, r.bottom());
    path.arcTo(QRectF(r.left(), r.bottom() - 2 * radius, 2 * radius, 2 * radius), 270, -90);
    path.closeSubpath();
    return path;
}

void paintFrame(QPainter& p, int W, int H)
{
    using namespace colour;
    antialias(p);
    const double visRight = W - cutRight;   // exclusive
    const double visBottom = H - cutBottom; // exclusive

    // Rim and body below the header: nested outlines, rounded at the bottom
    // corners like the window region.
    p.fillRect(QRectF(-64, shelfY - 8, W + 128, H + 64), rimOuter);
    const double top = shelfY - 8;
    struct Layer { double inset; double radius; QColor colour; };
    const Layer layers[] = {
        {1, 3.5, rim},
        {rimWidth - 1, 2.5, rimInner},
        {rimWidth, 2.0, body},
    };
    for (const Layer& l : layers) {
        QRectF r(cutLeft + l.inset, top, visRight - cutLeft - 2 * l.inset, visBottom - l.inset - top);
        p.fillPath(bottomRounded(r, l.radius), l.colour);
    }
    // A soft shade along the rim's inner side of the bottom edge.
    {
        const double y = visBottom - rimWidth;
        QLinearGradient g(0, y - 5, 0, y);
        g.setColorAt(0, QColor(40, 90, 160, 0));
        g.setColorAt(1, QColor(40, 90, 160, 34));
        const Layer& inner = layers[2];
        QRectF r(cutLeft + inner.inset, top, visRight - cutLeft - 2 * inner.inset, visBottom - inner.inset - top);
        p.save();
        p.setClipPath(bottomRounded(r, inner.radius));
        p.fillRect(QRectF(-64, y - 5, W + 128, 5), g);
        p.restore();
    }

    // Shelf: the light strip the selected tab stands on, fading into the body.
    {
        const QRectF r(cutLeft + rimWidth, shelfY, visRight - cutLeft - 2 * rimWidth, shelfEnd - shelfY);
        QLinearGradient g(0, shelfY, 0, shelfEnd);
        g.setColorAt(0, shelfTop);
        g.setColorAt(1, body);
        p.fillRect(r, g);
    }

    // Header: deep blue with a soft gloss at the top.
    {
        const QRectF r(-64, -64, W + 128, shelfY + 64);
        QLinearGradient g(0, cutTop, 0, shelfY);
        g.setColorAt(0, headerTop);
        g.setColorAt(0.5, headerMid);
        g.setColorAt(1, headerBottom);
        p.fillRect(r, g);
        QLinearGradient gloss(0, cutTop, 0, cutTop + 30);
        gloss.setColorAt(0, QColor(255, 255, 255, 46));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRectF(-64, cutTop, W + 128, 30), gloss);
        p.fillRect(QRectF(-64, cutTop, W + 128, 1), QColor(headerHighlight.red(), headerHighlight.green(),
                                                             headerHighlight.blue(), 190));
        p.fillRect(QRectF(-64, cutTop + 1, W + 128, 1), QColor(255, 255, 255, 22));
        p.fillRect(QRectF(-64, shelfY - 2, W + 128, 1), QColor(12, 36, 74, 60));
        p.fillRect(QRectF(-64, shelfY - 1, W + 128, 1), headerShadowLine);
    }

    // Top-left: the emblem with a soft glow.
    {
        const QPointF c(44, 39);
        QRadialGradient glow(c, 46);
        glow.setColorAt(0, QColor(150, 200, 255, 70));
        glow.setColorAt(1, QColor(150, 200, 255, 0));
        p.save();
        p.setClipRect(QRectF(0, cutTop + 1, 136, shelfY - cutTop - 3));
        p.fillRect(QRectF(c.x() - 46, c.y() - 46, 92, 92), glow);
        p.restore();
        drawEmblem(p, QRectF(c.x() - 25, c.y() - 25, 50, 50), false);
    }

    // Top-right: faint meridian arcs behind the window buttons, fading out
    // before the title piece's left edge.
    {
        p.save();
        p.setClipRect(QRectF(W - 139, cutTop + 2, 139, shelfY - cutTop - 4));
        QLinearGradient fade(W - 130, 0, W - 40, 0);
        fade.setColorAt(0, QColor(255, 255, 255, 0));
        fade.setColorAt(1, QColor(255, 255, 255, 30));
        QPen pen(QBrush(fade), 1.0);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QPointF c(W - 34, 64);
        for (int i = 0; i < 4; ++i) {
            const double rx = 30 + i * 22, ry = 46 + i * 14;
            p.drawEllipse(c, rx, ry);
        }
        p.drawEllipse(c, 10.0, 100.0);
        p.restore();
    }
}

// One model per picture scale, drawn when first needed.
FrameModel& startFrame()
{
    static std::map<int, FrameModel> models;
    auto model = models.find(pictureScale());
    if (model == models.end())
        model = models.emplace(pictureScale(), FrameModel(startWidth, startHeight)).first;
    return model->second;
}

} // namespace

FrameModel::FrameModel(int width, int height)
    : width_(width), height_(height),
      image_(blank(width + 2 * margin, height + 2 * margin))
{
    QPainter p(&image_);
    p.translate(margin, margin);
    paintFrame(p, width, height);
}

QImage FrameModel::cut(int x, int y, int w, int h) const
{
    const int s = static_cast<int>(image_.devicePixelRatio());
    QImage piece = image_.copy((x + margin) * s, (y + margin) * s, w * s, h * s);
    piece.setDevicePixelRatio(s);
    return piece;
}

// Pieces at their places in the window at its start size (twips rounded to
// the nearest pixel). Stretched pieces are cut where the frame does not change
// along the stretch direction.
QImage topLeftCorner() { return startFrame().cut(0, 0, 139, 168); }
QImage titleBackground() { return startFrame().cut(startWidth - 139, 0, 139, 168); }
QImage bottomLeftCorner() { return startFrame().cut(0, startHeight - 155, 139, 155); }
QImage bottomRightCorner() { return startFrame().cut(startWidth - 139, startHeight - 156, 139, 156); }
QImage leftEdge() { return startFrame().cut(-1, 200, 134, 37); }
QImage rightEdge() { return startFrame().cut(startWidth - 22, 200, 23, 35); }
QImage bottomEdge() { return startFrame().cut(300, startHeight - 34, 42, 34); }
QImage band() { return startFrame().cut(300, bandY, 38, 87); }
QImage tabBarBackground() { return startFrame().cut(300, tabBarY, 27, 88); }

// The picture in the left column: a card with a calm harbour scene, a globe
// with a flight route above a container ship.
QImage leftPicture()
{
    using namespace colour;
    QImage img = blank(112, 199, body);
    QPainter p(&img);
    antialias(p);

    const QRectF card(2.5, 2.5, 107, 193);
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, 6, 6);
    // Soft shadow.
    p.fillPath(cardPath.translated(0, 1.5), QColor(30, 70, 130, 40));
    QLinearGradient sky(0, card.top(), 0, card.bottom());
    sky.setColorAt(0, QColor(248, 251, 255));
    sky.setColorAt(0.55, QColor(210, 228, 248));
    sky.setColorAt(1, QColor(178, 206, 238));
    p.fillPath(cardPath, sky);

    p.save();
    p.setClipPath(cardPath);

    // Globe.
    const QPointF gc(58, 66);
    const double gr = 31;
    QRadialGradient gg(gc + QPointF(-10, -12), gr * 1.4);
    gg.setColorAt(0, QColor(140, 196, 246));
    gg.setColorAt(0.6, QColor(54, 124, 204));
    gg.setColorAt(1, QColor(26, 76, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(gg);
    p.drawEllipse(gc, gr, gr);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.0));
    for (double k : {0.35, 0.72})
        p.drawEllipse(gc, gr * k, gr);
    p.drawLine(QPointF(gc.x(), gc.y() - gr), QPointF(gc.x(), gc.y() + gr));
    for (double dy : {-0.5, 0.0, 0.5}) {
        const double y = gc.y() + dy * gr;
        const double half = std::sqrt(gr * gr - (dy * gr) * (dy * gr));
        p.drawLine(QPointF(gc.x() - half, y), QPointF(gc.x() + half, y));
    }
    // Shine and rim of the globe.
    QRadialGradient shine(gc + QPointF(-12, -14), 16);
    shine.setColorAt(0, QColor(255, 255, 255, 110));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(gc, gr, gr);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 60, 120, 150), 1.0));
    p.drawEllipse(gc, gr, gr);

    // Flight route across the globe, a warm dashed arc.
    {
        QPainterPath route;
        route.moveTo(14, 104);
        route.cubicTo(22, 40, 70, 18, 100, 30);
        QPen dash(QColor(240, 160, 60), 1.6, Qt::DashLine, Qt::RoundCap);
        dash.setDashPattern({2.0, 2.2});
        p.setPen(dash);
        p.drawPath(route);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 160, 60));
        p.drawEllipse(QPointF(14, 104), 2.4, 2.4);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(100, 30), 3.0, 3.0);
        p.setBrush(QColor(240, 160, 60));
        p.drawEllipse(QPointF(100, 30), 1.8, 1.8);
    }

    // Container ship.
    {
        const double waterY = 162;
        // Containers: rows of boxes in the theme's blues with one warm stack.
        const QColor boxes[] = {QColor(44, 104, 178), QColor(70, 140, 206), QColor(30, 78, 146),
                                QColor(222, 140, 60), QColor(58, 126, 196), QColor(86, 158, 214)};
        int n = 0;
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 6; ++col) {
                if (row == 1 && (col == 0 || col == 5)) continue;
                const QRectF box(40 + col * 10, waterY - 13 - row * 7, 9, 6);
                p.fillRect(box, boxes[(n++ + row) % 6]);
                p.fillRect(QRectF(box.left(), box.top(), box.width(), 1), QColor(255, 255, 255, 70));
            }
        }
        // Bridge.
        p.fillRect(QRectF(22, waterY - 22, 12, 15), QColor(245, 248, 252));
        p.fillRect(QRectF(22, waterY - 22, 12, 3), QColor(30, 66, 120));
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(24 + i * 3.3, waterY - 17, 2, 2), QColor(60, 110, 170));
        p.fillRect(QRectF(26, waterY - 28, 3, 6), QColor(30, 66, 120));
        // Hull.
        QPainterPath hull;
        hull.moveTo(14, waterY - 7);
        hull.lineTo(102, waterY - 7);
        hull.lineTo(96, waterY + 3);
        hull.lineTo(20, waterY + 3);
        hull.closeSubpath();
        QLinearGradient hg(0, waterY - 7, 0, waterY + 3);
        hg.setColorAt(0, QColor(36, 62, 104));
        hg.setColorAt(1, QColor(18, 36, 70));
        p.setPen(Qt::NoPen);
        p.setBrush(hg);
        p.drawPath(hull);
        p.fillRect(QRectF(16, waterY - 4, 84, 1.2), QColor(200, 80, 60));

        // Water: two waves.
        auto wave = [&](double y, double amp, double phase) {
            QPainterPath w;
            w.moveTo(0, 200);
            for (double x = 0; x <= 112; x += 1)
                w.lineTo(x, y + amp * std::sin(x / 9.0 + phase));
            w.lineTo(112, 200);
            w.closeSubpath();
            return w;
        };
        QLinearGradient sea(0, waterY, 0, 196);
        sea.setColorAt(0, QColor(74, 140, 210, 220));
        sea.setColorAt(1, QColor(28, 84, 156));
        p.setBrush(sea);
        p.drawPath(wave(waterY + 1, 1.6, 0.0));
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawPath(wave(waterY + 9, 1.4, 1.7));
        p.setBrush(QColor(24, 74, 142, 150));
        p.drawPath(wave(waterY + 16, 1.2, 3.1));
    }
    p.restore();

    // Card outline with a light inner edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 160, 212), 1.0));
    p.drawPath(cardPath);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    p.drawRoundedRect(card.adjusted(1, 1, -1, -1), 5, 5);
    return img;
}

} // namespace skingen
