#pragma once
// Reading one SOAP 1.1 request of the customs-data service. The operation is
// the first element inside soap:Body, recognised by its local name; its
// namespace is recorded but not checked, so clients built for any host name
// are understood.
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo::server {

enum class Operation { PE_Article, Commodity, Export, Tariff, mdefaut, maopao };

std::string_view operationName(Operation op);
std::optional<Operation> operationNamed(std::string_view localName);
bool takesKeyword(Operation op);

struct SoapRequest {
    Operation operation{};
    std::string ns;      // namespace URI of the operation element, may be empty
    std::string keyword; // text of the keyword element (keyword operations)
    std::string token;   // text of the taken element
    bool hasToken = false;
};

struct SoapReadResult {
    std::optional<SoapRequest> request;
    std::string problem; // why the request was refused, when request is empty
};

SoapReadResult readSoapRequest(std::string_view body);

} // namespace tarvelo::server
