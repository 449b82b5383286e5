#pragma once
// Page fragments from service answers. Pure text functions: the service call
// and the no-result message live in cshtml.
#include <string>
#include <string_view>

namespace tarvelo::pages {

struct Fragment {
    std::string text;
    bool hasRecords = false; // false: the user is to be told that nothing was found
};

// Results of the four lookups; answer is the service's answer text (UTF-8).
Fragment tariffFragment(std::string_view answer);
Fragment commodityFragment(std::string_view answer);
Fragment exportFragment(std::string_view answer);
Fragment articlesFragment(std::string_view answer);

// The home page and the bubble page: a style block and the decoded answer,
// envelope and all.
std::string homeFragment(std::string_view answer);
std::string bubbleFragment(std::string_view answer);

} // namespace tarvelo::pages
