#include "changes.h"

#include <algorithm>

namespace tarvelo::watch {

CheckOutcome detectChanges(const std::vector<WatchedLine>& stored, const std::vector<WatchedLine>& fresh,
                           const std::string& today)
{
    CheckOutcome outcome;
    for (const WatchedLine& line : stored) {
        const auto answer =
            std::find_if(fresh.begin(), fresh.end(), [&](const WatchedLine& f) { return f.code == line.code; });
        if (answer == fresh.end() || !answer->inForce) {
            outcome.lines.push_back(line);
            continue;
        }
        if (line.inForce && *line.inForce != *answer->inForce) {
            const bool due = line.next && line.next->effective <= today && line.next->rates == *answer->inForce;
            outcome.changes.push_back({line.code, answer->name, *line.inForce, *answer->inForce, due});
        }
        outcome.lines.push_back(*answer);
    }
    return outcome;
}

} // namespace tarvelo::watch
