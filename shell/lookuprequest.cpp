#include "lookuprequest.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tarvelo {

QString selectedText()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    QString text;
    if (clipboard->supportsSelection())
        text = clipboard->text(QClipboard::Selection).trimmed();
    if (text.isEmpty())
        text = clipboard->text(QClipboard::Clipboard).trimmed();
    return text;
}

} // namespace tarvelo
