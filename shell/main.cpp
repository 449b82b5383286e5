#include "application.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/systemseams.h"
#include "program.h"
#include "lookuprequest.h"
#include "searchhistory.h"
#include "service/keptanswers.h"
#include "singleinstance.h"
#include "version.h"

#include <QStandardPaths>
#include <QTimer>

#include <memory>

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
    app.setMessageBox(messageBox);
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
