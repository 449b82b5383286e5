#include "application.h"
#include "platform/qt/browserengine.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/systemseams.h"
#include "platform/qt/windowsystem.h"
#include "program.h"
#include "singleinstance.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    tarvelo::platform::choosePlatform();
    tarvelo::platform::prepareBrowserEngine();
    tarvelo::Application app(argc, argv);
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
    tarvelo::platform::ImmediateExit processExit;
    tarvelo::platform::SystemClock clock;
    tarvelo::platform::ApplicationFolder programFolder;
    tarvelo::Program program(messageBox, processExit, clock, programFolder);
    QObject::connect(&instance, &tarvelo::SingleInstance::argumentsReceived, &program.main(), &tarvelo::mainn::Show);
    program.start();
    return app.exec();
}
