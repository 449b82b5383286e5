#include "chrome/frmabout.h"
#include "platform/qt/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tarvelo;

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void hasFixedSizeAndContent()
    {
        frmAbout about;
        const QSize client(platform::pixelsX(8820), platform::pixelsY(5445));
        QCOMPARE(about.size(), client);
        QCOMPARE(about.minimumSize(), client);
        QCOMPARE(about.maximumSize(), client);
        QCOMPARE(about.palette().color(QPalette::Window), QColor(192, 255, 192));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
                 QStringLiteral("“Tarvelo”软件介绍\r\n\r\n"));
        auto* text = about.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        QVERIFY(text->isReadOnly());
        const QString intro = text->toPlainText();
        for (const char* part : {"法规政策", "商品编码", "海关税则", "出口退税", "Veloria", "客服电话"})
            QVERIFY2(intro.contains(QString::fromUtf8(part)), part);
        auto* line = about.findChild<QWidget*>(QStringLiteral("Line1"));
        QCOMPARE(line->palette().color(QPalette::Window), QColor(128, 128, 128));
        QCOMPARE(line->y(), platform::pixelsY(720));
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("确定"));
        QVERIFY(ok->isDefault());
    }

    void captionIsSetOnEveryShow()
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.windowTitle(), QStringLiteral("关于 Tarvelo"));
        QVERIFY(!about.isModal());
        about.setWindowTitle(QStringLiteral("other"));
        about.hide();
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("关于 Tarvelo"));
    }

    void escapePressesOk()
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        int pressed = 0;
        connect(ok, &QPushButton::clicked, this, [&] { ++pressed; });
        QTest::keyClick(&about, Qt::Key_Escape);
        QCOMPARE(pressed, 1);
        QVERIFY(!about.isVisible());
    }

    void enterPressesOkEvenFromTheText()
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* text = about.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Return);
        QVERIFY(!about.isVisible());
        about.show();
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }
};

int runAboutTests(int argc, char** argv)
{
    AboutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_frmabout.moc"
