#include "uctop.h"

#include "caption.h"
#include "mainwindowhost.h"
#include "picture.h"
#include "assets/skin.h"
#include "platform/qt/hubapi.h"

#include <QColor>

#include <cmath>

namespace tarvelo {
namespace {

// Places of the tab bar's elements, in twips relative to the bar.
namespace place {
constexpr int stripWidth = 1335; // until the main window sets the bar's width
constexpr int stripHeight = 1320;
constexpr int barHeightTrim = 2; // the bar is this much lower than its strip
constexpr int tabTop = 615;
constexpr int selectedTop = 645;
constexpr int tabWidth = 1500;
constexpr int tabHeight = 525;
constexpr int firstTabLeft = 120;
constexpr int tabGap = 20;
constexpr int captionTop = 810;
constexpr int captionIndent = 340;
constexpr int captionWidth = 840;
constexpr int captionHeight = 210;
constexpr int homeLeft = 6400;
constexpr int homeCaptionWidth = 975;
constexpr int homeCaptionHeight = 255;
} // namespace place

const QColor unselectedColor(0, 0, 128);
const QColor selectedColor(128, 128, 128);
const QColor homeColor(0, 0, 192);

const std::array<QString, 4> tabCaptions = {
    QStringLiteral("法规政策"), QStringLiteral("商品编码"),
    QStringLiteral("海关税则"), QStringLiteral("出口退税")};

} // namespace

uctop::uctop(QWidget* parent, HubApi& hub, MainWindowHost& host)
    : TwipsWidget(parent), hub_(hub), host_(host)
{
    // Created back to front: a later child is drawn over an earlier one.
    Image1 = new Picture(this, skin::tabBarBackground);
    Image1->setTwipsGeometry(0, 0, place::stripWidth, place::stripHeight);
    Image2_0 = new Picture(this, skin::tabSelected);
    Image2_0->setTwipsGeometry(0, place::selectedTop, place::tabWidth, place::tabHeight);
    // The tabs and their captions get their places in the initialisation below.
    for (auto& tab : Image3) {
        tab = new Picture(this, skin::tabNormal);
        tab->setTwipsGeometry(0, 0, place::tabWidth, place::tabHeight);
    }
    for (size_t i = 0; i < txtn.size(); ++i) {
        txtn[i] = new Caption(this, tabCaptions[i]);
        txtn[i]->setTwipsGeometry(0, 0, place::captionWidth, place::captionHeight);
    }
    Image4 = new Picture(this, skin::tabNormal);
    Image4->setTwipsGeometry(place::homeLeft, place::tabTop, place::tabWidth, place::tabHeight);
    Image4_1 = new Picture(this, skin::tabSelected);
    Image4_1->setTwipsGeometry(place::homeLeft, place::selectedTop, place::tabWidth, place::tabHeight);
    txtn4 = new Caption(this, QStringLiteral("返回主页"));
    txtn4->setTwipsGeometry(0, place::captionTop, place::homeCaptionWidth, place::homeCaptionHeight);
    txtn4->setColor(homeColor);

    for (size_t i = 0; i < Image3.size(); ++i) {
        const auto index = static_cast<int16_t>(i);
        connect(Image3[i], &Picture::clicked, this, [this, index] { tabClicked(index); });
        connect(txtn[i], &Caption::clicked, this, [this, index] { tabClicked(index); });
    }
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2_0->setObjectName(QStringLiteral("Image2_0"));
    for (size_t i = 0; i < Image3.size(); ++i) {
        Image3[i]->setObjectName(QStringLiteral("Image3_%1").arg(i));
        txtn[i]->setObjectName(QStringLiteral("txtn_%1").arg(i));
    }
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4_1->setObjectName(QStringLiteral("Image4_1"));
    txtn4->setObjectName(QStringLiteral("txtn4"));

    connect(Image4, &Picture::clicked, this, &uctop::homeClicked);
    connect(txtn4, &Caption::clicked, this, &uctop::homeClicked);
    connect(Image1, &Picture::mousePressed, this, &uctop::backgroundPressed);
    connect(Image1, &Picture::mouseMoved, this, &uctop::backgroundMoved);
    connect(Image1, &Picture::mouseReleased, this, [this] { dragging_ = false; });
    connect(Image1, &Picture::doubleClicked, this, &uctop::backgroundDoubleClicked);

    // Initialisation.
    setTwipsGeometry(0, 0, Image1->Width(), Image1->Height() - place::barHeightTrim);
    for (size_t i = 0; i < Image3.size(); ++i) {
        Image3[i]->setTop(place::tabTop);
        txtn[i]->setTop(place::captionTop);
        Image3[i]->setLeft(i == 0 ? place::firstTabLeft
                                  : Image3[i - 1]->Left() + Image3[i - 1]->Width() + place::tabGap);
        txtn[i]->setLeft(Image3[i]->Left() + place::captionIndent);
        txtn[i]->setColor(unselectedColor);
    }
    Image2_0->setLeft(Image3[0]->Left());
    qh(1);
    hub_.setCurrentCategory(1);
    Image4->setTop(place::tabTop);
    Image4_1->setTop(place::selectedTop);
    txtn4->setTop(place::captionTop);
    txtn4->setLeft(Image4->Left() + place::captionIndent);
    Image4_1->hide();
    Image4->hide();
    txtn4->hide();
}

void uctop::qh(int16_t index)
{
    if (index < 0 || index >= static_cast<int16_t>(Image3.size()))
        return;
    for (size_t i = 0; i < Image3.size(); ++i) {
        Image3[i]->show();
        txtn[i]->setColor(unselectedColor);
    }
    Image2_0->setLeft(Image3[index]->Left());
    Image3[index]->hide();
    Image2_0->show();
    Image2_0->raise();
    txtn[index]->setColor(selectedColor);
    txtn[index]->raise();
}

void uctop::qhno()
{
    for (size_t i = 0; i < Image3.size(); ++i) {
        Image3[i]->show();
        txtn[i]->setColor(unselectedColor);
    }
    Image2_0->hide();
}

void uctop::image4n(bool fale1, bool fale2, bool fale3)
{
    Image4->setVisible(fale1);
    Image4_1->setVisible(fale2);
    txtn4->setVisible(fale3);
    txtn4->raise();
}

void uctop::resizeTwips()
{
    Image1->setWidth(Width());
    setHeight(Image1->Height() - place::barHeightTrim);
}

void uctop::tabClicked(int16_t index)
{
    hub_.setCurrentCategory(index);
    hub_.GetText1(index);
    qh(index);
    host_.image4n();
    hub_.mainqh(index);
}

void uctop::homeClicked()
{
    image4n(false, true, true);
    hub_.mdefaut();
}

void uctop::backgroundPressed(double x, double y)
{
    dragging_ = true;
    dragX_ = static_cast<float>(Image1->Left() + x);
    // The default rounding mode rounds halves to the even neighbour.
    dragY_ = static_cast<int16_t>(std::lrint(Image1->Top() + y));
}

void uctop::backgroundMoved(double x, double y)
{
    if (host_.windowState() == WindowState::Maximized)
        dragging_ = false;
    if (!dragging_)
        return;
    const QPoint at = host_.positionTwips();
    const double left = at.x() - (dragX_ - (Image1->Left() + x));
    const double top = at.y() - (dragY_ - (Image1->Top() + y));
    host_.moveTwips(QPoint(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top))));
}

void uctop::backgroundDoubleClicked()
{
    host_.setWindowState(host_.windowState() == WindowState::Normal ? WindowState::Maximized
                                                                    : WindowState::Normal);
}

} // namespace tarvelo
