#include "framepieces.h"

#include "picture.h"

#include "assets/skin.h"

namespace tarvelo {
namespace {

// Sizes of the pieces' picture elements, in twips.
namespace element {
constexpr QSize top1(2085, 2520);
constexpr QSize top3(2085, 2325);
constexpr QSize top4(2085, 2340);
constexpr QSize lefttext(1680, 2985);
constexpr QSize ucleft(2010, 555);
constexpr QSize ucright(345, 525);
constexpr QSize ucbottom(630, 510);
constexpr QSize topcent(570, 1305);
} // namespace element

Picture* pieceElement(QWidget* parent, const QString& resource, bool stretch, QSize size)
{
    auto* picture = new Picture(parent, resource, stretch);
    picture->setTwipsGeometry(0, 0, size.width(), size.height());
    return picture;
}

} // namespace

FixedPiece::FixedPiece(QWidget* parent, const QString& resource, bool stretch, QSize elementTwips)
    : TwipsWidget(parent), picture(pieceElement(this, resource, stretch, elementTwips))
{
    runResizeRule();
}

void FixedPiece::resizeTwips()
{
    setWidth(picture->Width());
    setHeight(picture->Height());
}

top1::top1(QWidget* parent) : FixedPiece(parent, skin::cornerTopLeft, false, element::top1) {}
top3::top3(QWidget* parent) : FixedPiece(parent, skin::cornerBottomLeft, true, element::top3) {}
top4::top4(QWidget* parent) : FixedPiece(parent, skin::cornerBottomRight, true, element::top4) {}
lefttext::lefttext(QWidget* parent)
    : FixedPiece(parent, skin::leftPicture, false, element::lefttext)
{
}

SideStrip::SideStrip(QWidget* parent, const QString& resource, QSize elementTwips)
    : TwipsWidget(parent), picture(pieceElement(this, resource, true, elementTwips))
{
    runResizeRule();
}

void SideStrip::resizeTwips()
{
    setWidth(picture->Width());
    picture->setHeight(Height());
}

ucleft::ucleft(QWidget* parent) : SideStrip(parent, skin::edgeLeft, element::ucleft) {}

ucright::ucright(QWidget* parent) : SideStrip(parent, skin::edgeRight, element::ucright) {}

void ucright::mrefresh()
{
    update();
}

void ucright::resizeTwips()
{
    SideStrip::resizeTwips();
    mrefresh();
}

BandStrip::BandStrip(QWidget* parent, const QString& resource, QSize elementTwips)
    : TwipsWidget(parent), picture(pieceElement(this, resource, true, elementTwips))
{
    runResizeRule();
}

void BandStrip::resizeTwips()
{
    picture->setWidth(Width());
    setHeight(picture->Height());
}

ucbottom::ucbottom(QWidget* parent) : BandStrip(parent, skin::edgeBottom, element::ucbottom) {}
topcent::topcent(QWidget* parent) : BandStrip(parent, skin::band, element::topcent) {}

} // namespace tarvelo
