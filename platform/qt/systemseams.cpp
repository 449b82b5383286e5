#include "systemseams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    const QString folder = QCoreApplication::applicationDirPath();
    if (!folder.startsWith(QLatin1String("/usr/")) && QFileInfo(folder).isWritable())
        return std::filesystem::path(folder.toStdU16String());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);
    return std::filesystem::path(data.toStdU16String());
}

} // namespace tarvelo::platform
