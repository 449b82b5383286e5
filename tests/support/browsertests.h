#pragma once
// Test programs whose tests show pages in the browser engine, run without a
// display.
#include "platform/browserengine.h"

#include <QApplication>
#include <QWebEngineView>

#include <cstdio>

namespace tarvelo::testkit {

// Readies the window system and the engine; call before the application object.
inline void prepareBrowserTests()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::prepareBrowserEngine();
}

// The run's result, failed when a browser view is still there: its page would
// outlive the engine's profile, which crashes at exit on newer Qt. Call while
// the application object still exists.
inline int unlessBrowserViewsRemain(int result)
{
    int left = 0;
    for (QWidget* widget : QApplication::allWidgets())
        left += qobject_cast<QWebEngineView*>(widget) != nullptr;
    if (left == 0)
        return result;
    std::fprintf(stderr, "%d browser view(s) outlived the tests; every page must go before the application.\n", left);
    return 1;
}

} // namespace tarvelo::testkit
