#include "application.h"
#include "batch/commandrun.h"
#include "platform/browserengine.h"
#include "platform/qt/programarguments.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/systemseams.h"
#include "platform/qt/windowsystem.h"
#include "commandline.h"
#include "program.h"
#include "searchhistory.h"
#include "service/envelope.h"
#include "service/keptanswers.h"
#include "singleinstance.h"

#include <QStandardPaths>
#include <QTimer>

#include <filesystem>
#include <memory>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Read before Qt starts: help, the version and mistakes need no display.
    const QStringList arguments = tarvelo::platform::programArguments(argc, argv);
    const tarvelo::CommandLine command = tarvelo::parseCommandLine(arguments);
    switch (command.action) {
    case tarvelo::CommandLine::Action::Help:
    case tarvelo::CommandLine::Action::Version:
        std::fputs(qPrintable(command.text), stdout);
        return 0;
    case tarvelo::CommandLine::Action::Refused:
        std::fprintf(stderr, "tarvelo: %s", qPrintable(command.text));
        return 2;
    case tarvelo::CommandLine::Action::Run:
        break;
    }
    // A list run for a script needs no window, no display and no running copy.
    if (command.batch && !command.batch->output.isEmpty()) {
        const tarvelo::batch::Connection service{.endpoint = std::string(tarvelo::service::defaultEndpoint())};
        return tarvelo::batch::runCommand(command.batch->file.toStdString(), command.batch->output.toStdString(),
                                          service);
    }

    tarvelo::platform::choosePlatform();
    tarvelo::platform::prepareBrowserEngine();
    tarvelo::Application app(argc, argv);
    // The program lives on in the tray while its window is unloaded.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second start hands its command line to the running program and ends.
    const QStringList request = tarvelo::forRunningCopy(command, arguments);
    tarvelo::SingleInstance instance;
    switch (instance.claim(request)) {
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
    program.watchList(std::filesystem::path((dataFolder + QStringLiteral("/watch.json")).toStdU16String()));
    QObject::connect(&instance, &tarvelo::SingleInstance::argumentsReceived, &program.main(), &tarvelo::mainn::Show);
    QObject::connect(&instance, &tarvelo::SingleInstance::argumentsReceived, &program.main(),
                     [&program](const QStringList& received) { program.lookUp(received); });
    program.start();
    // A search, a list or a line to watch asked for by this start runs once the home page is shown.
    if (command.lookup || command.batch || command.watch)
        QTimer::singleShot(0, &program.main(), [&program, request] { program.lookUp(request); });
    return app.exec();
}
