#include "chrome/caption.h"
#include "chrome/picture.h"
#include "chrome/top2.h"
#include "rig.h"

#include <QTest>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct TitleBar : Rig {
    RecordingMessageBox box{log};
    RecordingExit exit{log};
    top2* bar = nullptr;
    TitleBar()
    {
        bar = new top2(&window, hub, host);
        bar->setTwipsGeometry(8760, 0, 2085, 2520);
        bar->setExitSeams(box, exit);
    }
    Picture* p(const char* name) const { return bar->findChild<Picture*>(QLatin1String(name)); }
    // Names of the window-button pictures now shown.
    QStringList looks() const
    {
        QStringList names;
        for (const char* name : {"imin", "imin_1", "imix", "imix_1", "imix_2", "imix_3", "iclose", "iclose_1"})
            if (shown(p(name)))
                names << QLatin1String(name);
        return names;
    }
    void hover(const char* name) const { testing::hover(p(name)); }
    void click(const char* name) const { QTest::mouseClick(p(name), Qt::LeftButton, {}, QPoint(3, 3)); }
};

QStringList names(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* name : list)
        result << QLatin1String(name);
    return result;
}

} // namespace

class Top2Test : public QObject {
    Q_OBJECT
private slots:
    void startsInNormalLooks()
    {
        TitleBar t;
        QCOMPARE(t.looks(), names({"imin_1", "imix_1", "iclose_1"}));
        QVERIFY(shown(t.p("Image4")));
        QVERIFY(!shown(t.p("Image4_1")));
        QVERIFY(shown(t.bar->findChild<Caption*>(QStringLiteral("txtn4"))));
        QCOMPARE(t.bar->Width(), 2085);
        QCOMPARE(t.bar->Height(), 2520);
        QVERIFY(t.log.isEmpty());
    }

    void stacksHoverLooksOverNormalLooks()
    {
        TitleBar t;
        QCOMPARE(stacking(t.bar),
                 QStringList({"ptop2", "iclose_1", "imix_1", "imin_1", "iclose", "imix", "imin", "Image4_1",
                              "Image4", "imix_2", "imix_3", "txtn4"}));
    }

    void placesButtonsAfterResize()
    {
        TitleBar t;
        t.bar->setWidth(5000);
        QCOMPARE(t.bar->Width(), 2085);
        QCOMPARE(t.bar->Height(), 2520);
        QCOMPARE(t.p("ptop2")->Left(), 0);
        const std::pair<const char*, int> places[] = {
            {"iclose_1", 1290}, {"iclose", 1290}, {"imix_1", 865}, {"imix", 865},
            {"imix_2", 865},    {"imix_3", 865},  {"imin_1", 415}, {"imin", 415}};
        for (auto [name, left] : places) {
            QCOMPARE(t.p(name)->Left(), left);
            QCOMPARE(t.p(name)->Top(), 45);
        }
        QCOMPARE(t.p("iclose_1")->Width(), 615);
        QCOMPARE(t.p("imix_1")->Width(), 450);
        QCOMPARE(t.p("imin_1")->Width(), 465);
        QCOMPARE(t.p("Image4")->Top(), 580);
        QCOMPARE(t.p("Image4_1")->Top(), 615);
        QCOMPARE(t.bar->findChild<Caption*>(QStringLiteral("txtn4"))->Left(), 340);
    }

    void maximiseAndRestoreLooks()
    {
        TitleBar t;
        QVERIFY(t.show());
        t.hover("imix_1");
        QCOMPARE(t.looks(), names({"imin_1", "imix", "iclose_1"}));
        t.click("imix");
        QCOMPARE(t.host.state, WindowState::Maximized);
        QCOMPARE(t.looks(), names({"imin_1", "imix_2", "iclose_1"}));
        t.hover("imix_2");
        QCOMPARE(t.looks(), names({"imin_1", "imix_3", "iclose_1"}));
        t.click("imix_3");
        QCOMPARE(t.host.state, WindowState::Normal);
        QCOMPARE(t.looks(), names({"imin_1", "imix_1", "iclose_1"}));
        QCOMPARE(t.log, (QStringList{QStringLiteral("host state 2"), QStringLiteral("host state 0")}));
    }

