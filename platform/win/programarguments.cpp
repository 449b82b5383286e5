#include "platform/qt/programarguments.h"

#include <windows.h>

#include <shellapi.h>

namespace tarvelo::platform {

QStringList programArguments(int, char*[])
{
    QStringList arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.append(QString::fromWCharArray(words[i]));
    LocalFree(words);
    return arguments;
}

} // namespace tarvelo::platform
