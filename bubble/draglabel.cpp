#include "draglabel.h"

#include "platform/qt/twips.h"

#include <QMouseEvent>

namespace tarvelo {
namespace {

double xTwips(const QMouseEvent* event) { return event->position().x() * platform::twipsPerPixelX(); }
double yTwips(const QMouseEvent* event) { return event->position().y() * platform::twipsPerPixelY(); }

} // namespace

DragLabel::DragLabel(QWidget* parent, const QString& text) : Caption(parent, text) {}

void DragLabel::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(xTwips(event), yTwips(event));
}

void DragLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(xTwips(event), yTwips(event));
}

void DragLabel::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(xTwips(event), yTwips(event));
    Caption::mouseReleaseEvent(event);
}

} // namespace tarvelo
