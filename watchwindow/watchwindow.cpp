#include "watchwindow.h"

#include "watch/watchmonitor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

#include <utility>

namespace tarvelo {
namespace {

// The goods-list window's colours: the program's light green, news in yellow.
const QColor background(192, 255, 192);
const QColor scheduled(255, 242, 160);

const QStringList headings{QStringLiteral("税则号列"), QStringLiteral("货品名称"), QStringLiteral("最惠国税率"),
                           QStringLiteral("普通税率"), QStringLiteral("消费税率"),   QStringLiteral("增值税率"),
                           QStringLiteral("计量单位"), QStringLiteral("监管条件"),   QStringLiteral("下次调整")};

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// The next scheduled change in one cell: its day and the rates that change.
QString nextChangeText(const watch::WatchedLine& line)
{
    if (!line.next)
        return QStringLiteral("无");
    QStringList parts{text(line.next->effective) + QStringLiteral(" 起")};
    const watch::Rates& now = line.inForce.value_or(watch::Rates{});
    const watch::Rates& then = line.next->rates;
    const std::pair<QString, std::string watch::Rates::*> fields[] = {
        {QStringLiteral("最惠国"), &watch::Rates::mfn},   {QStringLiteral("普通"), &watch::Rates::general},
        {QStringLiteral("消费税"), &watch::Rates::consumption}, {QStringLiteral("增值税"), &watch::Rates::vat},
        {QStringLiteral("单位"), &watch::Rates::unit},    {QStringLiteral("监管条件"), &watch::Rates::supervision}};
    for (const auto& [label, field] : fields)
        if (now.*field != then.*field)
            parts.append(label + QStringLiteral(" ") + text(then.*field));
    return parts.join(QStringLiteral("，"));
}

} // namespace

WatchWindow::WatchWindow(watch::WatchMonitor& monitor, QWidget* parent)
    : QWidget(parent, Qt::Window), monitor_(monitor)
{
    setObjectName(QStringLiteral("frmWatch"));
    setWindowTitle(QStringLiteral("关注"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    resize(900, 420);

    codeBox_ = new QLineEdit(this);
    codeBox_->setObjectName(QStringLiteral("txtCode"));
    codeBox_->setPlaceholderText(QStringLiteral("输入税则号列（8 位或 10 位），如 22042100"));
    addButton_ = new QPushButton(QStringLiteral("加入关注"), this);
    addButton_->setObjectName(QStringLiteral("cmdAdd"));
    removeButton_ = new QPushButton(QStringLiteral("取消关注"), this);
    removeButton_->setObjectName(QStringLiteral("cmdRemove"));
    checkButton_ = new QPushButton(QStringLiteral("立即检查"), this);
    checkButton_->setObjectName(QStringLiteral("cmdCheck"));
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("grdWatch"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    grid_->setColumnCount(static_cast<int>(headings.size()));
    grid_->setHorizontalHeaderLabels(headings);
    grid_->horizontalHeader()->setStretchLastSection(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(codeBox_, 1);
    for (QPushButton* b : {addButton_, removeButton_, checkButton_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid_, 1);
    layout->addWidget(status_);

    connect(addButton_, &QPushButton::clicked, this, [this] { addLine(codeBox_->text().trimmed()); });
    connect(codeBox_, &QLineEdit::returnPressed, addButton_, &QPushButton::click);
    connect(removeButton_, &QPushButton::clicked, this, &WatchWindow::removeSelected);
    connect(checkButton_, &QPushButton::clicked, this, [this] {
        report(QStringLiteral("正在检查…"));
        monitor_.check();
    });
    connect(&monitor_, &watch::WatchMonitor::linesChanged, this, &WatchWindow::showLines);
    // A problem stays on the status line until the next check goes well.
    connect(&monitor_, &watch::WatchMonitor::problem, this, [this](const QString& text) {
        troubled_ = true;
        report(text);
    });
    connect(&monitor_, &watch::WatchMonitor::checked, this, [this] {
        if (!std::exchange(troubled_, false))
            report(QStringLiteral("%1 已检查 %2 个税号")
                       .arg(QTime::currentTime().toString(QStringLiteral("HH:mm")))
                       .arg(monitor_.lines().size()));
    });
    showLines();
    if (!monitor_.loadProblem().empty())
        report(text(monitor_.loadProblem()));
}

void WatchWindow::addLine(const QString& code, const QString& name)
{
    const std::string wanted = code.toStdString();
    if (!watch::isLineCode(wanted))
        return report(QStringLiteral("“%1”不是税则号列：请输入 8 位或 10 位数字。").arg(code));
    if (!monitor_.add(wanted, name.toStdString()))
        return report(QStringLiteral("%1 已在关注中").arg(code));
    codeBox_->clear();
    report(QStringLiteral("已关注 %1，正在查询税率…").arg(code));
}

void WatchWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    monitor_.check();
}

void WatchWindow::showLines()
{
    const std::vector<watch::WatchedLine>& lines = monitor_.lines();
    grid_->setRowCount(static_cast<int>(lines.size()));
    for (size_t row = 0; row < lines.size(); ++row) {
        const watch::WatchedLine& line = lines[row];
        const watch::Rates rates = line.inForce.value_or(watch::Rates{});
        const QString pending = line.inForce                   ? QString()
                                : monitor_.unknown(line.code) ? QStringLiteral("税则中暂无此税号")
                                                              : QStringLiteral("（待查询）");
        const QString cells[] = {text(line.code), text(line.name),   text(rates.mfn) + pending,
                                 text(rates.general), text(rates.consumption), text(rates.vat),
                                 text(rates.unit),    text(rates.supervision), nextChangeText(line)};
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 8 && line.next)
                item->setBackground(scheduled);
            grid_->setItem(static_cast<int>(row), c, item);
        }
    }
    grid_->resizeColumnsToContents();
}

void WatchWindow::removeSelected()
{
    const QList<QTableWidgetItem*> chosen = grid_->selectedItems();
    if (chosen.isEmpty())
        return report(QStringLiteral("请先在表中选定要取消关注的税号"));
    QStringList codes;
    for (const QTableWidgetItem* item : chosen)
        if (item->column() == 0)
            codes.append(item->text());
    for (const QString& code : codes)
        monitor_.remove(code.toStdString());
    report(QStringLiteral("已取消关注 %1").arg(codes.join(QStringLiteral("、"))));
}

void WatchWindow::report(const QString& text)
{
    status_->setText(text);
}

} // namespace tarvelo
