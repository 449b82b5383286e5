#include "application.h"

#include <exception>
#include <string>

namespace tarvelo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        if (messageBox_)
            messageBox_->show(std::string("操作没有完成：") + failure.what(), "Tarvelo", platform::Buttons::Ok);
        return false;
    }
}

} // namespace tarvelo
