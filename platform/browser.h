#pragma once
#include <string>

namespace tarvelo::platform {

// A browser control that shows local page files.
class Browser {
public:
    virtual ~Browser() = default;
    virtual void Navigate(const std::string& location) = 0;
};

} // namespace tarvelo::platform
