#pragma once
#include <string>
#include <string_view>

// Text utilities for the page renderers.
namespace tarvelo::mwin {

// Undoes one level of XML escaping in a single left-to-right pass: &lt; &gt;
// &quot; &apos; &amp; and numeric character references (&#N; &#xH;) become
// their characters. Anything else, a malformed reference included, is kept.
std::string htmldecode(std::string_view s);

// A service date-time for display: every "T" becomes a space and every
// "+08:00" goes, so «2011-01-01T09:30:00+08:00» reads «2011-01-01 09:30:00».
std::string datetext(std::string_view s);

} // namespace tarvelo::mwin
