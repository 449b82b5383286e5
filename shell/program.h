#pragma once
#include "batchwindow/batchwindow.h"
#include "bubble/bubblecycle.h"
#include "chrome/frmabout.h"
#include "hub.h"
#include "mainn.h"
#include "platform/seams.h"

#include <QPointer>
#include <QStringList>

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

    platform::Seams& seams() { return seams_; }
    Hub& hub() { return hub_; }
    mainn& main() { return main_; }
    frmAbout* about() const { return about_; }
    BatchWindow* batch() const { return batch_; }

private:
    void showAbout();

    // The seams refer to the hub below; nothing uses them before it is made.
    platform::Seams seams_;
    Hub hub_;
    // The hub's timer ticks run it.
    BubbleCycle bubble_;
    mainn main_;
    QPointer<frmAbout> about_;
    QPointer<BatchWindow> batch_;
};

} // namespace tarvelo
