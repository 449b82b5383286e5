#pragma once
#include "platform/messagebox.h"

namespace tarvelo::platform {

// Modal QMessageBox without an icon. A lone carriage return in the text
// breaks the line, as it does in the message texts of the program.
class QtMessageBox : public MessageBox {
public:
    Choice show(std::string_view text, std::string_view caption, Buttons buttons) override;
};

} // namespace tarvelo::platform
