#pragma once
// Escaping for XML and HTML output.
#include <string>
#include <string_view>

namespace tarvelo::server {

// & < > as entity references: enough for element content.
void appendText(std::string& out, std::string_view text);
// & < > " ' as entity references: safe in element content and in attribute
// values quoted either way.
void appendAttribute(std::string& out, std::string_view text);

std::string escapeText(std::string_view text);
std::string escapeAttribute(std::string_view text);

} // namespace tarvelo::server
