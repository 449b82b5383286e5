#pragma once
// The watch bubble's content: the changed lines, each with its rates old → new.
#include "changes.h"

#include <string>
#include <vector>

namespace tarvelo::watch {

// An HTML fragment in UTF-8 (a style block and the list), for a page frame.
std::string changesFragment(const std::vector<RateChange>& changes);

} // namespace tarvelo::watch
