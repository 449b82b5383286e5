#include "soaprequest.h"

#include <pugixml.hpp>

#include <array>
#include <utility>

namespace tarvelo::server {
namespace {

constexpr std::array<std::pair<std::string_view, Operation>, 6> operations{{
    {"PE_Article", Operation::PE_Article},
    {"Commodity", Operation::Commodity},
    {"Export", Operation::Export},
    {"Tariff", Operation::Tariff},
    {"mdefaut", Operation::mdefaut},
    {"maopao", Operation::maopao},
}};

constexpr std::string_view envelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";

std::string_view localName(const pugi::xml_node& node)
{
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view prefixOf(const pugi::xml_node& node)
{
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
}

// The namespace URI bound to the element's prefix, looked up through its ancestors.
std::string namespaceOf(const pugi::xml_node& node)
{
    const std::string_view prefix = prefixOf(node);
    const std::string attribute = prefix.empty() ? std::string("xmlns") : "xmlns:" + std::string(prefix);
    for (pugi::xml_node n = node; n && n.type() == pugi::node_element; n = n.parent())
        if (const pugi::xml_attribute a = n.attribute(attribute.c_str()))
            return a.value();
    return {};
}

pugi::xml_node childNamed(const pugi::xml_node& parent, std::string_view local)
{
    for (const pugi::xml_node child : parent.children())
        if (child.type() == pugi::node_element && localName(child) == local)
            return child;
    return {};
}

pugi::xml_node firstElement(const pugi::xml_node& parent)
{
    for (const pugi::xml_node child : parent.children())
        if (child.type() == pugi::node_element)
            return child;
    return {};
}

// All text and CDATA inside node, in document order. The walk follows the
// tree's own links instead of recursing: a request can nest elements hundreds
// of thousands deep, far deeper than the stack would take.
std::string textOf(const pugi::xml_node& node)
{
    std::string text;
    pugi::xml_node cur = node.first_child();
    while (cur) {
        const pugi::xml_node_type type = cur.type();
        if (type == pugi::node_pcdata || type == pugi::node_cdata)
            text += cur.value();
        if (type == pugi::node_element && cur.first_child()) {
            cur = cur.first_child();
            continue;
        }
        while (cur != node && !cur.next_sibling())
            cur = cur.parent();
        if (cur == node)
            break;
        cur = cur.next_sibling();
    }
    return text;
}

SoapReadResult refuse(std::string problem)
{
    return {std::nullopt, std::move(problem)};
}

} // namespace

std::string_view operationName(Operation op)
{
    for (const auto& [name, value] : operations)
        if (value == op)
            return name;
    return {};
}

std::optional<Operation> operationNamed(std::string_view localName)
{
    for (const auto& [name, value] : operations)
        if (name == localName)
            return value;
    return std::nullopt;
}

bool takesKeyword(Operation op)
{
    return op != Operation::mdefaut && op != Operation::maopao;
}

SoapReadResult readSoapRequest(std::string_view body)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(body.data(), body.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed)
        return refuse("the request is not well-formed XML: " + std::string(parsed.description()) + " at offset " +
                      std::to_string(parsed.offset));
    const pugi::xml_node envelope = doc.document_element();
    if (localName(envelope) != "Envelope" || namespaceOf(envelope) != envelopeNamespace)
        return refuse("the request is not a SOAP 1.1 envelope");
    const pugi::xml_node soapBody = childNamed(envelope, "Body");
    if (!soapBody)
        return refuse("the envelope has no Body");
    const pugi::xml_node call = firstElement(soapBody);
    if (!call)
        return refuse("the Body names no operation");
    const auto operation = operationNamed(localName(call));
    if (!operation)
        return refuse("unknown operation \"" + std::string(localName(call)) + "\"");

    SoapRequest request;
    request.operation = *operation;
    request.ns = namespaceOf(call);
    if (takesKeyword(*operation)) {
        const pugi::xml_node keyword = childNamed(call, "keyword");
        if (!keyword)
            return refuse(std::string(operationName(*operation)) + " needs a keyword element");
        request.keyword = textOf(keyword);
    }
    if (const pugi::xml_node token = childNamed(call, "taken")) {
        request.hasToken = true;
        request.token = textOf(token);
    }
    return {std::move(request), {}};
}

} // namespace tarvelo::server
