#pragma once
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

namespace tarvelo {

class HubApi;
class SearchHistory;

// The search box Text1. Whatever the user types (and is not a placeholder) is
// kept by the hub as the current category's text; a click clears a
// placeholder; leaving the box empty puts the kept text back; Enter submits.
// With a history it offers the current category's past searches as
// completions, and its context menu can clear them.
class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    SearchBox(QWidget* parent, HubApi& hub);

    void setHistory(SearchHistory* history);
    // The completions offered now: the current category's past searches.
    QStringList completions() const;

signals:
    // Enter was pressed; the key itself still reaches the box.
    void enterPressed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void changed(const QString& text);
    void offerHistory();
    void showHistory();

    HubApi& hub_;
    SearchHistory* history_ = nullptr;
    QCompleter* completer_ = nullptr;
    QStringListModel* completions_ = nullptr;
    int16_t offeredCategory_ = -1;
};

} // namespace tarvelo
