#pragma once
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvelo {
namespace watch {
class WatchMonitor;
}

// 关注: the watched tariff lines with their rates in force and next scheduled
// change; lines are added by code here (or from the tariff page and the goods
// list) and removed here. Opening the window checks the rates anew.
class WatchWindow : public QWidget {
    Q_OBJECT
public:
    explicit WatchWindow(watch::WatchMonitor& monitor, QWidget* parent = nullptr);

    // Adds the line and says what became of it.
    void addLine(const QString& code, const QString& name = {});

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showLines();
    void removeSelected();
    void report(const QString& text);

    watch::WatchMonitor& monitor_;
    QLineEdit* codeBox_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* checkButton_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* status_ = nullptr;
    bool troubled_ = false; // the check under way reported a problem
};

} // namespace tarvelo
