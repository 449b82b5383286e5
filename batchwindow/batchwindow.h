#pragma once
#include "batch/batchrun.h"
#include "batch/export.h"

#include <QString>
#include <QWidget>

#include <stop_token>
#include <thread>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tarvelo {

// 批量查询: a goods list pasted or opened from a file, looked up line by line
// off the user-interface thread, shown as a table with the lines to check
// marked, copied as a table or exported to XLSX or CSV.
class BatchWindow : public QWidget {
    Q_OBJECT
public:
    explicit BatchWindow(batch::Connection connection, QWidget* parent = nullptr);
    // Stops a run under way and waits for the lines being asked.
    ~BatchWindow() override;

    // Puts the rows of the file into the list box; a file that cannot be read
    // is reported and the box kept.
    void openList(const QString& file);
    void setListText(const QString& text);
    // Looks up the list in the box; refused while a run is under way.
    void start();
    void cancel();
    bool running() const { return worker_.joinable() && !done_; }
    // The table as shown (and exported), complete once finished() was sent.
    const batch::ExportTable& table() const { return table_; }

signals:
    void finished();
    // 加入关注: a found line of the rows chosen, one signal each.
    void watchRequested(const QString& code, const QString& name);

protected:
    // Closing while a list runs cancels it; the window goes once the lines
    // being asked are answered, so that closing never waits on the network.
    void closeEvent(QCloseEvent* event) override;

private:
    void lineSettled(size_t index, const batch::LineResult& result);
    void runFinished(std::vector<batch::LineResult> results);
    void showRow(size_t index);
    void chooseFile();
    void exportList();
    void copyTable();
    void watchChosen();
    void report(const QString& text);

    batch::Connection connection_;
    std::vector<batch::Item> items_;
    std::vector<batch::LineResult> results_;
    batch::ExportTable table_;
    bool done_ = true;
    std::jthread worker_; // after what it writes into: joined first

    QPlainTextEdit* listBox_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* watchButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace tarvelo
