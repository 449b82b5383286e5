#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvelo {

// The about box: opened modeless from the tray menu, closed by its OK button,
// Enter or Escape. Its caption is set each time it is shown.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QWidget* Line1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace tarvelo
