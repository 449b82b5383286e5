#pragma once
// Asks the service for the rates in force of watched lines (GET /rates next to
// its Service.asmx).
#include "platform/seams.h"
#include "rates.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::watch {

struct Connection {
    std::string endpoint; // the service's Service.asmx
    platform::ExchangeTimeouts timeouts{};
    std::string caFile{};
};

struct FreshRates {
    std::vector<WatchedLine> lines; // the lines the schedule holds, each with inForce set
    std::string error;              // why nothing was answered; empty when it was
};

// The lines of a rates answer; throws std::runtime_error when it is not one.
std::vector<WatchedLine> parseRates(std::string_view xml);

FreshRates fetchRates(const Connection& connection, const std::vector<std::string>& codes);

} // namespace tarvelo::watch
