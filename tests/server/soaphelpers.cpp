#include "soaphelpers.h"

#include <httplib.h>
#include <pugixml.hpp>

namespace tarvelo::testkit {
namespace {

void collect(const pugi::xml_node& node, std::string& out)
{
    for (const pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        else if (child.type() == pugi::node_element)
            collect(child, out);
    }
}

template <class Visit>
void eachElement(std::string_view xml, std::string_view tag, Visit visit)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size()))
        return;
    struct Walker : pugi::xml_tree_walker {
        std::string_view tag;
        Visit* visit;
        bool for_each(pugi::xml_node& node) override
        {
            if (node.type() == pugi::node_element && tag == node.name())
                (*visit)(node);
            return true;
        }
    } walker;
    walker.tag = tag;
    walker.visit = &visit;
    doc.traverse(walker);
}

HttpReply convert(const httplib::Result& result)
{
    if (!result)
        return {};
    return {result->status, result->get_header_value("Content-Type"), result->body,
            result->get_header_value("X-Cache-Status")};
}

} // namespace

std::vector<std::string> elementTexts(std::string_view xml, std::string_view tag)
{
    std::vector<std::string> texts;
    eachElement(xml, tag, [&](const pugi::xml_node& node) {
        std::string text;
        collect(node, text);
        texts.push_back(std::move(text));
    });
    return texts;
}

size_t countElements(std::string_view xml, std::string_view tag)
{
    return elementTexts(xml, tag).size();
}

// A service on loopback takes a connection at once or not at all: a stuck
// connection fails in seconds instead of the library's five minutes (the
// test's own time-out, which would say nothing about where it stuck).
httplib::Client loopbackClient(int port)
{
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(10, 0);
    return client;
}

HttpReply httpGet(int port, const std::string& path)
{
    httplib::Client client = loopbackClient(port);
    return convert(client.Get(path));
}

HttpReply httpPost(int port, const std::string& body, const std::map<std::string, std::string>& headers)
{
    httplib::Client client = loopbackClient(port);
    httplib::Headers h(headers.begin(), headers.end());
    return convert(client.Post("/Service.asmx", h, body, "text/xml;charset=utf-8"));
}

std::string pathOnService(std::string_view link, int port)
{
    const std::string site = "http://127.0.0.1:" + std::to_string(port);
    if (!link.starts_with(site) || link.size() == site.size() || link[site.size()] != '/')
        return {};
    return std::string(link.substr(site.size()));
}

std::string soapRequest(std::string_view operation, std::string_view keywordElement, std::string_view token,
                        std::string_view ns)
{
    std::string s = R"(<?xml version="1.0" encoding="utf-8"?><soap:Envelope)"
                    R"( xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body><)";
    s += operation;
    s += R"( xmlns=")";
    s += ns;
    s += R"(">)";
    s += keywordElement;
    s += "<taken>";
    s += token;
    s += "</taken></";
    s += operation;
    s += "></soap:Body></soap:Envelope>";
    return s;
}

} // namespace tarvelo::testkit
