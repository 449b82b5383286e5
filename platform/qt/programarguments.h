#pragma once
#include <QStringList>

namespace tarvelo::platform {

// The program's command-line arguments after its own name, as the user gave
// them. main's argv is in the system's 8-bit encoding; on Windows that is the
// ANSI code page, which cannot hold every Chinese keyword, so there they are
// read from the wide command line instead.
QStringList programArguments(int argc, char* argv[]);

} // namespace tarvelo::platform
