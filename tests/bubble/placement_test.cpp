#include "bubble/placement.h"

#include <QTest>

using tarvelo::bubblePosition;

// Where the bubble window, 2730 × 2370 twips, goes for a screen and its work area.
class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void taskbarAtTheBottom()
    {
        // Band 16200 − 1040 × 15 = 600 twips; left (28800 − 2730 − 20) \ 15, top (16200 − 2370 − 600) \ 15.
        const QPoint p = bubblePosition({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 2730, 2370, 15, 15);
        QCOMPARE(p, QPoint(1736, 882));
        QCOMPARE(p.y() + 158, 1040); // the bottom edge touches the taskbar
    }

    void taskbarAtTheRight()
    {
        // The work area reaches the screen's bottom: the window sits on it and,
        // placed by the screen's width, overlaps the taskbar.
        const QPoint p = bubblePosition({0, 0, 1920, 1080}, {0, 0, 1860, 1080}, 2730, 2370, 15, 15);
        QCOMPARE(p, QPoint(1736, 922));
    }

    void taskbarAtTheTop()
    {
        const QPoint p = bubblePosition({0, 0, 1920, 1080}, {0, 40, 1920, 1040}, 2730, 2370, 15, 15);
        QCOMPARE(p, QPoint(1736, 922));
    }

    void twelveTwipsPerPixel()
    {
        // 120 dots per inch: band 12960 − 1040 × 12 = 480; left 20290 \ 12, top 10110 \ 12.
        const QPoint p = bubblePosition({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 2730, 2370, 12, 12);
        QCOMPARE(p, QPoint(1690, 842));
    }

    void screenBesideAnother()
    {
        const QPoint p = bubblePosition({1920, 0, 1280, 1024}, {1920, 0, 1280, 984}, 2730, 2370, 15, 15);
        QCOMPARE(p, QPoint(1920 + 1096, 826));
    }
};

QTEST_APPLESS_MAIN(PlacementTest)
#include "placement_test.moc"
