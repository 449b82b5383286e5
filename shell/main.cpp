#include "application.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/systemseams.h"
#include "program.h"
#include "version.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The browser engine's sandbox refuses to start for root; then run without it.
void allowBrowserAsRoot()
{
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-sandbox"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    allowBrowserAsRoot();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    tarvelo::Application app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tarvelo::version::title));
    QApplication::setApplicationDisplayName(QString::fromLatin1(tarvelo::version::title));
    QApplication::setApplicationVersion(QString::fromLatin1(tarvelo::version::text));
    // The program lives on in the tray while its window is unloaded.
    QApplication::setQuitOnLastWindowClosed(false);

    tarvelo::platform::QtMessageBox messageBox;
    app.setMessageBox(messageBox);
    tarvelo::platform::ImmediateExit processExit;
    tarvelo::platform::SystemClock clock;
    tarvelo::platform::ApplicationFolder programFolder;
    tarvelo::Program program(messageBox, processExit, clock, programFolder);
    program.start();
    return app.exec();
}
