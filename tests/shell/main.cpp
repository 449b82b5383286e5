// The shell tests need the program's application object; they run without a display.
#include "shell/application.h"
#include "support/browsertests.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    tarvelo::testkit::prepareBrowserTests();
    tarvelo::Application app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return tarvelo::testkit::unlessBrowserViewsRemain(RUN_ALL_TESTS());
}
