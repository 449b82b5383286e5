// The program's emblem and icons, the about logo and the tray menu pictures.
#include "paint.h"
#include "theme.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace skingen {

namespace {

void drawGlobe(QPainter& p, const QPointF& c, double r, bool detailed)
{
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.45, QColor(214, 234, 252));
    g.setColorAt(1, QColor(132, 182, 236));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    const double lw = std::max(1.0, r / 11.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(42, 104, 184, detailed ? 200 : 230), lw));
    p.drawEllipse(c, r * 0.42, r);
    if (detailed)
        p.drawEllipse(c, r * 0.8, r);
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    if (detailed) {
        const double dy = r * 0.52, half = std::sqrt(r * r - dy * dy);
        p.drawLine(QPointF(c.x() - half, c.y() - dy), QPointF(c.x() + half, c.y() - dy));
        p.drawLine(QPointF(c.x() - half, c.y() + dy), QPointF(c.x() + half, c.y() + dy));
    }
    p.setPen(QPen(QColor(24, 70, 140), lw));
    p.drawEllipse(c, r, r);
}

void drawMagnifier(QPainter& p, const QPointF& c, double r, double lw)
{
    // Handle.
    const QPointF dir(0.7071, 0.7071);
    QPen handle(QColor(26, 44, 78), lw * 1.9, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handle);
    p.drawLine(c + dir * (r + lw * 0.4), c + dir * (r * 2.2));
    QPen handleLight(QColor(70, 100, 150), lw * 0.6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handleLight);
    p.drawLine(c + dir * (r + lw * 0.9) + QPointF(-lw * 0.3, lw * 0.0), c + dir * (r * 2.1) + QPointF(-lw * 0.3, 0));
    // Glass.
    QRadialGradient glass(c + QPointF(-r * 0.3, -r * 0.3), r * 1.2);
    glass.setColorAt(0, QColor(255, 255, 255, 170));
    glass.setColorAt(1, QColor(190, 225, 255, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawEllipse(c, r, r);
    // Ring.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(246, 176, 64), lw));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(160, 96, 20, 160), std::max(0.6, lw * 0.3)));
    p.drawEllipse(c, r + lw * 0.5, r + lw * 0.5);
}

} // namespace

void drawEmblem(QPainter& p, const QRectF& r, bool tile)
{
    antialias(p);
    const double s = r.width();
    p.save();
    if (tile) {
        const double radius = s * 0.2;
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(82, 152, 228));
        g.setColorAt(1, QColor(24, 70, 140));
        p.setPen(s >= 24 ? QPen(QColor(16, 48, 100), std::max(1.0, s / 64)) : Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        if (s >= 24) {
            QLinearGradient gloss(r.topLeft(), QPointF(r.left(), r.top() + s * 0.5));
            gloss.setColorAt(0, QColor(255, 255, 255, 90));
            gloss.setColorAt(1, QColor(255, 255, 255, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(gloss);
            p.drawRoundedRect(r.adjusted(s * 0.04, s * 0.04, -s * 0.04, -s * 0.5), radius * 0.8, radius * 0.8);
        }
    }
    const bool small = s < 24;
    const double inset = tile ? (small ? 0.1 : 0.14) : 0.04;
    const QRectF in = r.adjusted(s * inset, s * inset, -s * inset, -s * inset);
    const double gs = in.width();
    const QPointF gc(in.left() + gs * 0.42, in.top() + gs * 0.42);
    drawGlobe(p, gc, gs * (small ? 0.40 : 0.38), !small);
    const QPointF mc(in.left() + gs * 0.66, in.top() + gs * 0.66);
    drawMagnifier(p, mc, gs * (small ? 0.17 : 0.16), std::max(small ? 1.5 : 1.2, gs * 0.055));
    p.restore();
}

QImage programIcon(int size)
{
    QImage img = blank(size, size);
    QPainter p(&img);
    if (size >= 48) {
        // A soft drop shadow under the tile.
        const double s = size;
        for (int i = 0; i < 6; ++i) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 20, 60, 10));
            const double d = s * 0.01 * i;
            p.drawRoundedRect(QRectF(s * 0.06 - d, s * 0.08 - d, s * 0.88 + 2 * d, s * 0.88 + 2 * d), s * 0.18, s * 0.18);
        }
        drawEmblem(p, QRectF(size * 0.06, size * 0.05, size * 0.88, size * 0.88), true);
    } else {
        drawEmblem(p, QRectF(0, 0, size, size), true);
    }
    return img;
}

// About logo: 56 x 51, the emblem tile with a soft shadow; transparent
// around it so it sits on the about box's background.
QImage aboutLogo()
{
    QImage img = blank(56, 51);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(0, 40, 0, 14));
        p.drawRoundedRect(QRectF(6.5 - i * 0.6, 4.5 - i * 0.3, 45 + i * 1.2, 45 + i * 1.0), 9, 9);
    }
    drawEmblem(p, QRectF(5.5, 1.5, 45, 45), true);
    return img;
}

