#pragma once
#include <QString>

// Resource paths of the skin pictures the chrome controls show.
namespace tarvelo::skinpictures {

inline const QString tabStrip = QStringLiteral(":/skin/tabstrip.png");
inline const QString tabNormal = QStringLiteral(":/skin/tab.png");
inline const QString tabSelected = QStringLiteral(":/skin/tab_selected.png");

inline const QString titlePiece = QStringLiteral(":/skin/title.png");
inline const QString minimiseNormal = QStringLiteral(":/skin/min.png");
inline const QString minimiseHover = QStringLiteral(":/skin/min_hover.png");
inline const QString maximiseNormal = QStringLiteral(":/skin/max.png");
inline const QString maximiseHover = QStringLiteral(":/skin/max_hover.png");
inline const QString restoreNormal = QStringLiteral(":/skin/restore.png");
inline const QString restoreHover = QStringLiteral(":/skin/restore_hover.png");
inline const QString closeNormal = QStringLiteral(":/skin/close.png");
inline const QString closeHover = QStringLiteral(":/skin/close_hover.png");

inline const QString searchBar = QStringLiteral(":/skin/searchbar.png");
inline const QString searchButton = QStringLiteral(":/skin/search.png");
inline const QString searchButtonHover = QStringLiteral(":/skin/search_hover.png");

inline const QString cornerTopLeft = QStringLiteral(":/skin/top1.png");
inline const QString cornerBottomLeft = QStringLiteral(":/skin/top3.png");
inline const QString cornerBottomRight = QStringLiteral(":/skin/top4.png");
inline const QString leftPicture = QStringLiteral(":/skin/lefttext.png");
inline const QString edgeLeft = QStringLiteral(":/skin/left.png");
inline const QString edgeRight = QStringLiteral(":/skin/right.png");
inline const QString edgeBottom = QStringLiteral(":/skin/bottom.png");
inline const QString band = QStringLiteral(":/skin/band.png");

inline const QString aboutLogo = QStringLiteral(":/skin/logo.png");
inline const QString programIcon16 = QStringLiteral(":/icons/tarvelo16.png");

} // namespace tarvelo::skinpictures
