#include "top2.h"

#include "caption.h"
#include "mainwindowhost.h"
#include "picture.h"
#include "assets/skin.h"
#include "platform/messagebox.h"
#include "platform/processexit.h"
#include "platform/qt/hubapi.h"

#include <QColor>

#include <string_view>

namespace tarvelo {
namespace {

// Places and sizes of the title bar's elements, in twips relative to the bar.
namespace place {
constexpr int pieceWidth = 2085;
constexpr int pieceHeight = 2520;
constexpr int buttonTop = 45;
constexpr int buttonHeight = 285;
constexpr int minimiseWidth = 465;
constexpr int maximiseWidth = 450;
constexpr int closeWidth = 615;
// Distances that place the buttons from the right edge.
constexpr int closeMargin = 180;
constexpr int maximiseMargin = 155;
constexpr int minimiseMargin = 140;
constexpr int homeTop = 580;
constexpr int homeSelectedTop = 615;
constexpr int homeWidth = 1500;
constexpr int homeHeight = 525;
constexpr int homeCaptionIndent = 340;
constexpr int homeCaptionTop = 800;
constexpr int homeCaptionWidth = 975;
constexpr int homeCaptionHeight = 255;
} // namespace place

const QColor homeColor(0, 0, 192);

constexpr std::string_view exitQuestion = "  你确定要退出 Tarvelo 软件吗？  ";
constexpr std::string_view exitCaption = "退出Tarvelo";

Picture* button(QWidget* parent, const char* name, const QString& resource, int width)
{
    auto* picture = new Picture(parent, resource);
    picture->setObjectName(QLatin1String(name));
    picture->setTwipsGeometry(0, place::buttonTop, width, place::buttonHeight);
    return picture;
}

} // namespace

top2::top2(QWidget* parent, HubApi& hub, MainWindowHost& host)
    : TwipsWidget(parent), hub_(hub), host_(host)
{
    // Created back to front: a later child is drawn over an earlier one.
    ptop2 = new Picture(this, skin::titleBackground);
    ptop2->setObjectName(QStringLiteral("ptop2"));
    ptop2->setTwipsGeometry(0, 0, place::pieceWidth, place::pieceHeight);
    iclose_1 = button(this, "iclose_1", skin::closeButton, place::closeWidth);
    imix_1 = button(this, "imix_1", skin::maximiseButton, place::maximiseWidth);
    imin_1 = button(this, "imin_1", skin::minimiseButton, place::minimiseWidth);
    iclose = button(this, "iclose", skin::closeButtonHover, place::closeWidth);
    imix = button(this, "imix", skin::maximiseButtonHover, place::maximiseWidth);
    imin = button(this, "imin", skin::minimiseButtonHover, place::minimiseWidth);
    txtn4 = new Caption(this, QStringLiteral("返回主页"));
    txtn4->setTwipsGeometry(place::homeCaptionIndent, place::homeCaptionTop,
                            place::homeCaptionWidth, place::homeCaptionHeight);
    txtn4->setObjectName(QStringLiteral("txtn4"));
    txtn4->setColor(homeColor);
    Image4_1 = new Picture(this, skin::tabSelected);
    Image4_1->setObjectName(QStringLiteral("Image4_1"));
    Image4_1->setTwipsGeometry(0, place::homeSelectedTop, place::homeWidth, place::homeHeight);
    Image4 = new Picture(this, skin::tabNormal);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setTwipsGeometry(0, place::homeTop, place::homeWidth, place::homeHeight);
    imix_2 = button(this, "imix_2", skin::restoreButton, place::maximiseWidth);
    imix_3 = button(this, "imix_3", skin::restoreButtonHover, place::maximiseWidth);

    connect(imin, &Picture::clicked, this, &top2::minimiseClicked);
    connect(imix, &Picture::clicked, this, &top2::maximiseClicked);
    connect(imix_3, &Picture::clicked, this, &top2::maximiseClicked);
    connect(iclose, &Picture::clicked, this, &top2::closeClicked);
    connect(Image4, &Picture::clicked, this, &top2::homeClicked);
    connect(txtn4, &Caption::clicked, this, &top2::homeClicked);
    connect(imin_1, &Picture::mouseMoved, this, &top2::hoverMinimise);
    connect(imix_1, &Picture::mouseMoved, this, &top2::hoverMaximise);
    connect(iclose_1, &Picture::mouseMoved, this, &top2::hoverClose);
    connect(imix_2, &Picture::mouseMoved, this, [this] { imixshow(false, true); });
    connect(ptop2, &Picture::mouseMoved, this, &top2::hoverBackground);

    // Initialisation.
    setTwipsGeometry(0, 0, ptop2->Width(), ptop2->Height());
    imin->hide();
    imix->hide();
    iclose->hide();
    image4n(true, false, true);
}

void top2::setExitSeams(platform::MessageBox& messageBox, platform::ProcessExit& processExit)
{
    messageBox_ = &messageBox;
    processExit_ = &processExit;
}

void top2::image4n(bool fale1, bool fale2, bool fale3)
{
    Image4->setLeft(Image4_1->Left());
    txtn4->setLeft(Image4->Left() + place::homeCaptionIndent);
    Image4->setVisible(fale1);
    Image4_1->setVisible(fale2);
    txtn4->setVisible(fale3);
    txtn4->setTop(place::homeCaptionTop);
    txtn4->raise();
}

void top2::mrefresh()
{
    update();
}

void top2::resizeTwips()
{
    setWidth(ptop2->Width());
    setHeight(ptop2->Height());
    ptop2->setTop(0);
    ptop2->setLeft(Width() - ptop2->Width());
    const int w = Width();
    for (Picture* normal : {imin_1, imix_1, iclose_1})
        normal->setTop(place::buttonTop);
    iclose_1->setLeft(w - iclose_1->Width() - place::closeMargin);
    imix_1->setLeft(w - iclose_1->Width() - place::maximiseMargin - imix_1->Width());
    imin_1->setLeft(w - iclose_1->Width() - place::minimiseMargin - imix_1->Width() - imin_1->Width());
    for (auto [hover, normal] : {std::pair{imin, imin_1}, {imix, imix_1}, {iclose, iclose_1}}) {
        hover->setTop(normal->Top());
        hover->setLeft(normal->Left());
    }
    for (Picture* restore : {imix_2, imix_3}) {
        restore->setLeft(imix_1->Left());
        restore->setTop(place::buttonTop);
        restore->hide();
    }
}

void top2::imixshow(bool normal, bool hover)
{
    if (host_.windowState() == WindowState::Maximized) {
        imix->hide();
        imix_1->hide();
        imix_2->setVisible(normal);
        imix_3->setVisible(hover);
    } else {
        imix_2->hide();
        imix_3->hide();
        imix_1->setVisible(normal);
        imix->setVisible(hover);
    }
}

void top2::minimiseClicked()
{
    host_.hideWindow();
    imin->hide();
    imin_1->show();
}

void top2::maximiseClicked()
{
    runResizeRule();
    if (host_.windowState() == WindowState::Maximized) {
        host_.setWindowState(WindowState::Normal);
        imix->hide();
        imix_2->hide();
        imix_1->show();
    } else {
        host_.setWindowState(WindowState::Maximized);
        imix->hide();
        imix_2->show();
        imix_1->hide();
    }
    imix_3->hide();
}

void top2::closeClicked()
{
    if (!messageBox_ || !processExit_)
        return;
    if (messageBox_->show(exitQuestion, exitCaption, platform::Buttons::OkCancel) != platform::Choice::Ok)
        return;
    hub_.deltubiao();
    processExit_->exitNow(0);
}

void top2::homeClicked()
{
    image4n(false, true, true);
    hub_.mdefaut();
    host_.qhno();
}

void top2::hoverMinimise()
{
    for (Picture* shown : {imin, imix_1, iclose_1})
        shown->show();
    for (Picture* hidden : {imix, iclose, imix_3, imin_1})
        hidden->hide();
    imixshow(true, false);
}

void top2::hoverMaximise()
{
    for (Picture* shown : {imix, imin_1, iclose_1})
        shown->show();
    for (Picture* hidden : {imin, iclose, imix_1})
        hidden->hide();
}

void top2::hoverClose()
{
    iclose->show();
    iclose_1->hide();
    imixshow(true, false);
}

void top2::hoverBackground()
{
    for (Picture* shown : {imin_1, imix_1, iclose_1})
        shown->show();
    for (Picture* hidden : {imin, imix, iclose})
        hidden->hide();
    imixshow(true, false);
}

} // namespace tarvelo
