#pragma once
#include <QString>

#include <array>
#include <memory>

class QAction;
class QMenu;

namespace tarvelo {

// The tray popup menu menum and its items, top to bottom. Each action's
// object name is the item's name (mopen, minrw, ...).
struct TrayMenu {
    std::unique_ptr<QMenu> menum;
    QAction* mopen = nullptr;
    QAction* minrw = nullptr;
    QAction* mabout = nullptr;
    QAction* mbatch = nullptr;
    QAction* mwatch = nullptr;
    QAction* murl = nullptr;
    std::array<QAction*, 5> murlno{};
    QAction* mexit = nullptr;
};

// Builds the menu: captions, the two separator lines, the Tahoma 8.25 pt
// font and the pictures of the eight decorated items.
TrayMenu buildTrayMenu();

} // namespace tarvelo
