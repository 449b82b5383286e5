#include "application.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/systemseams.h"
#include "program.h"
#include "singleinstance.h"
#include "version.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <cstdio>

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

    // A second start hands its command line to the running program and ends.
    tarvelo::SingleInstance instance;
    switch (instance.claim(QApplication::arguments().mid(1))) {
    case tarvelo::SingleInstance::Role::HandedOver:
        return 0;
    case tarvelo::SingleInstance::Role::NoAnswer:
        std::fputs("Tarvelo is already running but does not answer.\n", stderr);
        return 1;
    case tarvelo::SingleInstance::Role::Running:
        break;
    }

    tarvelo::platform::QtMessageBox messageBox;
    app.setMessageBox(messageBox);
    tarvelo::platform::ImmediateExit processExit;
    tarvelo::platform::SystemClock clock;
    tarvelo::platform::ApplicationFolder programFolder;
    tarvelo::Program program(messageBox, processExit, clock, programFolder);
    QObject::connect(&instance, &tarvelo::SingleInstance::argumentsReceived, &program.main(), &tarvelo::mainn::Show);
    program.start();
    return app.exec();
}
