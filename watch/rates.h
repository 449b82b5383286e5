#pragma once
// A watched tariff line as the service last gave it: the rates in force and
// the next scheduled change, if any.
#include <optional>
#include <string>

namespace tarvelo::watch {

struct Rates {
    std::string mfn, general, consumption, vat, unit, supervision;
    bool operator==(const Rates&) const = default;
};

struct ScheduledChange {
    std::string effective; // 2027-01-01
    Rates rates;
    bool operator==(const ScheduledChange&) const = default;
};

struct WatchedLine {
    std::string code; // 8 or 10 digits
    std::string name;
    std::optional<Rates> inForce;         // none until the service was first asked
    std::optional<ScheduledChange> next;  // none: no change is scheduled
    bool operator==(const WatchedLine&) const = default;
};

// A code the service's tariff lines use: 8 or 10 digits.
bool isLineCode(const std::string& code);

} // namespace tarvelo::watch
