#include "assets/skin.h"

#include <QBitmap>
#include <QColor>
#include <QPixmap>

namespace tarvelo::skin {

QPixmap menuPixmap(const char* resource)
{
    QPixmap pixmap(QString::fromLatin1(resource));
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
    return pixmap;
}

} // namespace tarvelo::skin
