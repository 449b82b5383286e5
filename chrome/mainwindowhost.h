#pragma once
#include <QPoint>
#include <QString>

namespace tarvelo {

// Window states as the main window reports them.
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// What the chrome controls use of the main window that hosts them.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    virtual WindowState windowState() const = 0;
    virtual void setWindowState(WindowState state) = 0;
    // Hides the window; it stays loaded and comes back through the tray.
    virtual void hideWindow() = 0;
    // Window position on the screen, in twips.
    virtual QPoint positionTwips() const = 0;
    virtual void moveTwips(QPoint topLeft) = 0;
    // Shows the home button on the bar that carries it in the current state.
    virtual void image4n() = 0;
    // Removes the tab highlight.
    virtual void qhno() = 0;
    // The search box text.
    virtual QString searchText() const = 0;
};

} // namespace tarvelo
