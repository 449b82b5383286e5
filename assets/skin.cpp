#include "assets/skin.h"

#include <QBitmap>
#include <QColor>
#include <QGuiApplication>
#include <QPixmap>

namespace tarvelo::skin {

QPixmap picture(const QString& resource)
{
    // Fractional scales (150 %) take the double picture too: shrinking it
    // stays sharper than enlarging the single one.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        QString twice = resource;
        twice.insert(twice.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap pixmap(twice);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap(resource);
}

QPixmap menuPixmap(const char* resource)
{
    QPixmap pixmap = picture(QString::fromLatin1(resource));
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
    return pixmap;
}

} // namespace tarvelo::skin
