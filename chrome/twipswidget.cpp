#include "twipswidget.h"

#include "platform/qt/twips.h"

namespace tarvelo {

TwipsWidget::TwipsWidget(QWidget* parent) : QWidget(parent) {}

void TwipsWidget::setLeft(int twips)
{
    left_ = twips;
    apply();
}

void TwipsWidget::setTop(int twips)
{
    top_ = twips;
    apply();
}

void TwipsWidget::setWidth(int twips)
{
    width_ = twips;
    sizeChanged();
}

void TwipsWidget::setHeight(int twips)
{
    height_ = twips;
    sizeChanged();
}

void TwipsWidget::setTwipsGeometry(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    sizeChanged();
}

void TwipsWidget::apply()
{
    using namespace platform;
    setGeometry(pixelsX(left_), pixelsY(top_), pixelsX(width_), pixelsY(height_));
}

void TwipsWidget::sizeChanged()
{
    apply();
    runResizeRule();
}

void TwipsWidget::runResizeRule()
{
    // A resize rule that sets the size again must not recurse.
    if (inResize_)
        return;
    inResize_ = true;
    resizeTwips();
    inResize_ = false;
}

} // namespace tarvelo
