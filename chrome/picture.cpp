#include "picture.h"

#include "assets/skin.h"
#include "platform/qt/twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvelo {

Picture::Picture(QWidget* parent, const QString& resource, bool stretch)
    : TwipsWidget(parent), pixmap_(skin::picture(resource)), stretch_(stretch)
{
    setMouseTracking(true);
    setTwipsGeometry(0, 0, pictureWidth(), pictureHeight());
}

// In the window's pixels, whichever picture the screen's scale chose.
int Picture::pictureWidth() const { return platform::twipsX(pixmap_.deviceIndependentSize().width()); }
int Picture::pictureHeight() const { return platform::twipsY(pixmap_.deviceIndependentSize().height()); }

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        painter.drawPixmap(rect(), pixmap_);
    else
        painter.drawPixmap(0, 0, pixmap_);
}

void Picture::mousePressEvent(QMouseEvent* event)
{
    afterDoubleClick_ = false;
    const QPointF p = event->position();
    emit mousePressed(p.x() * platform::twipsPerPixelX(), p.y() * platform::twipsPerPixelY());
}

void Picture::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    emit mouseMoved(p.x() * platform::twipsPerPixelX(), p.y() * platform::twipsPerPixelY());
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    const bool click = event->button() == Qt::LeftButton && !afterDoubleClick_
                       && rect().contains(p.toPoint());
    afterDoubleClick_ = false;
    emit mouseReleased(p.x() * platform::twipsPerPixelX(), p.y() * platform::twipsPerPixelY());
    if (click)
        emit clicked();
}

void Picture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    afterDoubleClick_ = true;
    emit doubleClicked();
}

} // namespace tarvelo
