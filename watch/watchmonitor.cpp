#include "watchmonitor.h"

#include "watchfile.h"

#include <algorithm>
#include <utility>

namespace tarvelo::watch {

WatchMonitor::WatchMonitor(std::filesystem::path file, Connection connection, std::function<std::string()> today,
                           QObject* parent)
    : QObject(parent), file_(std::move(file)), connection_(std::move(connection)), today_(std::move(today))
{
    LoadedList loaded = loadWatchList(file_, today_());
    lines_ = std::move(loaded.lines);
    loadProblem_ = std::move(loaded.damaged);
    timer_.setInterval(checkIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &WatchMonitor::check);
}

WatchMonitor::~WatchMonitor() = default;

void WatchMonitor::start()
{
    timer_.start();
    QTimer::singleShot(60'000, this, &WatchMonitor::check);
}

bool WatchMonitor::watches(const std::string& code) const
{
    return std::any_of(lines_.begin(), lines_.end(), [&](const WatchedLine& l) { return l.code == code; });
}

bool WatchMonitor::add(const std::string& code, const std::string& name)
{
    if (!isLineCode(code) || watches(code))
        return false;
    lines_.push_back({code, name, {}, {}});
    save();
    emit linesChanged();
    check();
    return true;
}

void WatchMonitor::remove(const std::string& code)
{
    const auto removed = std::remove_if(lines_.begin(), lines_.end(), [&](const WatchedLine& l) { return l.code == code; });
    if (removed == lines_.end())
        return;
    lines_.erase(removed, lines_.end());
    save();
    emit linesChanged();
}

void WatchMonitor::check()
{
    if (checking_) {
        again_ = true;
        return;
    }
    if (lines_.empty())
        return;
    checking_ = true;
    if (worker_.joinable())
        worker_.join();
    std::vector<std::string> codes;
    for (const WatchedLine& line : lines_)
        codes.push_back(line.code);
    worker_ = std::jthread([this, codes, asked = lines_, connection = connection_] {
        FreshRates fresh = fetchRates(connection, codes);
        QMetaObject::invokeMethod(
            this, [this, fresh = std::move(fresh), asked]() mutable { checkDone(std::move(fresh), asked); },
            Qt::QueuedConnection);
    });
}

void WatchMonitor::checkDone(FreshRates fresh, const std::vector<WatchedLine>& asked)
{
    checking_ = false;
    if (!fresh.error.empty()) {
        emit problem(QString::fromStdString(fresh.error));
    } else {
        // Compared with what was asked about; lines added or removed meanwhile stay so.
        CheckOutcome outcome = detectChanges(asked, fresh.lines, today_());
        unknown_.clear();
        for (const WatchedLine& line : asked)
            if (std::none_of(fresh.lines.begin(), fresh.lines.end(), [&](const WatchedLine& f) { return f.code == line.code; }))
                unknown_.insert(line.code);
        for (WatchedLine& line : lines_) {
            const auto updated = std::find_if(outcome.lines.begin(), outcome.lines.end(),
                                              [&](const WatchedLine& l) { return l.code == line.code; });
            if (updated != outcome.lines.end())
                line = *updated;
        }
        save();
        emit linesChanged();
        if (!outcome.changes.empty())
            emit changesFound(outcome.changes);
    }
    emit checked();
    if (std::exchange(again_, false))
        check();
}

void WatchMonitor::save()
{
    try {
        saveWatchList(file_, lines_);
    } catch (const std::runtime_error& e) {
        emit problem(QString::fromStdString(e.what()));
    }
}

} // namespace tarvelo::watch
