#pragma once
// The SOAP requests of the service's operations, as the build addresses them.
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo::service {

// The complete request text of one operation: with its keyword for the four
// searches, without one for the news lists; the access token always.
std::string envelope(std::string_view operation, std::optional<std::string_view> keyword);

// The build's endpoint (TARVELO_SERVICE_URL).
std::string_view defaultEndpoint();

} // namespace tarvelo::service
