#pragma once
#include "platform/seams.h"

#include <string>
#include <string_view>

namespace tarvelo::service {

struct HttpAnswer {
    bool delivered = false; // false: no answer arrived (refused, unresolved, reset, timed out)
    long status = 0;
    std::string body;        // raw bytes of the response body
    std::string contentType; // the response's Content-Type header, as sent
    std::string error;       // what went wrong when nothing was delivered
};

// Largest answer body taken; a longer one is treated as a failed exchange.
inline constexpr size_t maxAnswerBytes = 64u << 20;

// One blocking HTTP POST of an XML request body (UTF-8) with the content type
// "text/xml;charset=utf-8" and no other header of its own. An https service's
// certificate and host name are always verified, against the system's
// certificate authorities or, when caFile is not empty, those in that file;
// a certificate that fails is a failed exchange.
HttpAnswer postXml(const std::string& url, std::string_view body,
                   const platform::ExchangeTimeouts& timeouts, const std::string& caFile = {});

// A GET of url, with the same checks, time limits and redirects as postXml.
HttpAnswer getUrl(const std::string& url, const platform::ExchangeTimeouts& timeouts, const std::string& caFile = {});

// The charset parameter of a Content-Type value, or empty.
std::string charsetOf(std::string_view contentType);

} // namespace tarvelo::service
