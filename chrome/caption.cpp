#include "caption.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvelo {

Caption::Caption(QWidget* parent, const QString& text) : TwipsWidget(parent), text_(text)
{
    setFont(uiFont(10.5));
    setAttribute(Qt::WA_TranslucentBackground);
}

QFont Caption::uiFont(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("新宋体"), QStringLiteral("NSimSun"), QStringLiteral("SimSun"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans SC")});
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

void Caption::setText(const QString& text)
{
    text_ = text;
    update();
}

void Caption::setColor(const QColor& color)
{
    color_ = color;
    update();
}

void Caption::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(color_);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, text_);
}

void Caption::mousePressEvent(QMouseEvent* event)
{
    afterDoubleClick_ = false;
    event->accept();
}

void Caption::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = event->button() == Qt::LeftButton && !afterDoubleClick_
                       && rect().contains(event->position().toPoint());
    afterDoubleClick_ = false;
    if (click)
        emit clicked();
}

void Caption::mouseDoubleClickEvent(QMouseEvent* event)
{
    afterDoubleClick_ = event->button() == Qt::LeftButton;
    event->accept();
}

} // namespace tarvelo
