#pragma once
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace tarvelo {

// A search asked for on the command line, by this start or by a later one:
//   --search TEXT [--category law|commodity|tariff|export]
//   --search-selection [--category ...]
struct LookupRequest {
    QString text;               // as given, for --search
    bool fromSelection = false; // --search-selection: the selected text, read when the search runs
    std::optional<int16_t> category; // none: the current tab
};

struct LookupParse {
    std::optional<LookupRequest> request; // none when the arguments ask for no search
    QString error;                        // not empty: the arguments are wrong, and why
};

// Reads the arguments after the program name; others are left to whoever
// wants them.
LookupParse parseLookup(const QStringList& arguments);

// The text selected in any program (the X11 primary selection), else the
// clipboard's text, trimmed.
QString selectedText();

} // namespace tarvelo
