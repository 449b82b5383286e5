#include "chrome/picture.h"
#include "chrome/ucsearch.h"
#include "rig.h"

#include <QElapsedTimer>
#include <QTest>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct SearchBar : Rig {
    ucsearch* bar = nullptr;
    SearchBar()
    {
        bar = new ucsearch(&window, hub, host);
        bar->setTwipsGeometry(2280, 1320, 7500, 825);
    }
    Picture* p(const char* name) const { return bar->findChild<Picture*>(QLatin1String(name)); }
};

} // namespace

class UcsearchTest : public QObject {
    Q_OBJECT
private slots:
    void keepsItsPictureSize()
    {
        SearchBar t;
        t.bar->setTwipsGeometry(2280, 1320, 300, 100);
        QCOMPARE(t.bar->Width(), 7500);
        QCOMPARE(t.bar->Height(), 825);
        QCOMPARE(t.p("Image3")->geometry(), t.p("Image2")->geometry());
        QCOMPARE(t.p("Image3")->Left(), 5950);
        QCOMPARE(t.p("Image3")->Top(), 200);
        QCOMPARE(t.p("Image3")->Width(), 1410);
        QCOMPARE(t.p("Image3")->Height(), 420);
        QVERIFY(shown(t.p("Image3")));
        QVERIFY(!shown(t.p("Image2")));
        QCOMPARE(stacking(t.bar), QStringList({"Image1", "Image2", "Image3"}));
    }

    void refusesEmptyAndPlaceholderTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("category");
        const QString pad = QStringLiteral("  ");
        for (int category : {0, 1, 2, 3}) {
            const QByteArray c = QByteArray::number(category);
            QTest::newRow("empty " + c) << QString() << category;
            QTest::newRow("spaces " + c) << QStringLiteral("    ") << category;
            QTest::newRow("goods " + c) << placeholders::goods << category;
            QTest::newRow("law " + c) << placeholders::law << category;
            QTest::newRow("padded goods " + c) << pad + placeholders::goods + pad << category;
            QTest::newRow("padded law " + c) << QStringLiteral(" ") + placeholders::law << category;
        }
    }

    void refusesEmptyAndPlaceholderTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, category);
        SearchBar t;
        t.hub.category = static_cast<int16_t>(category);
        t.host.text = text;
        t.bar->rukong();
        QVERIFY(t.log.isEmpty());
        QCOMPARE(t.hub.searched, (std::array<bool, 4>{}));
    }

    void submitsTheUntrimmedText_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("laws") << 0 << QStringLiteral(" 进口 ")
                              << QStringList{QStringLiteral("searched 0"), QStringLiteral("pe_article « 进口 »")};
        QTest::newRow("commodity") << 1 << QStringLiteral("steel  ")
                                   << QStringList{QStringLiteral("searched 1"), QStringLiteral("Commodity «steel  »")};
        QTest::newRow("tariff") << 2 << QStringLiteral("  8471")
                                << QStringList{QStringLiteral("searched 2"), QStringLiteral("Tariff «  8471»")};
        QTest::newRow("export") << 3 << QStringLiteral("a b")
                                << QStringList{QStringLiteral("searched 3"), QStringLiteral("Export «a b»")};
        QTest::newRow("beyond the tabs") << 7 << QStringLiteral("x")
                                         << QStringList{QStringLiteral("searched 3"), QStringLiteral("Export «x»")};
        QTest::newRow("tab is not trimmed") << 1 << QStringLiteral("\t")
                                            << QStringList{QStringLiteral("searched 1"), QStringLiteral("Commodity «\t»")};
        QTest::newRow("placeholder with a tab") << 2 << placeholders::goods + QStringLiteral("\t")
                                                << QStringList{QStringLiteral("searched 2"),
                                                               QStringLiteral("Tariff «%1\t»").arg(placeholders::goods)};
    }

    void submitsTheUntrimmedText()
    {
        QFETCH(int, category);
        QFETCH(QString, text);
        QFETCH(QStringList, calls);
        SearchBar t;
        t.hub.category = static_cast<int16_t>(category);
        t.host.text = text;
        QElapsedTimer clock;
        clock.start();
        t.bar->rukong();
        QVERIFY(clock.elapsed() >= 10);
        QCOMPARE(t.log, calls);
    }

    void onlyTheHoverLookSubmits()
    {
        SearchBar t;
        QVERIFY(t.show());
        t.hub.category = 2;
        t.host.text = QStringLiteral("copper");
        emit t.p("Image3")->clicked();
        QVERIFY(t.log.isEmpty());

        hover(t.p("Image3"));
        QVERIFY(!shown(t.p("Image3")));
        QVERIFY(shown(t.p("Image2")));
        QTest::mouseClick(t.p("Image2"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(t.log, (QStringList{QStringLiteral("searched 2"), QStringLiteral("Tariff «copper»")}));

        hover(t.p("Image1"));
        QVERIFY(shown(t.p("Image3")));
        QVERIFY(!shown(t.p("Image2")));
    }
};

int runUcsearchTests(int argc, char** argv)
{
    UcsearchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ucsearch.moc"
