#include "traytip.h"

#include "service/cp936.h"

namespace tarvelo {
namespace {

constexpr std::size_t tipBytes = 63;

std::size_t cp936Size(const QString& text)
{
    return service::utf8ToCp936(text.toStdString()).size();
}

} // namespace

QString traytip(const QString& title, int major, int minor, int revision)
{
    QString tip = QStringLiteral("%1(版本 %2.%3.%4)").arg(title).arg(major).arg(minor).arg(revision);
    while (cp936Size(tip) > tipBytes)
        tip.chop(tip.size() >= 2 && tip.at(tip.size() - 1).isLowSurrogate() ? 2 : 1);
    return tip;
}

} // namespace tarvelo
