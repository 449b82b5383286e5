#pragma once
#include <chrono>

namespace tarvelo {

// Whole minutes from written to now, both cut to the minute: 10:00:59 to
// 10:01:00 is 1, 10:00:00 to 10:00:59 is 0, a future time is negative.
int minutesBetween(std::chrono::system_clock::time_point written, std::chrono::system_clock::time_point now);

// The cached home page is shown again only when it is 1 to 3 minutes old.
inline bool homePageReusable(int minutes) { return minutes >= 1 && minutes <= 3; }

} // namespace tarvelo
