#pragma once
#include <string_view>

namespace tarvelo::platform {

enum class Buttons { Ok, OkCancel };
// What the user answered. Closing an OK/Cancel box any other way (Escape,
// the close button) counts as Cancel.
enum class Choice { Ok, Cancel };

// Modal message box without an icon. Texts are UTF-8.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual Choice show(std::string_view text, std::string_view caption, Buttons buttons) = 0;
};

} // namespace tarvelo::platform
