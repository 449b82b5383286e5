#pragma once
// The WSDL 1.1 description (document/literal, SOAP 1.1 binding) of the six
// operations and their answers.
#include <string>
#include <string_view>

namespace tarvelo::server {

// ns: the target namespace; endpoint: the address of the port.
std::string wsdlDocument(std::string_view ns, std::string_view endpoint);

} // namespace tarvelo::server
