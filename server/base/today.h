#pragma once
// Dates as the schedules carry them: 2026-01-01.
#include <string>
#include <string_view>

namespace tarvelo::server {

// A real calendar date written like 2026-01-01 (2026-02-30 is not one).
bool isDate(std::string_view text);
// fixed when it is not empty, else the local date of this machine.
std::string dateToday(std::string_view fixed);
// The local time now in strftime's format (at most 31 characters).
std::string localTimeText(const char* format);

} // namespace tarvelo::server
