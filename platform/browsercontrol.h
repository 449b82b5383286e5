#pragma once
// The browser control the windows show their pages in: Qt WebEngine's view,
// and on Windows the system's own WebBrowser control. Both are a QWidget and a
// Browser, with the signal pageLoaded(bool).
#ifdef _WIN32
#include "platform/win/webbrowser.h"
#else
#include "platform/qt/webbrowser.h"
#endif
