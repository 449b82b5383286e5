#pragma once
#include "twipswidget.h"

#include <QPixmap>

namespace tarvelo {

// A picture element of a skinned control: draws its pixmap stretched to its
// size (or at its own size when not stretched) and reports mouse events.
class Picture : public TwipsWidget {
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& resource, bool stretch = true);

    const QPixmap& pixmap() const { return pixmap_; }
    // Width and height of the picture itself, in twips.
    int pictureWidth() const;
    int pictureHeight() const;

signals:
    // Left button pressed and released over the element; the second click of
    // a double-click reports doubleClicked instead.
    void clicked();
    void doubleClicked();
    // Mouse position relative to the element, in twips.
    void mousePressed(double xTwips, double yTwips);
    void mouseMoved(double xTwips, double yTwips);
    void mouseReleased(double xTwips, double yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
    bool stretch_;
    bool afterDoubleClick_ = false;
};

} // namespace tarvelo
