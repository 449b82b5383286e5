#pragma once
#include <QString>

namespace tarvelo {

// The tray tip: title, then "(版本 major.minor.revision)". The notification
// area takes at most 63 bytes of code page 936 text; a longer tip is cut at a
// character boundary within that.
QString traytip(const QString& title, int major, int minor, int revision);

} // namespace tarvelo
