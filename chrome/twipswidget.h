#pragma once
#include <QWidget>

namespace tarvelo {

// A child control whose geometry is kept in twips, the unit of the window
// layout. Setting a coordinate moves the widget to the matching pixels and,
// for a size change, runs the control's own resize rule, which may change
// the size again (pieces that keep their picture's size do).
class TwipsWidget : public QWidget {
    Q_OBJECT
public:
    explicit TwipsWidget(QWidget* parent = nullptr);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void setTwipsGeometry(int left, int top, int width, int height);

protected:
    // The control's resize rule; runs after every change of its size.
    virtual void resizeTwips() {}
    // Runs the resize rule now, unless it is running already.
    void runResizeRule();

private:
    void apply();
    void sizeChanged();

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool inResize_ = false;
};

} // namespace tarvelo
