// Tabs, search bar, window buttons and the bubble window's pictures.
#include "paint.h"
#include "theme.h"

#include <QFont>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace skingen {

QString cjkFamily()
{
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QString& wanted : {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                  QStringLiteral("Droid Sans Fallback")})
        if (families.contains(wanted))
            return wanted;
    return families.isEmpty() ? QStringLiteral("Sans Serif") : families.first();
}

namespace {

// Rounded rectangle with only its two top corners rounded; the bottom edge is
// left open (the path runs past it) so a tab joins what lies below.
QPainterPath topRounded(const QRectF& r, double radius)
{
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + radius);
    path.arcTo(QRectF(r.left(), r.top(), 2 * radius, 2 * radius), 180, -90);
    path.lineTo(r.right() - radius, r.top());
    path.arcTo(QRectF(r.right() - 2 * radius, r.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(r.right(), r.bottom());
    return path;
}

} // namespace

// Tabs: 100 x 35. The unselected tab is a light blue folder tab standing on
// the header; the selected one is white and runs down into the light shelf.
// Captions are drawn by labels, so the pictures carry no text.
QImage tab(bool selected)
{
    using namespace colour;
    QImage img = blank(100, 35);
    QPainter p(&img);
    antialias(p);
    const QRectF r(0.5, 0.5, 99, selected ? 36 : 34);
    QPainterPath outline = topRounded(r, 5);
    QPainterPath fill = outline;
    fill.closeSubpath();

    QLinearGradient g(0, 0, 0, 35);
    if (selected) {
        g.setColorAt(0, tabSelTop);
        g.setColorAt(0.6, QColor(248, 251, 255));
        g.setColorAt(1, shelfTop);
    } else {
        g.setColorAt(0, tabTop);
        g.setColorAt(1, tabBottom);
    }
    p.fillPath(fill, g);
    if (!selected) {
        // Gloss on the upper half.
        QLinearGradient gloss(0, 0, 0, 16);
        gloss.setColorAt(0, QColor(255, 255, 255, 120));
        gloss.setColorAt(1, QColor(255, 255, 255, 20));
        p.save();
        p.setClipPath(fill);
        p.fillRect(QRectF(0, 0, 100, 16), gloss);
        // A fine shade at the foot, where the tab meets the header's edge.
        p.fillRect(QRectF(0, 33, 100, 2), QColor(20, 50, 100, 50));
        p.restore();
    } else {
        // Accent line along the top of the selected tab.
        p.save();
        p.setClipPath(fill);
        p.fillRect(QRectF(0, 0, 100, 3), accent);
        p.fillRect(QRectF(0, 3, 100, 1), QColor(255, 255, 255, 200));
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(selected ? tabBorder : QColor(tabBorder.red(), tabBorder.green(), tabBorder.blue(), 200), 1.0));
    p.drawPath(outline);
    if (!selected) {
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
        p.drawPath(topRounded(r.adjusted(1, 1, -1, 0), 4));
        p.setPen(QPen(tabBorder, 1.0));
        p.drawLine(QPointF(0, 34.5), QPointF(100, 34.5));
    }
    return img;
}

// Search bar: 500 x 55 on the body colour. A white field runs from the text
// box (16, 16, 377 x 25) to the button (397, 13, 94 x 28), which sits inside
// its right end.
QImage searchBackground()
{
    using namespace colour;
    QImage img = blank(500, 55, body);
    QPainter p(&img);
    antialias(p);
    // Panel.
    const QRectF panel(3.5, 4.5, 493, 45);
    QLinearGradient pg(0, panel.top(), 0, panel.bottom());
    pg.setColorAt(0, QColor(246, 250, 255));
    pg.setColorAt(1, QColor(214, 229, 247));
    p.setPen(QPen(QColor(164, 192, 228), 1.0));
    p.setBrush(pg);
    p.drawRoundedRect(panel, 7, 7);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel.adjusted(1, 1, -1, -1), 6, 6);
    // Field.
    const QRectF field(11.5, 10.5, 483, 33);
    p.setPen(QPen(QColor(98, 140, 198), 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(field, 5, 5);
    // Inner shade at the top of the field.
    QLinearGradient sh(0, 11, 0, 15);
    sh.setColorAt(0, QColor(40, 80, 140, 40));
    sh.setColorAt(1, QColor(40, 80, 140, 0));
    p.fillRect(QRectF(15, 11, 380, 4), sh);
    return img;
}

// Search button: 94 x 28 with a magnifier and the caption 搜索.
QImage searchButton(bool hover)
{
    using namespace colour;
    QImage img = blank(94, 28);
    QPainter p(&img);
    antialias(p);
    const QRectF r(0.5, 0.5, 93, 27);
    QLinearGradient g(0, 0, 0, 28);
    if (hover) {
        g.setColorAt(0, QColor(112, 180, 244));
        g.setColorAt(0.5, QColor(70, 146, 226));
        g.setColorAt(1, QColor(44, 112, 196));
    } else {
        g.setColorAt(0, buttonTop);
        g.setColorAt(0.5, QColor(52, 118, 196));
        g.setColorAt(1, buttonBottom);
    }
    p.setPen(QPen(buttonBorder, 1.0));
    p.setBrush(g);
    p.drawRoundedRect(r, 4.5, 4.5);
    // Gloss.
    QLinearGradient gloss(0, 1, 0, 13);
    gloss.setColorAt(0, QColor(255, 255, 255, hover ? 110 : 80));
    gloss.setColorAt(1, QColor(255, 255, 255, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(1.5, 1.5, 91, 12), 3.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, hover ? 110 : 70), 1.0));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3.5, 3.5);

