#pragma once
// What changed on watched lines between the rates last seen and those the
// service gives now.
#include "rates.h"

#include <string>
#include <vector>

namespace tarvelo::watch {

struct RateChange {
    std::string code, name;
    Rates before, after;
    // A change scheduled for a day that has come (before today or on it),
    // rather than one an import of new rates made.
    bool scheduled = false;
};

struct CheckOutcome {
    std::vector<WatchedLine> lines; // the list with the fresh rates
    std::vector<RateChange> changes;
};

// Compares stored with fresh (the service's answer, in any order). A line
// seen for the first time takes its rates without a change; a line the
// answer lacks keeps what it had. today: 2026-12-10.
CheckOutcome detectChanges(const std::vector<WatchedLine>& stored, const std::vector<WatchedLine>& fresh,
                           const std::string& today);

} // namespace tarvelo::watch
