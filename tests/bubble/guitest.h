#pragma once
// Running a Qt Test class on a QApplication that also hosts the web engine.
#include "support/browsertests.h"

#include <QApplication>
#include <QTest>

namespace tarvelo::bubbletest {

// The offscreen window system has no window masks, opacity or stacking and
// says so on every call; those notices are dropped, everything else is kept.
// Qt Test installs its own handler when the run starts: call this from
// initTestCase.
inline void muteOffscreenNotices()
{
    static QtMessageHandler next = nullptr;
    next = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
            return;
        next(type, context, text);
    });
}

template <class Test>
int runGuiTest(int argc, char** argv)
{
    testkit::prepareBrowserTests();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi);
    int result = 0;
    {
        Test test;
        result = QTest::qExec(&test, argc, argv);
    }
    return testkit::unlessBrowserViewsRemain(result);
}

} // namespace tarvelo::bubbletest
