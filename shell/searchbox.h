#pragma once
#include <QLineEdit>

namespace tarvelo {

class HubApi;

// The search box Text1. Whatever the user types (and is not a placeholder) is
// kept by the hub as the current category's text; a click clears a
// placeholder; leaving the box empty puts the kept text back; Enter submits.
class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    SearchBox(QWidget* parent, HubApi& hub);

signals:
    // Enter was pressed; the key itself still reaches the box.
    void enterPressed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void changed(const QString& text);

    HubApi& hub_;
};

} // namespace tarvelo