QImage menuIcon(MenuIcon kind, bool magenta)
{
    using namespace colour;
    QImage img = blank(16, 16);
    {
        QPainter p(&img);
        antialias(p);
        const QColor dark(22, 62, 122);
        switch (kind) {
        case MenuIcon::Exit: {
            // Power symbol.
            const QPointF c(8, 8.5);
            p.setPen(QPen(QColor(196, 48, 40), 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(c.x() - 5.5, c.y() - 5.5, 11, 11), 58 * 16, -296 * 16);
            p.drawLine(QPointF(8, 1.5), QPointF(8, 8));
            break;
        }
        case MenuIcon::About: {
            QRadialGradient g(QPointF(6, 5), 10);
            g.setColorAt(0, QColor(110, 176, 240));
            g.setColorAt(1, QColor(30, 92, 176));
            p.setPen(QPen(dark, 1.0));
            p.setBrush(g);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 4.8), 1.3, 1.3);
            p.drawRect(QRectF(7, 7, 2, 5.5));
            p.drawRect(QRectF(6, 7, 1.5, 1.2));
            p.drawRect(QRectF(6, 11.5, 4, 1.2));
            break;
        }
        case MenuIcon::Home: {
            QPainterPath roof;
            roof.moveTo(1, 8);
            roof.lineTo(8, 1.5);
            roof.lineTo(15, 8);
            p.fillRect(QRectF(3.5, 7, 9, 7.5), QColor(236, 242, 250));
            p.setPen(QPen(dark, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(3.5, 7.5, 9, 7));
            p.fillRect(QRectF(6.5, 10, 3, 4.5), QColor(230, 150, 60));
            p.setPen(QPen(QColor(200, 56, 44), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(roof);
            break;
        }
        case MenuIcon::Link1: // a sibling site: globe
            drawGlobe(p, QPointF(8, 8), 6.5, false);
            break;
        case MenuIcon::Link2: { // a sibling site: news sheet
            p.setPen(QPen(dark, 1.0));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 1.5, 11, 13));
            p.fillRect(QRectF(4, 3, 8, 3), QColor(60, 130, 210));
            for (int i = 0; i < 3; ++i)
                p.fillRect(QRectF(4, 7.5 + i * 2.2, i == 2 ? 5 : 8, 1), QColor(90, 110, 140));
            break;
        }
        case MenuIcon::Link3: { // a sibling site: book of rules
            QLinearGradient g(0, 2, 0, 14);
            g.setColorAt(0, QColor(60, 150, 150));
            g.setColorAt(1, QColor(22, 96, 104));
            p.setPen(QPen(QColor(14, 66, 72), 1.0));
            p.setBrush(g);
            p.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 1.2, 1.2);
            p.fillRect(QRectF(3.5, 12, 10, 2.5), QColor(240, 244, 248));
            p.setPen(QPen(QColor(14, 66, 72), 1.0));
            p.drawLine(QPointF(3.5, 11.5), QPointF(13.5, 11.5));
            p.fillRect(QRectF(6, 4, 5, 1.2), QColor(255, 214, 120));
            p.fillRect(QRectF(6, 6.3, 5, 1.0), QColor(200, 232, 232));
            break;
        }
        case MenuIcon::Link4: { // search page: magnifier
            const QPointF c(6.5, 6.5);
            p.setPen(QPen(QColor(26, 44, 78), 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + QPointF(3.6, 3.6), QPointF(14, 14));
            p.setBrush(QColor(220, 238, 255));
            p.setPen(QPen(QColor(40, 104, 184), 1.8));
            p.drawEllipse(c, 4.5, 4.5);
            break;
        }
        case MenuIcon::Link5: { // ask a question: speech bubble with a question mark
            QPainterPath bubble;
            bubble.addRoundedRect(QRectF(1.5, 1.5, 13, 10), 3, 3);
            QPainterPath tail;
            tail.moveTo(4, 10);
            tail.lineTo(4, 14.5);
            tail.lineTo(8.5, 10.5);
            tail.closeSubpath();
            bubble = bubble.united(tail);
            p.setPen(QPen(dark, 1.0));
            QLinearGradient g(0, 1, 0, 12);
            g.setColorAt(0, QColor(120, 190, 250));
            g.setColorAt(1, QColor(40, 110, 200));
            p.setBrush(g);
            p.drawPath(bubble);
            // Question mark as a shape.
            QPainterPath q;
            q.moveTo(6.2, 4.8);
            q.cubicTo(6.2, 2.8, 10.2, 2.8, 10.2, 4.8);
            q.cubicTo(10.2, 6.3, 8.2, 6.3, 8.2, 8.0);
            p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(q);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8.2, 9.9), 0.9, 0.9);
            break;
        }
        }
    }
    if (!magenta)
        return img;

    // Hard mask on magenta: covered pixels are blended over a light menu
    // colour, the rest become the transparent colour.
    const QColor menuBack(244, 246, 250);
    QImage out(img.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(img.devicePixelRatio());
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb px = img.pixel(x, y); // unpremultiplied
            const int a = qAlpha(px);
            if (a < 96) {
                out.setPixel(x, y, colour::magenta.rgb());
                continue;
            }
            auto over = [a](int c, int b) { return (c * a + b * (255 - a)) / 255; };
            QColor c(over(qRed(px), menuBack.red()), over(qGreen(px), menuBack.green()),
                     over(qBlue(px), menuBack.blue()));
            if (c.red() > 250 && c.green() < 5 && c.blue() > 250)
                c.setGreen(8); // never hit the transparent colour by chance
            out.setPixel(x, y, c.rgb());
        }
    }
    return out;
}

} // namespace skingen