    // Magnifier.
    const QPointF lens(24, 12.5);
    p.setPen(QPen(QColor(20, 50, 100, 90), 2.0));
    p.drawEllipse(lens + QPointF(0, 1), 5.0, 5.0);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(lens, 5.0, 5.0);
    p.drawLine(lens + QPointF(3.8, 3.8), lens + QPointF(7.8, 7.8));

    // Caption.
    QFont f(cjkFamily());
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    const QRectF textRect(35, 0, 50, 27);
    p.setPen(QColor(16, 46, 96, 120));
    p.drawText(textRect.translated(0, 1), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("搜索"));
    p.setPen(Qt::white);
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("搜索"));
    return img;
}

// Window buttons: glyphs on the header; the hover look adds a lit box (red for
// close). The boxes keep 2 px clear at each side, where neighbours overlap.
QImage captionButton(CaptionButton kind, bool hover)
{
    using namespace colour;
    const int w = kind == CaptionButton::Minimise ? 31 : kind == CaptionButton::Close ? 41 : 30;
    QImage img = blank(w, 19);
    QPainter p(&img);
    antialias(p);
    const QRectF box(2.5, -3.5, w - 5, 21.0);
    if (hover) {
        QLinearGradient g(0, 0, 0, 19);
        if (kind == CaptionButton::Close) {
            g.setColorAt(0, QColor(236, 100, 86));
            g.setColorAt(1, closeHotDark);
            p.setPen(QPen(QColor(120, 24, 20), 1.0));
        } else {
            g.setColorAt(0, QColor(255, 255, 255, 96));
            g.setColorAt(1, QColor(255, 255, 255, 40));
            p.setPen(QPen(QColor(255, 255, 255, 120), 1.0));
        }
        p.setBrush(g);
        p.drawRoundedRect(box, 3.5, 3.5);
    } else {
        // Faint separators give the group its shape.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 20, 60, 40));
        p.drawRoundedRect(box, 3.5, 3.5);
        p.setPen(QPen(QColor(255, 255, 255, 36), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box, 3.5, 3.5);
    }

    const QPointF c(w / 2.0, 8.5);
    auto strokeGlyph = [&](const QColor& colour, const QPointF& offset) {
        QPen pen(colour, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QPointF o = c + offset;
        switch (kind) {
        case CaptionButton::Minimise:
            p.fillRect(QRectF(o.x() - 5, o.y() + 2.5, 10, 2), colour);
            break;
        case CaptionButton::Maximise:
            p.setPen(QPen(colour, 1.0));
            p.drawRect(QRectF(o.x() - 4.5, o.y() - 4.0, 9, 8));
            p.fillRect(QRectF(o.x() - 4.5, o.y() - 4.0, 9.5, 2), colour);
            break;
        case CaptionButton::Restore: {
            // Back window: only the parts the front window leaves free.
            p.setPen(QPen(colour, 1.0));
            const QPointF back[] = {o + QPointF(-2.5, -2.0), o + QPointF(-2.5, -5.5), o + QPointF(4.5, -5.5),
                                    o + QPointF(4.5, 0.5), o + QPointF(2.5, 0.5)};
            p.drawPolyline(back, 5);
            p.fillRect(QRectF(o.x() - 2.5, o.y() - 5.5, 7.5, 1.5), colour);
            // Front window.
            p.drawRect(QRectF(o.x() - 5.0, o.y() - 2.0, 7, 6));
            p.fillRect(QRectF(o.x() - 5.0, o.y() - 2.0, 7.5, 1.6), colour);
            break;
        }
        case CaptionButton::Close: {
            QPen x(colour, 1.8, Qt::SolidLine, Qt::RoundCap);
            p.setPen(x);
            p.drawLine(o + QPointF(-4, -4), o + QPointF(4, 4));
            p.drawLine(o + QPointF(4, -4), o + QPointF(-4, 4));
            break;
        }
        }
    };
    p.save();
    strokeGlyph(QColor(8, 28, 64, 110), QPointF(0, 1));
    p.restore();
    p.save();
    strokeGlyph(hover ? Qt::white : glyph, QPointF(0, 0));
    p.restore();
    return img;
}

// Bubble window background: 150 x 150, stretched to the window (182 x 158),
// so only smooth gradients and thin outlines.
QImage bubbleBackground()
{
    using namespace colour;
    QImage img = blank(150, 150);
    QPainter p(&img);
    // Rows 0-14 continue the title strip to the right of it (the strip covers
    // about 17 of the window's 158 rows), rows 15-16 its blue foot line.
    QLinearGradient top(0, 0, 0, 15);
    top.setColorAt(0, QColor(236, 244, 253));
    top.setColorAt(0.5, QColor(214, 230, 249));
    top.setColorAt(1, QColor(190, 212, 240));
    p.fillRect(QRect(0, 0, 150, 15), top);
    p.fillRect(QRect(0, 15, 150, 2), rim);
    QLinearGradient g(0, 17, 0, 150);
    g.setColorAt(0, body);
    g.setColorAt(1, QColor(208, 224, 245));
    p.fillRect(QRect(0, 17, 150, 133), g);
    p.setPen(QColor(255, 255, 255, 170));
    p.drawLine(1, 17, 148, 17);
    p.drawLine(1, 17, 1, 148);
    p.setPen(rimOuter);
    p.drawRect(QRect(0, 0, 149, 149));
    p.fillRect(QRect(0, 0, 150, 2), rimOuter);
    return img;
}

// Bubble title strip: 242 x 27, shown at 153 x 17; its caption is a label.
QImage bubbleTitle()
{
    using namespace colour;
    QImage img = blank(242, 27);
    QPainter p(&img);
    antialias(p);
    QLinearGradient g(0, 0, 0, 27);
    g.setColorAt(0, QColor(236, 244, 253));
    g.setColorAt(0.5, QColor(214, 230, 249));
    g.setColorAt(1, QColor(190, 212, 240));
    p.fillRect(img.rect(), g);
    p.fillRect(QRect(0, 0, 242, 2), rimOuter);
    p.fillRect(QRect(0, 2, 242, 1), QColor(255, 255, 255, 200));
    p.fillRect(QRect(0, 0, 2, 27), rimOuter);
    p.fillRect(QRect(0, 24, 242, 3), rim);
    return img;
}

// Bubble close picture: 40 x 17, shown at 32 x 15.
QImage bubbleClose()
{
    using namespace colour;
    QImage img = blank(40, 17);
    QPainter p(&img);
    antialias(p);
    QLinearGradient g(0, 0, 0, 17);
    g.setColorAt(0, QColor(236, 244, 253));
    g.setColorAt(1, QColor(200, 220, 244));
    p.fillRect(img.rect(), g);
    p.fillRect(QRect(0, 0, 40, 2), rimOuter);
    QLinearGradient bg(0, 3, 0, 15);
    bg.setColorAt(0, QColor(232, 98, 84));
    bg.setColorAt(1, closeHotDark);
    p.setPen(QPen(QColor(130, 30, 24), 1.0));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(9.5, 3.5, 22, 11), 2.5, 2.5);
    p.setPen(QPen(Qt::white, 1.7, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(20.5, 9);
    p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
    p.drawLine(c + QPointF(3, -3), c + QPointF(-3, 3));
    return img;
}

} // namespace skingen
