#pragma once
// Pages built from kept answers when the service cannot be reached.
#include <chrono>
#include <string>
#include <string_view>

namespace tarvelo::pages {

// Whether an answer is worth keeping: well-formed XML that is not a SOAP fault
// (the home page's list text counts as well).
bool worthKeeping(std::string_view answer);

// The one-line notice above such a page, naming when the answer was saved
// (local time).
std::string keptNotice(std::chrono::system_clock::time_point saved);

} // namespace tarvelo::pages
