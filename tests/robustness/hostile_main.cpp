// The hostile-answer tests need a QApplication that hosts the web engine; they
// run without a display.
#include "support/browsertests.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    tarvelo::testkit::prepareBrowserTests();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return tarvelo::testkit::unlessBrowserViewsRemain(RUN_ALL_TESTS());
}
