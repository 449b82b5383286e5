#pragma once
#include "chrome/caption.h"

namespace tarvelo {

// A caption that also reports presses, moves and releases of any mouse
// button, in twips relative to itself, so that it can serve as a drag handle.
class DragLabel : public Caption {
    Q_OBJECT
public:
    DragLabel(QWidget* parent, const QString& text);

signals:
    void mousePressed(double xTwips, double yTwips);
    void mouseMoved(double xTwips, double yTwips);
    void mouseReleased(double xTwips, double yTwips);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tarvelo
