#include "chrome/caption.h"
#include "chrome/picture.h"
#include "chrome/uctop.h"
#include "platform/qt/twips.h"
#include "rig.h"

#include <QTest>

#include <cmath>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

const QColor navy(0, 0, 128);
const QColor grey(128, 128, 128);

struct TabBar : Rig {
    uctop* bar = nullptr;
    TabBar()
    {
        bar = new uctop(&window, hub, host);
        bar->setTwipsGeometry(2040, -35, 1335, 1320);
        bar->setWidth(10425);
    }
    Picture* picture(const QString& name) const { return bar->findChild<Picture*>(name); }
    Caption* caption(const QString& name) const { return bar->findChild<Caption*>(name); }
    Picture* tab(int i) const { return picture(QStringLiteral("Image3_%1").arg(i)); }
    Caption* tabCaption(int i) const { return caption(QStringLiteral("txtn_%1").arg(i)); }
    Picture* selected() const { return picture(QStringLiteral("Image2_0")); }
    Picture* background() const { return picture(QStringLiteral("Image1")); }
    // The tab shown as selected, or -1.
    int highlighted() const
    {
        if (!shown(selected()))
            return -1;
        int found = -1;
        for (int i = 0; i < 4; ++i) {
            if (!shown(tab(i))) {
                if (found != -1)
                    return -2;
                found = i;
            }
        }
        if (found >= 0 && selected()->Left() != tab(found)->Left())
            return -3;
        for (int i = 0; i < 4; ++i) {
            if (tabCaption(i)->color() != (i == found ? grey : navy))
                return -4;
        }
        return found;
    }
};

} // namespace

class UctopTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithCommodityHighlighted()
    {
        TabBar t;
        QCOMPARE(t.log, QStringList{QStringLiteral("currentCategory 1")});
        QCOMPARE(t.hub.category, 1);
        QCOMPARE(t.highlighted(), 1);
        QCOMPARE(t.selected()->Top(), 645);
        for (const char* name : {"Image4", "Image4_1"})
            QVERIFY(!shown(t.picture(QLatin1String(name))));
        QVERIFY(!shown(t.caption(QStringLiteral("txtn4"))));
    }

    void stacksSelectedTabAndCaptionInFront()
    {
        TabBar t;
        QCOMPARE(stacking(t.bar),
                 QStringList({"Image1", "Image3_0", "Image3_1", "Image3_2", "Image3_3", "txtn_0", "txtn_2",
                              "txtn_3", "Image4", "Image4_1", "txtn4", "Image2_0", "txtn_1"}));
    }

    void placesTabsAndCaptions()
    {
        TabBar t;
        const int lefts[] = {120, 1640, 3160, 4680};
        const QString captions[] = {QStringLiteral("法规政策"), QStringLiteral("商品编码"),
                                    QStringLiteral("海关税则"), QStringLiteral("出口退税")};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(t.tab(i)->Left(), lefts[i]);
            QCOMPARE(t.tab(i)->Top(), 615);
            QCOMPARE(t.tab(i)->Width(), 1500);
            QCOMPARE(t.tab(i)->Height(), 525);
            QCOMPARE(t.tabCaption(i)->Left(), lefts[i] + 340);
            QCOMPARE(t.tabCaption(i)->Top(), 810);
            QCOMPARE(t.tabCaption(i)->text(), captions[i]);
        }
        QCOMPARE(t.picture(QStringLiteral("Image4"))->Left(), 6400);
        QCOMPARE(t.picture(QStringLiteral("Image4"))->Top(), 615);
        QCOMPARE(t.picture(QStringLiteral("Image4_1"))->Top(), 645);
        QCOMPARE(t.caption(QStringLiteral("txtn4"))->Left(), 6740);
        QCOMPARE(t.caption(QStringLiteral("txtn4"))->color(), QColor(0, 0, 192));
    }

    void keepsItsHeightAndStretchesTheStrip()
    {
        TabBar t;
        QCOMPARE(t.bar->Height(), 1318);
        QCOMPARE(t.bar->Width(), 10425);
        QCOMPARE(t.background()->Width(), 10425);
        t.bar->setHeight(400);
        QCOMPARE(t.bar->Height(), 1318);
        QCOMPARE(t.background()->Height(), 1320);
    }

    void tabClickRunsTheFiveStepsInOrder()
    {
        TabBar t;
        QVERIFY(t.show());
        t.hub.texts[2] = QStringLiteral("steel");
        t.host.text = QStringLiteral("typed under commodity");
        int highlightedAtImage4n = -9;
        t.host.onImage4n = [&] { highlightedAtImage4n = t.highlighted(); };
        t.log.clear();
        QTest::mouseClick(t.tabCaption(2), Qt::LeftButton);
        QCOMPARE(t.log, (QStringList{QStringLiteral("currentCategory 2"),
                                     QStringLiteral("GetText1 2 (current 2)"),
                                     QStringLiteral("host image4n"), QStringLiteral("mainqh 2")}));
        QCOMPARE(highlightedAtImage4n, 2);
        QCOMPARE(t.host.text, QStringLiteral("steel"));
        QCOMPARE(t.highlighted(), 2);
    }

    void tabPictureClickIsATabClick()
    {
        TabBar t;
        QVERIFY(t.show());
        t.log.clear();
        QTest::mouseClick(t.tab(0), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(t.log, (QStringList{QStringLiteral("currentCategory 0"),
                                     QStringLiteral("GetText1 0 (current 0)"),
                                     QStringLiteral("host image4n"), QStringLiteral("mainqh 0")}));
        QCOMPARE(t.host.text, placeholders::law);
        QCOMPARE(t.highlighted(), 0);
    }

    void selectedTabReactsOnlyToItsCaption()
    {
        TabBar t;
        QVERIFY(t.show());
        t.log.clear();
        QTest::mouseClick(t.selected(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(t.log.isEmpty());
        QTest::mouseClick(t.tabCaption(1), Qt::LeftButton);
        QCOMPARE(t.log.size(), 4);
        QCOMPARE(t.log.last(), QStringLiteral("mainqh 1"));
    }

    void rightClickAndDoubleClickCountOnce()
    {
        TabBar t;
        QVERIFY(t.show());
        t.log.clear();
        QTest::mouseClick(t.tabCaption(3), Qt::RightButton);
        QVERIFY(t.log.isEmpty());
        doubleClick(t.tabCaption(3));
        QCOMPARE(t.log.count(QStringLiteral("mainqh 3")), 1);
    }

    void homeClickKeepsTheHighlight()
    {
        TabBar t;
        QVERIFY(t.show());
        t.bar->image4n(true, false, true);
        Picture* home = t.picture(QStringLiteral("Image4"));
        QVERIFY(shown(home));
        t.log.clear();
        QTest::mouseClick(home, Qt::LeftButton);
        QCOMPARE(t.log, QStringList{QStringLiteral("mdefaut")});
        QVERIFY(!shown(home));
        QVERIFY(shown(t.picture(QStringLiteral("Image4_1"))));
        QVERIFY(shown(t.caption(QStringLiteral("txtn4"))));
        QCOMPARE(t.highlighted(), 1);

        t.log.clear();
        QTest::mouseClick(t.caption(QStringLiteral("txtn4")), Qt::LeftButton);
        QCOMPARE(t.log, QStringList{QStringLiteral("mdefaut")});
    }

    void qhnoRemovesTheHighlight()
    {
        TabBar t;
        t.bar->qhno();
        QCOMPARE(t.highlighted(), -1);
        t.bar->qh(3);
        QCOMPARE(t.highlighted(), 3);
    }

    void dragMovesTheWindow()
    {
        TabBar t;
        QVERIFY(t.show());
        Picture* strip = t.background();
        t.log.clear();
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(100, 10));
        QTest::mouseMove(strip, QPoint(110, 15));
        const int dx = static_cast<int>(std::lround(10 * platform::twipsPerPixelX()));
        const int dy = static_cast<int>(std::lround(5 * platform::twipsPerPixelY()));
        QCOMPARE(t.host.position, QPoint(3000 + dx, 2000 + dy));
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(110, 15));
        t.log.clear();
        QTest::mouseMove(strip, QPoint(130, 20));
        QVERIFY(t.log.isEmpty());
    }

    void dragWithAnyButton()
    {
        TabBar t;
        QVERIFY(t.show());
        QTest::mousePress(t.background(), Qt::RightButton, {}, QPoint(100, 10));
        QTest::mouseMove(t.background(), QPoint(90, 10));
        QCOMPARE(t.host.position.y(), 2000);
        QVERIFY(t.host.position.x() < 3000);
        QTest::mouseRelease(t.background(), Qt::RightButton, {}, QPoint(90, 10));
    }

    void dragIgnoredWhileMaximised()
    {
        TabBar t;
        QVERIFY(t.show());
        t.host.state = WindowState::Maximized;
        Picture* strip = t.background();
        t.log.clear();
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(100, 10));
        QTest::mouseMove(strip, QPoint(150, 30));
        QVERIFY(t.log.isEmpty());
        // The drag has ended: back in the normal state the same press moves nothing.
        t.host.state = WindowState::Normal;
        QTest::mouseMove(strip, QPoint(160, 30));
        QVERIFY(t.log.isEmpty());
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(160, 30));
    }

    void dragStartIsRoundedHalfToEven()
    {
        TabBar t;
        Picture* strip = t.background();
        emit strip->mousePressed(7.25, 2.5);
        emit strip->mouseMoved(7.25, 2.0);
        QCOMPARE(t.host.position, QPoint(3000, 2000));
        emit strip->mousePressed(7.25, 3.5);
        emit strip->mouseMoved(7.25, 4.0);
        QCOMPARE(t.host.position, QPoint(3000, 2000));
        emit strip->mouseMoved(8.25, 14.0);
        QCOMPARE(t.host.position, QPoint(3001, 2010));
    }

    void doubleClickTogglesMaximised()
    {
        TabBar t;
        QVERIFY(t.show());
        t.log.clear();
        doubleClick(t.background(), QPoint(100, 10));
        QCOMPARE(t.host.state, WindowState::Maximized);
        doubleClick(t.background(), QPoint(100, 10));
        QCOMPARE(t.host.state, WindowState::Normal);
        t.host.state = WindowState::Minimized;
        doubleClick(t.background(), QPoint(100, 10));
        QCOMPARE(t.host.state, WindowState::Normal);
        QVERIFY(t.log.filter(QStringLiteral("move")).isEmpty());
    }
};

int runUctopTests(int argc, char** argv)
{
    UctopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_uctop.moc"
