// The browser control on Windows where the system gives no page engine (Wine
// here): the widget says so in place of the page, and a navigation fails
// instead of waiting for ever.
#include "platform/browsercontrol.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using tarvelo::platform::WebBrowser;

class WindowsBrowserTest : public QObject {
    Q_OBJECT
private slots:
    void withoutAPageEngineTheWidgetSaysSoAndNavigationsFail()
    {
        WebBrowser browser;
        browser.resize(400, 300);
        browser.show();
        if (browser.unavailableReason().isEmpty())
            QSKIP("this system shows pages");
        const auto* notice = browser.findChild<QLabel*>();
        QVERIFY(notice);
        QVERIFY(notice->text().contains(QStringLiteral("此处无法显示网页")));
        QVERIFY(notice->text().contains(browser.unavailableReason()));

        QSignalSpy loaded(&browser, &WebBrowser::pageLoaded);
        browser.Navigate("C:\\nowhere\\customscache\\Tariff20110101.html");
        QVERIFY(loaded.wait(2000));
        QCOMPARE(loaded.first().first().toBool(), false);
    }
};

QTEST_MAIN(WindowsBrowserTest)
#include "webbrowser_test.moc"
