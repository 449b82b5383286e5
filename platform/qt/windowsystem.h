#pragma once
#include <QByteArray>
#include <QProcessEnvironment>

namespace tarvelo::platform {

// The Qt platform the program asks for, given its environment; empty leaves
// the choice to Qt. In a Wayland session that also offers X11 (XWayland) the
// program runs on X11, where its borderless window can place itself and the
// bubble can rise at the bottom right. With Wayland alone Qt picks Wayland. A
// platform the user names in QT_QPA_PLATFORM always wins.
QByteArray preferredPlatform(const QProcessEnvironment& environment);

// Applies preferredPlatform to this process. Call before the application
// object is made.
void choosePlatform();

} // namespace tarvelo::platform
