#pragma once
#include "twipswidget.h"

#include <QColor>
#include <QFont>

namespace tarvelo {

// A text label of a skinned control, with twips geometry, drawn transparent
// over the pictures behind it; reports clicks.
class Caption : public TwipsWidget {
    Q_OBJECT
public:
    Caption(QWidget* parent, const QString& text);

    QString text() const { return text_; }
    void setText(const QString& text);
    QColor color() const { return color_; }
    void setColor(const QColor& color);

    // "新宋体" at the given size, with fallbacks to the installed CJK fonts.
    static QFont uiFont(double points);

signals:
    // Left button pressed and released over the label; the second click of a
    // double-click does not count.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString text_;
    QColor color_{Qt::black};
    bool afterDoubleClick_ = false;
};

} // namespace tarvelo
