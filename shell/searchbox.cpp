#include "searchbox.h"

#include "chrome/caption.h"
#include "chrome/ucsearch.h"
#include "platform/qt/hubapi.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tarvelo {

SearchBox::SearchBox(QWidget* parent, HubApi& hub) : QLineEdit(placeholders::goods, parent), hub_(hub)
{
    setObjectName(QStringLiteral("Text1"));
    setFont(Caption::uiFont(14.25));
    connect(this, &QLineEdit::textChanged, this, &SearchBox::changed);
}

void SearchBox::changed(const QString& text)
{
    if (!text.isEmpty() && !placeholders::isPlaceholder(text))
        hub_.SetText1(hub_.currentCategory());
}

void SearchBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && placeholders::isPlaceholder(text()))
        clear();
}

void SearchBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit enterPressed();
    QLineEdit::keyPressEvent(event);
}

void SearchBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Another program taking the focus, or the box's own menu, is no leaving
    // of the box: the user comes back to type into it.
    const bool leftWithinWindow =
        event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    if (leftWithinWindow && text().isEmpty())
        hub_.GetText1(hub_.currentCategory());
}

} // namespace tarvelo
