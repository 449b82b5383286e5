#pragma once
#include <QObject>
#include <QPointer>

#include <vector>

namespace tarvelo {

namespace platform {
struct Seams;
}

class Hub;
class MainWindow;

// The main window as the rest of the program knows it: it lasts for the run,
// while the window it stands for is made on load and dropped on unload.
class mainn : public QObject {
    Q_OBJECT
public:
    mainn(Hub& hub, platform::Seams& seams, QObject* parent = nullptr);
    ~mainn() override;

    // The start-up sequence: load, lay out the frame, show centred.
    void start();
    // Shows the window, loading it first when it is unloaded (a tray click, a
    // second start of the program).
    void Show();
    // Shows the window in its normal state (the tray menu's open entry).
    void open();
    // Drops the window; the program goes on in the tray.
    void Unload();
    // Minimises a loaded window to the taskbar (the desktop has no tray).
    void minimize();

    // The loaded window, or nullptr.
    MainWindow* window() const;

private:
    void load();

    Hub& hub_;
    platform::Seams& seams_;
    QPointer<MainWindow> window_;
    // The window whose load steps run; a prompt in them runs its own event
    // loop, in which the user may unload it.
    QPointer<MainWindow> loading_;
    // Unloaded windows waiting for their deletion; they go with this object at
    // the latest, before the browser engine does.
    std::vector<QPointer<MainWindow>> unloaded_;
};

} // namespace tarvelo
