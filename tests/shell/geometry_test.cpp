#include "chrome/twipswidget.h"
#include "shell/layout.h"
#include "shell/maxbounds.h"
#include "shell/traytip.h"
#include "service/cp936.h"

#include <gtest/gtest.h>

using namespace tarvelo;

namespace {

TEST(Maxbounds, FitsTheWindowRegionAboveABottomTaskbar)
{
    const MinMaxInfo info = maxbounds(QSize(1920, 1080), 40);
    EXPECT_EQ(info.maxSize, QSize(1922, 1053));
    EXPECT_EQ(info.maxPosition, QPoint(0, 0));
    EXPECT_EQ(info.minTrackSize, QSize(0, 0));
    EXPECT_EQ(info.maxTrackSize, QSize(1922, 1053));
    // The visible part (region cut 2 px right, 12 px bottom) ends at column
    // 1920 and row 1041, right above the taskbar.
    EXPECT_EQ(cornerrgn(1922, 1053).boundingRect(), QRect(QPoint(4, 3), QPoint(1919, 1040)));
}

TEST(Maxbounds, WithoutATaskbarTheWindowGoesThirteenPixelsPastTheScreen)
{
    EXPECT_EQ(maxbounds(QSize(1280, 800), 0).maxSize, QSize(1282, 813));
}

TEST(Cornerrgn, InitialWindowKeepsFourThreeToSixNinetyThreeThreeNinetyFive)
{
    const QRegion region = cornerrgn(695, 407);
    EXPECT_EQ(region.boundingRect(), QRect(QPoint(4, 3), QPoint(692, 394)));
    // Corners are cut away, edge middles are inside.
    EXPECT_FALSE(region.contains(QPoint(4, 3)));
    EXPECT_FALSE(region.contains(QPoint(692, 394)));
    EXPECT_FALSE(region.contains(QPoint(692, 3)));
    EXPECT_FALSE(region.contains(QPoint(4, 394)));
    EXPECT_TRUE(region.contains(QPoint(4, 200)));
    EXPECT_TRUE(region.contains(QPoint(300, 3)));
    EXPECT_TRUE(region.contains(QPoint(692, 200)));
    EXPECT_TRUE(region.contains(QPoint(300, 394)));
    EXPECT_TRUE(region.contains(QPoint(6, 5)));
    EXPECT_FALSE(region.contains(QPoint(3, 200)));
    EXPECT_FALSE(region.contains(QPoint(693, 200)));
    EXPECT_FALSE(region.contains(QPoint(300, 395)));
}

// Plain controls at their initial rectangles, with the sizes the pieces keep.
struct Frame {
    TwipsWidget top11, uctop1, ucbottom1, ucright1, ucleft1, topcent1, top31, top41, top21;
    Frame()
    {
        top11.setTwipsGeometry(0, 0, 2085, 2520);
        uctop1.setTwipsGeometry(2040, -35, 1335, 1318);
        ucbottom1.setTwipsGeometry(2040, 6000, 7695, 510);
        ucright1.setTwipsGeometry(10560, 2520, 345, 1215);
        ucleft1.setTwipsGeometry(0, 2280, 2010, 735);
        topcent1.setTwipsGeometry(2040, 1200, 615, 1305);
        top31.setTwipsGeometry(0, 4200, 2085, 2325);
        top41.setTwipsGeometry(8760, 4200, 2085, 2340);
        top21.setTwipsGeometry(8760, 0, 2085, 2520);
    }
    FramePieces pieces() { return {top11, uctop1, ucbottom1, ucright1, ucleft1, topcent1, top31, top41, top21}; }
};

QRect rect(const TwipsWidget& w)
{
    return QRect(w.Left(), w.Top(), w.Width(), w.Height());
}

TEST(Layout, PiecesAtTheInitialSize)
{
    Frame f;
    layoutcorner(f.pieces(), 10425, 6105);
    EXPECT_EQ(rect(f.top31), QRect(0, 3780, 2085, 2325));
    EXPECT_EQ(rect(f.top41), QRect(8340, 3765, 2085, 2340));
    EXPECT_EQ(rect(f.top21), QRect(8340, 0, 2085, 2520));
    EXPECT_EQ(rect(f.top11), QRect(0, 0, 2085, 2520));
    EXPECT_EQ(rect(f.uctop1), QRect(2040, -35, 10425, 1318));
    EXPECT_EQ(rect(f.ucbottom1), QRect(2040, 5595, 10425, 510));
    EXPECT_EQ(rect(f.ucright1), QRect(10100, 0, 345, 6105));
    EXPECT_EQ(rect(f.ucleft1), QRect(-9, 2280, 2010, 6105));
    EXPECT_EQ(rect(f.topcent1), QRect(2075, 1183, 10425, 1305));
    EXPECT_EQ(layoutweb(f.pieces(), 10425, 6105), QRect(1920, 2290, 8280, 3477));
}

TEST(Layout, BrowserFollowsTheWindowSize)
{
    Frame f;
    layoutcorner(f.pieces(), 28830, 15795);
    EXPECT_EQ(layoutweb(f.pieces(), 28830, 15795), QRect(1920, 2290, 26685, 13167));
}

TEST(Traytip, VersionNumbersAndTheByteLimit)
{
    EXPECT_EQ(traytip(QStringLiteral("Tarvelo"), 1, 2, 2), QStringLiteral("Tarvelo(版本 1.2.2)"));
    const QString tip = traytip(QStringLiteral("海关").repeated(40), 1, 2, 2);
    const std::string bytes = service::utf8ToCp936(tip.toStdString());
    EXPECT_LE(bytes.size(), 63u);
    EXPECT_GE(bytes.size(), 62u);
    EXPECT_TRUE(tip.startsWith(QStringLiteral("海关海关")));
}

} // namespace
