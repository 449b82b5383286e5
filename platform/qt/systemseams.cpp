#include "systemseams.h"

#include <QCoreApplication>

#include <cstdlib>

namespace tarvelo::platform {

std::chrono::system_clock::time_point SystemClock::now() const
{
    return std::chrono::system_clock::now();
}

void ImmediateExit::exitNow(int code)
{
    std::_Exit(code);
}

std::filesystem::path ApplicationFolder::path() const
{
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

} // namespace tarvelo::platform
