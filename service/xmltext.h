#pragma once
#include <pugixml.hpp>
#include <string>

namespace tarvelo::service {

// The text content of an element: all descendant text and CDATA, joined in
// document order.
std::string textContent(const pugi::xml_node& node);

// Appends the text content of node to out.
void appendTextContent(const pugi::xml_node& node, std::string& out);

} // namespace tarvelo::service
