#pragma once
#include <QPoint>
#include <QSize>

class QScreen;

namespace tarvelo {

// The maximised size and position and the tracking limits of the main window,
// in pixels, as the window hook answers the system's min/max question.
struct MinMaxInfo {
    QSize maxSize;
    QPoint maxPosition;
    QSize minTrackSize;
    QSize maxTrackSize;
};

// For a screen of the given size with a taskbar of the given height along its
// bottom: sw + 2 by sh − tb + 13 at (0, 0), so that the window region ends
// right above the taskbar; no minimum tracking size.
MinMaxInfo maxbounds(QSize screen, int taskbarHeight);

// The taskbar height of a screen: what the desktop keeps from the windows
// at its edges, read as full height minus available height.
int taskbarHeight(const QScreen& screen);

} // namespace tarvelo
