#include "batchwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QKeySequence>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace tarvelo {
namespace {

// The about box's colours: the program's light green, marks in yellow.
const QColor background(192, 255, 192);
const QColor toCheck(255, 242, 160);
const QColor notFound(225, 225, 225);
const QColor notDone(255, 200, 200);

const QString caption = QStringLiteral("批量查询");
const QString listPrompt = QStringLiteral(
    "每行一项：商品编码（任何写法，如 8471.30.00）或货品名称，可用 Tab 或逗号隔开，后跟完税价格（元）和数量。"
    "也可打开 CSV、XLSX 或文本文件；首行为列名时自动识别。");

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// A cell as the grid shows it: the input's tabs as wide spaces, on one line.
QString cellText(const std::string& utf8)
{
    return text(utf8).replace(QLatin1Char('\t'), QStringLiteral("  "));
}

// The rows of a read table as lines of the list box, cells joined by tabs.
QString boxText(const batch::Table& table)
{
    QStringList lines;
    for (const batch::SourceRow& row : table) {
        QStringList cells;
        for (const std::string& cell : row.cells)
            cells.append(text(cell).simplified());
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

BatchWindow::BatchWindow(batch::Connection connection, QWidget* parent)
    : QWidget(parent, Qt::Window), connection_(std::move(connection))
{
    setObjectName(QStringLiteral("frmBatch"));
    setWindowTitle(caption);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    resize(960, 640);

    listBox_ = new QPlainTextEdit(this);
    listBox_->setObjectName(QStringLiteral("txtList"));
    listBox_->setPlaceholderText(listPrompt);
    listBox_->setMaximumHeight(160);
    openButton_ = new QPushButton(QStringLiteral("打开文件…"), this);
    startButton_ = new QPushButton(QStringLiteral("开始查询"), this);
    cancelButton_ = new QPushButton(QStringLiteral("取消"), this);
    copyButton_ = new QPushButton(QStringLiteral("复制表格"), this);
    exportButton_ = new QPushButton(QStringLiteral("导出…"), this);
    watchButton_ = new QPushButton(QStringLiteral("加入关注"), this);
    watchButton_->setToolTip(QStringLiteral("关注表中选定各行找到的税号"));
    for (auto [button, name] : {std::pair{openButton_, "cmdOpen"}, {startButton_, "cmdStart"}, {cancelButton_, "cmdCancel"},
                                {copyButton_, "cmdCopy"}, {exportButton_, "cmdExport"},
                                {watchButton_, "cmdWatch"}})
        button->setObjectName(QString::fromLatin1(name));
    cancelButton_->setEnabled(false);
    copyButton_->setEnabled(false);
    exportButton_->setEnabled(false);
    watchButton_->setEnabled(false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("prgLines"));
    progress_->setFormat(QStringLiteral("%v / %m"));
    progress_->setTextVisible(false); // until a list runs
    progress_->setValue(0);
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("grdResults"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMaximumSectionSize(320);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {openButton_, startButton_, cancelButton_})
        buttons->addWidget(b);
    buttons->addWidget(progress_, 1);
    for (QPushButton* b : {watchButton_, copyButton_, exportButton_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listBox_);
    layout->addLayout(buttons);
    layout->addWidget(grid_, 1);
    layout->addWidget(status_);

    // Keys for the two actions done over and over: run the list, copy the table.
    startButton_->setShortcut(Qt::Key_F5);
    startButton_->setToolTip(QStringLiteral("开始查询 (F5)"));
    copyButton_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    copyButton_->setToolTip(QStringLiteral("复制表格 (Ctrl+Shift+C)"));

    connect(openButton_, &QPushButton::clicked, this, &BatchWindow::chooseFile);
    connect(startButton_, &QPushButton::clicked, this, &BatchWindow::start);
    connect(cancelButton_, &QPushButton::clicked, this, &BatchWindow::cancel);
    connect(copyButton_, &QPushButton::clicked, this, &BatchWindow::copyTable);
    connect(exportButton_, &QPushButton::clicked, this, &BatchWindow::exportList);
    connect(watchButton_, &QPushButton::clicked, this, &BatchWindow::watchChosen);
}

BatchWindow::~BatchWindow()
{
    worker_.request_stop();
}

void BatchWindow::setListText(const QString& text)
{
    listBox_->setPlainText(text);
}

void BatchWindow::openList(const QString& file)
{
    try {
        setListText(boxText(batch::readListFile(file.toStdString())));
        report(QStringLiteral("已读入 %1").arg(file));
    } catch (const batch::ListError& e) {
        report(QStringLiteral("无法读入 %1：%2").arg(file, text(e.what())));
    }
}

void BatchWindow::start()
{
    if (running())
        return;
    batch::GoodsList list;
    try {
        list = batch::goodsList(batch::readPastedText(listBox_->toPlainText().toStdString()));
    } catch (const batch::ListError& e) {
        return report(text(e.what()));
    }
    if (list.items.empty())
        return report(listPrompt);
    if (worker_.joinable())
        worker_.join();
    items_ = std::move(list.items);
    results_.assign(items_.size(), {});
    table_ = {};
    const std::vector<std::string> header = batch::exportTable({}, {}).header;
    grid_->clear();
    grid_->setColumnCount(static_cast<int>(header.size()));
    grid_->setRowCount(static_cast<int>(items_.size()));
    QStringList headings;
    for (const std::string& h : header)
        headings.append(text(h));
    grid_->setHorizontalHeaderLabels(headings);
    for (size_t i = 0; i < items_.size(); ++i) {
        grid_->setItem(static_cast<int>(i), 0, new QTableWidgetItem(QString::number(items_[i].line)));
        grid_->setItem(static_cast<int>(i), 1, new QTableWidgetItem(cellText(items_[i].input)));
    }
    progress_->setRange(0, static_cast<int>(items_.size()));
    progress_->setValue(0);
    progress_->setTextVisible(true);
    done_ = false;
    startButton_->setEnabled(false);
    openButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    copyButton_->setEnabled(false);
    exportButton_->setEnabled(false);
    watchButton_->setEnabled(false);
    report(QStringLiteral("正在查询 %1 行…").arg(items_.size()));

    // The worker posts each settled line to this window; a window closed
    // mid-run stops the worker and joins it before anything here goes.
    worker_ = std::jthread([this, items = items_, connection = connection_](std::stop_token stop) {
        auto results = batch::runList(items, connection, stop, [this](size_t index, const batch::LineResult& r) {
            QMetaObject::invokeMethod(this, [this, index, r] { lineSettled(index, r); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this, results = std::move(results)]() mutable { runFinished(std::move(results)); },
            Qt::QueuedConnection);
    });
}

void BatchWindow::cancel()
{
    worker_.request_stop();
    cancelButton_->setEnabled(false);
    report(QStringLiteral("正在取消…"));
}

void BatchWindow::closeEvent(QCloseEvent* event)
{
    if (!running())
        return QWidget::closeEvent(event);
    event->ignore();
    hide();
    cancel();
    connect(this, &BatchWindow::finished, this, &QWidget::close, Qt::SingleShotConnection);
}

void BatchWindow::lineSettled(size_t index, const batch::LineResult& result)
{
    if (done_ || index >= results_.size())
        return;
    results_[index] = result;
    progress_->setValue(progress_->value() + 1);
    showRow(index);
}

void BatchWindow::showRow(size_t index)
{
    const batch::LineResult& result = results_[index];
    const std::vector<std::string> row = batch::exportRow(items_[index], result);
    QColor colour;
    if (result.match.uncertain)
        colour = toCheck;
    else if (result.state == batch::LineResult::State::NotFound || result.state == batch::LineResult::State::Refused)
        colour = notFound;
    else if (result.state == batch::LineResult::State::NotDone || result.state == batch::LineResult::State::Cancelled)
        colour = notDone;
    for (size_t c = 0; c < row.size(); ++c) {
        auto* item = new QTableWidgetItem(cellText(row[c]));
        if (colour.isValid())
            item->setBackground(colour);
        if (batch::isMoneyColumn(c))
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(static_cast<int>(index), static_cast<int>(c), item);
    }
}

void BatchWindow::runFinished(std::vector<batch::LineResult> results)
{
    results_ = std::move(results);
    done_ = true;
    table_ = batch::exportTable(items_, results_);
    grid_->setRowCount(static_cast<int>(table_.rows.size()));
    for (size_t i = 0; i < table_.rows.size(); ++i) {
        if (i < results_.size()) {
            showRow(i);
            continue;
        }
        for (size_t c = 0; c < table_.rows[i].size(); ++c)
            grid_->setItem(static_cast<int>(i), static_cast<int>(c), new QTableWidgetItem(text(table_.rows[i][c])));
    }
    progress_->setValue(progress_->maximum());
    grid_->resizeColumnsToContents();
    startButton_->setEnabled(true);
    openButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
    copyButton_->setEnabled(true);
    exportButton_->setEnabled(true);
    watchButton_->setEnabled(true);

    std::array<int, 5> counts{};
    int marked = 0;
    for (const batch::LineResult& r : results_) {
        ++counts[static_cast<size_t>(r.state)];
        marked += r.match.uncertain;
    }
    using State = batch::LineResult::State;
    report(QStringLiteral("共 %1 行：找到 %2（需核对 %3），未找到 %4，有误 %5，未完成 %6，已取消 %7")
               .arg(results_.size())
               .arg(counts[static_cast<size_t>(State::Found)])
               .arg(marked)
               .arg(counts[static_cast<size_t>(State::NotFound)])
               .arg(counts[static_cast<size_t>(State::Refused)])
               .arg(counts[static_cast<size_t>(State::NotDone)])
               .arg(counts[static_cast<size_t>(State::Cancelled)]));
    emit finished();
}

void BatchWindow::chooseFile()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("打开货物清单"), {},
                                                      QStringLiteral("货物清单 (*.xlsx *.csv *.txt);;所有文件 (*)"));
    if (!file.isEmpty())
        openList(file);
}

void BatchWindow::exportList()
{
    QString chosen;
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出"), QStringLiteral("批量查询.xlsx"),
                                                QStringLiteral("Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)"), &chosen);
    if (file.isEmpty())
        return;
    const bool csv = file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ||
                     (!file.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) && chosen.contains(QLatin1String("csv")));
    if (!file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) && !file.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        file += csv ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
    try {
        if (csv)
            batch::writeCsv(table_, file.toStdString());
        else
            batch::writeXlsx(table_, file.toStdString());
        report(QStringLiteral("已导出到 %1").arg(file));
    } catch (const std::runtime_error& e) {
        QMessageBox::warning(this, caption, QStringLiteral("无法导出：%1").arg(text(e.what())));
    }
}

void BatchWindow::copyTable()
{
    QApplication::clipboard()->setText(text(batch::tabText(table_)));
    report(QStringLiteral("表格已复制，可直接粘贴到 Excel 或 WPS 表格。"));
}

void BatchWindow::watchChosen()
{
    QList<int> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
        rows.append(index.row());
    int watched = 0;
    for (const int row : rows) {
        if (row >= static_cast<int>(results_.size()) || !results_[static_cast<size_t>(row)].match.best)
            continue;
        const batch::TariffHit& line = *results_[static_cast<size_t>(row)].match.best;
        emit watchRequested(text(line.code), text(line.name));
        ++watched;
    }
    report(rows.isEmpty() ? QStringLiteral("请先在表中选定要关注的行")
                          : QStringLiteral("已把 %1 个找到的税号加入关注").arg(watched));
}

void BatchWindow::report(const QString& text)
{
    status_->setText(text);
}

} // namespace tarvelo
