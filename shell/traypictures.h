#pragma once
#include <QString>

#include <array>

// Resource paths of the hub's icon and of the tray menu pictures (16 × 16,
// magenta where transparent).
namespace tarvelo::traypictures {

inline const QString hubIcon = QStringLiteral(":/icons/tarvelo16.png");
inline const QString programIcon = QStringLiteral(":/icons/tarvelo32.png");

inline const QString mexit = QStringLiteral(":/icons/menu/mexit.png");
inline const QString mabout = QStringLiteral(":/icons/menu/mabout.png");
inline const QString murl = QStringLiteral(":/icons/menu/murl.png");
inline const std::array<QString, 5> murlno = {
    QStringLiteral(":/icons/menu/murlno1.png"), QStringLiteral(":/icons/menu/murlno2.png"),
    QStringLiteral(":/icons/menu/murlno3.png"), QStringLiteral(":/icons/menu/murlno4.png"),
    QStringLiteral(":/icons/menu/murlno5.png"),
};

} // namespace tarvelo::traypictures
