#pragma once
#include <QString>

namespace tarvelo {

namespace platform {
class Browser;
}

// What the hub's commands use of the loaded main window: the browser control
// that shows every page and the search box.
class MainView {
public:
    virtual ~MainView() = default;
    virtual platform::Browser& WebBrowser1() = 0;
    virtual QString text1() const = 0;
    virtual void setText1(const QString& text) = 0;
};

} // namespace tarvelo
