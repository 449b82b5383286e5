#pragma once
// The watch list while the program runs: the lines watched, kept in their
// file, and a check of their rates every few minutes on a worker thread, so
// that the user interface never waits on the service.
#include "changes.h"
#include "ratesclient.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace tarvelo::watch {

class WatchMonitor : public QObject {
    Q_OBJECT
public:
    // today gives the local date (2026-12-10); tests fix it.
    WatchMonitor(std::filesystem::path file, Connection connection, std::function<std::string()> today,
                 QObject* parent = nullptr);
    // Waits for a check under way.
    ~WatchMonitor() override;

    static constexpr int checkIntervalMs = 5 * 60 * 1000;
    // Starts the periodic checks; the first comes a minute after the start.
    void start();

    const std::vector<WatchedLine>& lines() const { return lines_; }
    // Whether the last check found no such line in the service's schedule.
    bool unknown(const std::string& code) const { return unknown_.contains(code); }
    bool watches(const std::string& code) const;
    // Adds a line (its rates come with the check this starts); false when the
    // code is not a tariff line or is watched already.
    bool add(const std::string& code, const std::string& name = {});
    void remove(const std::string& code);
    // Checks now, unless a check is under way.
    void check();
    bool checking() const { return checking_; }
    // Why the file could not be read when the list was loaded; empty when it was.
    const std::string& loadProblem() const { return loadProblem_; }

signals:
    void linesChanged();
    // Rates of watched lines changed since the last check.
    void changesFound(const std::vector<tarvelo::watch::RateChange>& changes);
    // A check (or saving the list) went wrong; the list is kept as it was.
    void problem(const QString& text);
    void checked();

private:
    void checkDone(FreshRates fresh, const std::vector<WatchedLine>& asked);
    void save();

    std::filesystem::path file_;
    Connection connection_;
    std::function<std::string()> today_;
    std::vector<WatchedLine> lines_;
    std::set<std::string> unknown_;
    std::string loadProblem_;
    QTimer timer_;
    bool checking_ = false;
    bool again_ = false; // a line was added while a check ran
    std::jthread worker_; // last: joined before what it reports to goes
};

} // namespace tarvelo::watch
