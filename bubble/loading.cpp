#include "loading.h"

#include "assets/skin.h"
#include "bubblehost.h"
#include "chrome/picture.h"
#include "desktop.h"
#include "draglabel.h"
#include "placement.h"
#include "platform/qt/twips.h"
#include "platform/browsercontrol.h"

#include <QCloseEvent>
#include <QColor>
#include <QCoreApplication>
#include <QRegion>
#include <QThread>
#include <QTimer>

#include <cmath>

namespace tarvelo {

loading::loading(BubbleHost& host, const Desktop& desktop)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      host_(host),
      desktop_(desktop)
{
    setObjectName(QStringLiteral("loading"));
    setWindowTitle(QStringLiteral("数"));

    // Created back to front.
    Image1 = new Picture(this, skin::bubbleBackground);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setTwipsGeometry(0, 0, 2730, 2370);
    Image2 = new Picture(this, skin::bubbleTitle);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setTwipsGeometry(0, 0, 2295, 260);
    Image3 = new Picture(this, skin::bubbleClose);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setTwipsGeometry(2220, 0, 480, 225);
    Label1 = new DragLabel(this, QStringLiteral("中国Veloria"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTwipsGeometry(120, 30, 2055, 255);
    Label1->setFont(Caption::uiFont(9));
    Label1->setColor(QColor(0, 0, 128));
    browser_ = new platform::WebBrowser(this);
    browser_->setObjectName(QStringLiteral("WebBrowser1"));
    browser_->setGeometry(platform::pixelsX(75), platform::pixelsY(315), platform::pixelsX(2535),
                          platform::pixelsY(1935));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer1, &QTimer::timeout, this, &loading::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &loading::Timer2_Timer);

    connect(Image3, &Picture::clicked, this, &loading::Image3_Click);
    connect(Image2, &Picture::mousePressed, this, &loading::dragMouseDown);
    connect(Image2, &Picture::mouseMoved, this, &loading::dragMouseMove);
    connect(Image2, &Picture::mouseReleased, this, &loading::dragMouseUp);
    connect(Label1, &DragLabel::mousePressed, this, &loading::dragMouseDown);
    connect(Label1, &DragLabel::mouseMoved, this, &loading::dragMouseMove);
    connect(Label1, &DragLabel::mouseReleased, this, &loading::dragMouseUp);

    // The window has the size of its background picture.
    widthTwips_ = Image1->Width();
    heightTwips_ = Image1->Height();
    setFixedSize(platform::pixelsX(widthTwips_), platform::pixelsY(heightTwips_));
}

platform::WebBrowser& loading::WebBrowser1()
{
    Load();
    return *browser_;
}

void loading::Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    // A window loaded anew starts opaque.
    setWindowOpacity(1.0);

    QThread::msleep(20);
    host_.setTimerEnabled(false);
    // Normally finds the content unchanged: its fingerprint was stored just
    // before the window was touched.
    host_.mmaopao();

    revealStep_ = 10;
    fadeDelay_ = 10;
    Timer1->start(10);
    autoCloseSeconds_ = 20;

    place();

    revealEdge_ = static_cast<int16_t>(height() - 1);
    setRevealRegion();
}

void loading::place()
{
    move(bubblePosition(desktop_.screen(), desktop_.workArea(), widthTwips_, heightTwips_,
                        platform::twipsPerPixelX(), platform::twipsPerPixelY()));
    raise();
}

void loading::setRevealRegion()
{
    if (revealEdge_ <= 0)
        setMask(QRegion(rect()));
    else
        setMask(QRegion(0, revealEdge_, width(), height() - revealEdge_));
    // The window system does not always ask for the newly uncovered rows to
    // be painted; paint the whole window each time the band grows.
    update();
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}

void loading::Timer1_Timer()
{
    revealEdge_ = static_cast<int16_t>(revealEdge_ - revealStep_);
    if (revealEdge_ <= 0) {
        Timer1->stop();
        if (autoCloseSeconds_ != 0) {
            closeCount_ = 0;
            Timer2->start(1000);
        }
    }
    setRevealRegion();
}

void loading::Timer2_Timer()
{
    ++closeCount_;
    if (closeCount_ >= autoCloseSeconds_) {
        Timer2->stop();
        closeCount_ = 0;
        Unload();
    }
}

void loading::Image3_Click()
{
    Unload();
}

void loading::dragMouseDown(double x, double y)
{
    dragX_ = static_cast<float>(x);
    dragY_ = static_cast<int16_t>(std::lrint(y));
    dragging_ = -1;
}

void loading::dragMouseMove(double x, double y)
{
    if (dragging_ != -1)
        return;
    const double left = pos().x() * platform::twipsPerPixelX() - (dragX_ - x);
    const double top = pos().y() * platform::twipsPerPixelY() - (dragY_ - y);
    move(static_cast<int>(std::lround(left / platform::twipsPerPixelX())),
         static_cast<int>(std::lround(top / platform::twipsPerPixelY())));
}

void loading::dragMouseUp()
{
    dragging_ = 0;
}

void loading::Unload()
{
    close();
}

void loading::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void loading::Form_Unload()
{
    if (!loaded_)
        return;
    // The reveal and the countdown end with the window: it fades out as it is.
    Timer1->stop();
    Timer2->stop();
    host_.setTimerEnabled(true);
    fadeout();
    clearMask();
    loaded_ = false;
}

void loading::fadeout()
{
    for (int alpha = 255; alpha >= 10; alpha -= 10) {
        setWindowOpacity(alpha / 255.0);
        QCoreApplication::processEvents();
        QThread::msleep(static_cast<unsigned long>(fadeDelay_));
    }
}

} // namespace tarvelo
