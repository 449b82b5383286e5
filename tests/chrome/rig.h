#pragma once
// A window holding one control under test, with the recording hub and host.
#include "recorders.h"

#include <QTest>
#include <QWidget>

namespace tarvelo::testing {

struct Rig {
    QStringList log;
    RecordingHost host{log};
    RecordingHub hub{log, host};
    QWidget window;

    Rig() { window.resize(900, 500); }
    // Shows the window; the controls then receive real mouse events.
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
};

// A double-click as the window system delivers it: press, release, double-click, release.
inline void doubleClick(QWidget* w, QPoint pos = {}, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(w, button, {}, pos);
    QTest::mouseDClick(w, button, {}, pos);
    QTest::mouseRelease(w, button, {}, pos);
}

// Pointer moves over w. A move to where the pointer is already makes no
// event, so it moves twice.
inline void hover(QWidget* w)
{
    QTest::mouseMove(w, QPoint(2, 2));
    QTest::mouseMove(w, QPoint(4, 4));
}

// Names of the children of w from back to front.
inline QStringList stacking(const QWidget* w)
{
    QStringList names;
    for (const QObject* child : w->children())
        if (child->isWidgetType())
            names << child->objectName();
    return names;
}

// The visible state of a child, as far as its own flag goes.
inline bool shown(const QWidget* w) { return !w->isHidden(); }

} // namespace tarvelo::testing
