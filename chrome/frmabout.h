#pragma once
#include <QDialog>

namespace tarvelo {

// The about box: opened modeless from the tray menu, closed by its OK button,
// Enter or Escape. Its caption is set each time it loads.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

} // namespace tarvelo
