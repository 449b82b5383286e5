#pragma once
// Looks up a goods list through the service's tariff search, several lines at
// a time, off the caller's thread: each line's best tariff line, how sure that
// is, and its duty and taxes when a customs value is given.
#include "dutyrules.h"
#include "goodslist.h"
#include "platform/seams.h"
#include "tariffmatch.h"

#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace tarvelo::batch {

struct Connection {
    std::string endpoint; // the service's Service.asmx
    platform::ExchangeTimeouts timeouts{};
    std::string caFile{}; // see service::postXml
};

struct LineResult {
    enum class State {
        Found,
        NotFound,
        Refused,   // the row is wrong (Item::problem) and was not looked up
        NotDone,   // the service could not be reached, or failed on it
        Cancelled,
    };
    State state = State::NotDone;
    Match match;
    std::optional<duty::Outcome> taxes; // with a customs value and a line found
    std::string note;                   // what the broker should know about the line, if anything
};

// Called for each line once it is settled, from a worker thread, one call at a time.
using LineSettled = std::function<void(size_t index, const LineResult& result)>;

// Runs the list; returns when every line is settled. A stop request ends the
// run soon (lines under way finish, the rest are Cancelled). When the service
// cannot be reached, the lines not yet answered are NotDone and the answered
// ones kept.
std::vector<LineResult> runList(const std::vector<Item>& items, const Connection& connection,
                                std::stop_token stop = {}, const LineSettled& settled = {});

// The duty and taxes of an item on a found line, by the rules of the tariff
// page's calculator (the most-favoured-nation duty rate).
duty::Outcome taxesOf(const Item& item, const TariffHit& line);

} // namespace tarvelo::batch
