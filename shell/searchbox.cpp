#include "searchbox.h"

#include "chrome/caption.h"
#include "chrome/ucsearch.h"
#include "platform/qt/hubapi.h"
#include "searchhistory.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace tarvelo {

SearchBox::SearchBox(QWidget* parent, HubApi& hub) : QLineEdit(placeholders::goods, parent), hub_(hub)
{
    setObjectName(QStringLiteral("Text1"));
    setFont(Caption::uiFont(14.25));
    connect(this, &QLineEdit::textChanged, this, &SearchBox::changed);
}

void SearchBox::setHistory(SearchHistory* history)
{
    history_ = history;
    if (!history_)
        return;
    completions_ = new QStringListModel(this);
    completer_ = new QCompleter(completions_, this);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setFilterMode(Qt::MatchContains);
    completer_->setModelSorting(QCompleter::UnsortedModel);
    completer_->setMaxVisibleItems(12);
    setCompleter(completer_);
    connect(history_, &SearchHistory::changed, this, [this] {
        offeredCategory_ = -1;
        offerHistory();
    });
    offerHistory();
}

QStringList SearchBox::completions() const
{
    return completions_ ? completions_->stringList() : QStringList();
}

// The tab bar changes the category and then puts that category's text back,
// so every category change passes through here.
void SearchBox::offerHistory()
{
    if (!history_ || offeredCategory_ == hub_.currentCategory())
        return;
    offeredCategory_ = hub_.currentCategory();
    completions_->setStringList(history_->recent(offeredCategory_));
}

// The whole list, as when a prefix of nothing was typed.
void SearchBox::showHistory()
{
    if (!completer_ || completions_->rowCount() == 0)
        return;
    completer_->setCompletionPrefix(QString());
    completer_->complete();
}

void SearchBox::changed(const QString& text)
{
    offerHistory();
    if (!text.isEmpty() && !placeholders::isPlaceholder(text))
        hub_.SetText1(hub_.currentCategory());
}

void SearchBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && placeholders::isPlaceholder(text())) {
        clear();
        showHistory();
    }
}

void SearchBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit enterPressed();
    if (event->key() == Qt::Key_Down && text().isEmpty()) {
        offerHistory();
        showHistory();
        return;
    }
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

void SearchBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (history_) {
        menu->addSeparator();
        QAction* clear = menu->addAction(QStringLiteral("清除搜索历史"), history_, &SearchHistory::clear);
        clear->setObjectName(QStringLiteral("clearHistory"));
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace tarvelo