    void lookFollowsAStateChangedElsewhere()
    {
        TitleBar t;
        QVERIFY(t.show());
        t.host.state = WindowState::Maximized;
        QCOMPARE(t.looks(), names({"imin_1", "imix_1", "iclose_1"}));
        t.hover("ptop2");
        QCOMPARE(t.looks(), names({"imin_1", "imix_2", "iclose_1"}));
        t.hover("imin_1");
        QCOMPARE(t.looks(), names({"imin", "imix_2", "iclose_1"}));
        t.hover("iclose_1");
        QCOMPARE(t.looks(), names({"imin", "imix_2", "iclose"}));
        t.hover("ptop2");
        QCOMPARE(t.looks(), names({"imin_1", "imix_2", "iclose_1"}));
    }

    void normalLooksDoNothingOnClick()
    {
        TitleBar t;
        QVERIFY(t.show());
        // Clicking through the ordinary pointer path would show the hover
        // look first; the normal looks' own click signals must do nothing.
        for (const char* name : {"imin_1", "imix_1", "iclose_1", "imix_2", "ptop2", "Image4_1"})
            emit t.p(name)->clicked();
        QVERIFY(t.log.isEmpty());
        QCOMPARE(t.host.state, WindowState::Normal);
    }

    void minimiseHidesTheWindow()
    {
        TitleBar t;
        QVERIFY(t.show());
        t.hover("imin_1");
        QCOMPARE(t.looks(), names({"imin", "imix_1", "iclose_1"}));
        t.click("imin");
        QCOMPARE(t.log, QStringList{QStringLiteral("host hideWindow")});
        QCOMPARE(t.host.state, WindowState::Normal);
        QCOMPARE(t.looks(), names({"imin_1", "imix_1", "iclose_1"}));
    }

    void closeCancelledLeavesEverything()
    {
        TitleBar t;
        QVERIFY(t.show());
        t.hover("iclose_1");
        t.box.answers.push_back(platform::Choice::Cancel);
        t.click("iclose");
        QCOMPARE(t.log, QStringList{QStringLiteral("box [  你确定要退出 Tarvelo 软件吗？  ] [退出Tarvelo] OkCancel")});
        QCOMPARE(t.looks(), names({"imin_1", "imix_1", "iclose"}));
    }

    void closeConfirmedRemovesTrayIconThenExits()
    {
        TitleBar t;
        QVERIFY(t.show());
        t.hover("iclose_1");
        t.box.answers.push_back(platform::Choice::Ok);
        t.click("iclose");
        QCOMPARE(t.log, (QStringList{QStringLiteral("box [  你确定要退出 Tarvelo 软件吗？  ] [退出Tarvelo] OkCancel"),
                                     QStringLiteral("deltubiao"), QStringLiteral("exit 0")}));
    }

    void homeClickRemovesTheHighlight()
    {
        TitleBar t;
        QVERIFY(t.show());
        t.click("Image4");
        QCOMPARE(t.log, (QStringList{QStringLiteral("mdefaut"), QStringLiteral("host qhno")}));
        QVERIFY(!shown(t.p("Image4")));
        QVERIFY(shown(t.p("Image4_1")));
        t.log.clear();
        QTest::mouseClick(t.bar->findChild<Caption*>(QStringLiteral("txtn4")), Qt::LeftButton);
        QCOMPARE(t.log, (QStringList{QStringLiteral("mdefaut"), QStringLiteral("host qhno")}));
    }

    void image4nSetsTheHomeButton()
    {
        TitleBar t;
        auto* caption = t.bar->findChild<Caption*>(QStringLiteral("txtn4"));
        t.bar->image4n(false, false, false);
        QVERIFY(!shown(t.p("Image4")) && !shown(t.p("Image4_1")) && !shown(caption));
        t.bar->image4n(false, true, true);
        QVERIFY(!shown(t.p("Image4")) && shown(t.p("Image4_1")) && shown(caption));
        QCOMPARE(t.bar->children().last(), caption);
    }
};

int runTop2Tests(int argc, char** argv)
{
    Top2Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_top2.moc"
