#include "application.h"
#include "platform/qt/browserengine.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/systemseams.h"
#include "platform/qt/windowsystem.h"
#include "lookuprequest.h"
#include "program.h"
#include "searchhistory.h"
#include "service/keptanswers.h"
#include "singleinstance.h"

#include <QStandardPaths>
#include <QTimer>

#include <memory>

#include <cstdio>

int main(int argc, char* argv[])
{
    tarvelo::platform::choosePlatform();
    tarvelo::platform::prepareBrowserEngine();
    tarvelo::Application app(argc, argv);
    // The program lives on in the tray while its window is unloaded.
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList arguments = QApplication::arguments().mid(1);
    const tarvelo::LookupParse lookup = tarvelo::parseLookup(arguments);
    if (!lookup.error.isEmpty()) {
        std::fprintf(stderr, "tarvelo: %s\n", qPrintable(lookup.error));
        return 2;
    }

    // A second start hands its command line to the running program and ends.
    tarvelo::SingleInstance instance;
    switch (instance.claim(arguments)) {
    case tarvelo::SingleInstance::Role::HandedOver:
        return 0;
    case tarvelo::SingleInstance::Role::NoAnswer:
        std::fputs("Tarvelo is already running but does not answer.\n", stderr);
        return 1;
    case tarvelo::SingleInstance::Role::Running:
        break;
    }

    // What the user keeps from run to run lives in the user's data folder.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    tarvelo::SearchHistory history(dataFolder + QStringLiteral("/history.json"));
    std::unique_ptr<tarvelo::KeptAnswers> kept;
    try {
        kept = std::make_unique<tarvelo::KeptAnswers>((dataFolder + QStringLiteral("/answers.sqlite")).toStdString());
    } catch (const std::exception& e) {
        // Without the store the program works as before: nothing survives an outage.
        std::fprintf(stderr, "tarvelo: answers are not kept: %s\n", e.what());
    }

    tarvelo::platform::QtMessageBox messageBox;
    tarvelo::platform::ImmediateExit processExit;
    tarvelo::platform::SystemClock clock;
    tarvelo::platform::ApplicationFolder programFolder;
    tarvelo::Program program(messageBox, processExit, clock, programFolder);
    program.hub().setHistory(&history);
    program.seams().answers = kept.get();
    QObject::connect(&instance, &tarvelo::SingleInstance::argumentsReceived, &program.main(), &tarvelo::mainn::Show);
    QObject::connect(&instance, &tarvelo::SingleInstance::argumentsReceived, &program.main(),
                     [&program](const QStringList& received) { program.lookUp(received); });
    program.start();
    // A search asked for by this start runs once the home page is shown.
    if (lookup.request)
        QTimer::singleShot(0, &program.main(), [&program, arguments] { program.lookUp(arguments); });
    return app.exec();
}
