#pragma once
// Escaping text for XML and HTML output.
#include <string>
#include <string_view>

namespace tarvelo {

// & < > as entity references: enough for element content.
void appendText(std::string& out, std::string_view text);
// & < > " ' as entity references: safe in element content and in attribute
// values quoted either way, in HTML as in XML (the apostrophe as &#39;,
// since HTML 4 has no &apos;).
void appendAttribute(std::string& out, std::string_view text);

std::string escapeText(std::string_view text);
std::string escapeAttribute(std::string_view text);
// As escapeAttribute, with XML's own &apos; for the apostrophe: for XML
// documents such as SOAP requests.
std::string escapeXml(std::string_view text);

} // namespace tarvelo
