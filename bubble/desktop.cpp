#include "desktop.h"

#include <QGuiApplication>
#include <QScreen>

namespace tarvelo {

QRect PrimaryScreen::screen() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect();
}

QRect PrimaryScreen::workArea() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

const PrimaryScreen& PrimaryScreen::instance()
{
    static const PrimaryScreen screen;
    return screen;
}

} // namespace tarvelo
