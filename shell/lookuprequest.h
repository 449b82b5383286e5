#pragma once
#include <QString>

#include <cstdint>
#include <optional>

namespace tarvelo {

// A search asked for on the command line (see parseCommandLine), by this
// start or by a later one.
struct LookupRequest {
    QString text;               // as given, for --search
    bool fromSelection = false; // --search-selection: the selected text, read when the search runs
    std::optional<int16_t> category; // none: the current tab
};

// The text selected in any program (the X11 primary selection), else the
// clipboard's text, trimmed.
QString selectedText();

} // namespace tarvelo
