#include "windowsystem.h"

namespace tarvelo::platform {

QByteArray preferredPlatform(const QProcessEnvironment& environment)
{
    auto set = [&](const char* name) { return !environment.value(QLatin1String(name)).isEmpty(); };
    if (set("QT_QPA_PLATFORM"))
        return {};
    const bool wayland =
        set("WAYLAND_DISPLAY") || environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    if (wayland && set("DISPLAY"))
        return QByteArrayLiteral("xcb");
    return {};
}

void choosePlatform()
{
    const QByteArray platform = preferredPlatform(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace tarvelo::platform
