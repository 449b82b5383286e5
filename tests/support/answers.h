#pragma once
// Service answers for the tests, shaped like the customs service's.
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::testkit {

// A SOAP response document whose result element holds inner.
std::string soapAnswer(std::string_view operation, std::string_view inner);

// One record: a Table element with one child element per field, in order.
std::string record(const std::vector<std::pair<std::string, std::string>>& fields);

// Number of Unicode characters in UTF-8 text.
std::size_t characters(std::string_view utf8);

// Number of non-overlapping occurrences of needle in text.
std::size_t occurrences(std::string_view text, std::string_view needle);

// piece, times times over.
std::string repeated(std::string_view piece, std::size_t times);

} // namespace tarvelo::testkit
