#pragma once
#include "lookuprequest.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvelo {

// A goods list asked for on the command line: --batch [FILE] opens the
// window, --batch FILE --export OUT runs it without one.
struct BatchRequest {
    QString file;   // empty: an empty list to paste into
    QString output; // .xlsx or .csv; empty: the window
};

// What a command line asks for. Read before the program shows anything, so
// that --help, --version and mistakes never start a window.
struct CommandLine {
    enum class Action {
        Run,     // start (or hand over to the running copy)
        Help,    // print text and exit 0
        Version, // print text and exit 0
        Refused, // print text (the reason, then the usage) and exit 2
    };
    Action action = Action::Run;
    QString text; // what to print for every action but Run
    std::optional<LookupRequest> lookup;
    std::optional<BatchRequest> batch;
    std::optional<QString> watch; // --watch: the tariff line to watch
};

// Reads the arguments after the program name.
CommandLine parseCommandLine(const QStringList& arguments);

// The arguments as a running copy is to get them: that copy works in a
// folder of its own, so a list file goes by its full path.
QStringList forRunningCopy(const CommandLine& command, const QStringList& arguments);

} // namespace tarvelo
