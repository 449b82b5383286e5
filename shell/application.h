#pragma once
#include "platform/messagebox.h"

#include <QApplication>

namespace tarvelo {

// The program's application object. A failure that a command does not report
// itself (a cache file the system will not let us read, say) ends that
// command with a message instead of ending the program.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    void setMessageBox(platform::MessageBox& messageBox) { messageBox_ = &messageBox; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    platform::MessageBox* messageBox_ = nullptr;
};

} // namespace tarvelo
