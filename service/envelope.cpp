#include "envelope.h"

#include "config.h"

#include "accesstoken.h"
#include "escape.h"

namespace tarvelo::service {

std::string envelope(std::string_view operation, std::optional<std::string_view> keyword)
{
    std::string s;
    s.reserve(400 + (keyword ? keyword->size() * 2 : 0));
    s += R"(<?xml version="1.0" encoding="utf-8"?>)";
    s += R"(<soap:Envelope xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance")"
         R"( xmlns:xsd="http://www.w3.org/2001/XMLSchema")"
         R"( xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">)";
    s += "<soap:Body>";
    s += '<';
    s += operation;
    s += R"( xmlns=")";
    s += config::serviceNamespace;
    s += R"(">)";
    if (keyword) {
        s += "<keyword>";
        s += escapeXml(*keyword);
        s += "</keyword>";
    }
    s += "<taken>";
    s += builtInAccessToken;
    s += "</taken>";
    s += "</";
    s += operation;
    s += '>';
    s += "</soap:Body>";
    s += "</soap:Envelope>";
    return s;
}

std::string_view defaultEndpoint()
{
    return config::defaultEndpoint;
}

} // namespace tarvelo::service
