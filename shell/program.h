#pragma once
#include "batchwindow/batchwindow.h"
#include "bubble/bubblecycle.h"
#include "bubble/watchbubble.h"
#include "chrome/frmabout.h"
#include "hub.h"
#include "mainn.h"
#include "platform/seams.h"
#include "watch/watchmonitor.h"
#include "watchwindow/watchwindow.h"

#include <QPointer>
#include <QStringList>

#include <filesystem>
#include <memory>

namespace tarvelo {

// The running program: the seams bundle, the hub, the bubble cycle and the
// main window, wired together. The program gives it the Qt seams, tests give it fakes.
class Program {
public:
    Program(platform::MessageBox& messageBox, platform::ProcessExit& processExit, platform::Clock& clock,
            platform::ProgramFolder& programFolder);
    ~Program();

    // Creates and shows the main window, which brings up the hub and tray.
    void start() { main_.start(); }
    // Runs the search the arguments ask for (see parseCommandLine), in its
    // category's tab as a typed search runs; a selection of nothing, or of a
    // placeholder, only brings the window forward. A goods list opens the
    // goods-list window with it.
    void lookUp(const QStringList& arguments);
    // Brings the goods-list window forward, made anew when closed; with a
    // file, its list is read into it.
    void showBatch(const QString& file = {});
    // Keeps the watch list in file and checks it from now on; a damaged
    // file is reported once the window is up.
    void watchList(const std::filesystem::path& file);
    // Brings the watch window forward, made anew when closed, watching code
    // (a tariff line) when one is given. Nothing without a watch list.
    void showWatch(const QString& code = {}, const QString& name = {});

    platform::Seams& seams() { return seams_; }
    Hub& hub() { return hub_; }
    mainn& main() { return main_; }
    frmAbout* about() const { return about_; }
    BatchWindow* batch() const { return batch_; }
    watch::WatchMonitor* watchMonitor() const { return watch_.get(); }
    WatchWindow* watchWindow() const { return watchWindow_; }

private:
    void showAbout();
    // The service as the build (or a test) addresses it.
    std::string endpoint() const;

    // The seams refer to the hub below; nothing uses them before it is made.
    platform::Seams seams_;
    Hub hub_;
    // The hub's timer ticks run it.
    BubbleCycle bubble_;
    WatchBubble watchBubble_;
    mainn main_;
    QPointer<frmAbout> about_;
    QPointer<BatchWindow> batch_;
    std::unique_ptr<watch::WatchMonitor> watch_;
    QPointer<WatchWindow> watchWindow_;
};

} // namespace tarvelo
