#include "chrome/framepieces.h"
#include "chrome/picture.h"

#include <QTest>
#include <QWidget>

#include <memory>

using namespace tarvelo;

Q_DECLARE_METATYPE(std::shared_ptr<TwipsWidget>)

namespace {

Picture* element(const QWidget* piece) { return piece->findChild<Picture*>(); }

} // namespace

class FramePiecesTest : public QObject {
    Q_OBJECT
private slots:
    void fixedPiecesKeepTheirPictureSize_data()
    {
        QTest::addColumn<std::shared_ptr<TwipsWidget>>("piece");
        QTest::addColumn<QSize>("size");
        QTest::newRow("top1") << std::shared_ptr<TwipsWidget>(new top1(nullptr)) << QSize(2085, 2520);
        QTest::newRow("top3") << std::shared_ptr<TwipsWidget>(new top3(nullptr)) << QSize(2085, 2325);
        QTest::newRow("top4") << std::shared_ptr<TwipsWidget>(new top4(nullptr)) << QSize(2085, 2340);
        QTest::newRow("lefttext") << std::shared_ptr<TwipsWidget>(new lefttext(nullptr)) << QSize(1680, 2985);
    }

    void fixedPiecesKeepTheirPictureSize()
    {
        QFETCH(std::shared_ptr<TwipsWidget>, piece);
        QFETCH(QSize, size);
        QCOMPARE(QSize(piece->Width(), piece->Height()), size);
        piece->setWidth(100);
        piece->setHeight(7000);
        QCOMPARE(QSize(piece->Width(), piece->Height()), size);
        piece->setTwipsGeometry(130, 1320, 1, 1);
        QCOMPARE(QSize(piece->Width(), piece->Height()), size);
        QCOMPARE(QPoint(piece->Left(), piece->Top()), QPoint(130, 1320));
        QCOMPARE(QSize(element(piece.get())->Width(), element(piece.get())->Height()), size);
    }

    void sideStripsKeepTheirWidth_data()
    {
        QTest::addColumn<std::shared_ptr<TwipsWidget>>("piece");
        QTest::addColumn<int>("width");
        QTest::newRow("ucleft") << std::shared_ptr<TwipsWidget>(new ucleft(nullptr)) << 2010;
        QTest::newRow("ucright") << std::shared_ptr<TwipsWidget>(new ucright(nullptr)) << 345;
    }

    void sideStripsKeepTheirWidth()
    {
        QFETCH(std::shared_ptr<TwipsWidget>, piece);
        QFETCH(int, width);
        piece->setTwipsGeometry(0, 2280, 40, 735);
        QCOMPARE(piece->Width(), width);
        QCOMPARE(piece->Height(), 735);
        QCOMPARE(element(piece.get())->Height(), 735);
        piece->setHeight(6105);
        QCOMPARE(element(piece.get())->Height(), 6105);
        piece->setWidth(9000);
        QCOMPARE(piece->Width(), width);
        QCOMPARE(element(piece.get())->Width(), width);
    }

    void bandsKeepTheirHeight_data()
    {
        QTest::addColumn<std::shared_ptr<TwipsWidget>>("piece");
        QTest::addColumn<int>("height");
        QTest::newRow("ucbottom") << std::shared_ptr<TwipsWidget>(new ucbottom(nullptr)) << 510;
        QTest::newRow("topcent") << std::shared_ptr<TwipsWidget>(new topcent(nullptr)) << 1305;
    }

    void bandsKeepTheirHeight()
    {
        QFETCH(std::shared_ptr<TwipsWidget>, piece);
        QFETCH(int, height);
        piece->setTwipsGeometry(2040, 6000, 7695, 1);
        QCOMPARE(piece->Height(), height);
        QCOMPARE(piece->Width(), 7695);
        QCOMPARE(element(piece.get())->Width(), 7695);
        piece->setWidth(10425);
        QCOMPARE(element(piece.get())->Width(), 10425);
        piece->setHeight(99);
        QCOMPARE(piece->Height(), height);
    }
};

int runFramePiecesTests(int argc, char** argv)
{
    FramePiecesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_framepieces.moc"
