#include "maxbounds.h"

#include <QScreen>

namespace tarvelo {

MinMaxInfo maxbounds(QSize screen, int taskbarHeight)
{
    const QSize maxSize(screen.width() + 2, screen.height() - taskbarHeight + 13);
    return {maxSize, QPoint(0, 0), QSize(0, 0), maxSize};
}

int taskbarHeight(const QScreen& screen)
{
    return screen.geometry().height() - screen.availableGeometry().height();
}

} // namespace tarvelo
