#include "ratesclient.h"

#include "service/httpexchange.h"

#include <pugixml.hpp>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace tarvelo::watch {
namespace {

Rates ratesOf(const pugi::xml_node& node)
{
    return {node.attribute("mfn").value(),         node.attribute("general").value(),
            node.attribute("consumption").value(), node.attribute("vat").value(),
            node.attribute("unit").value(),        node.attribute("supervision").value()};
}

// The service's site: its endpoint without the trailing "Service.asmx".
std::string siteOf(const std::string& endpoint)
{
    const size_t slash = endpoint.rfind('/');
    return slash == std::string::npos ? endpoint + "/" : endpoint.substr(0, slash + 1);
}

} // namespace

bool isLineCode(const std::string& code)
{
    return (code.size() == 8 || code.size() == 10) &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<WatchedLine> parseRates(std::string_view xml)
{
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size()) || !document.child("rates"))
        throw std::runtime_error("服务的答复不是税率清单");
    std::vector<WatchedLine> lines;
    for (const pugi::xml_node& line : document.child("rates").children("line")) {
        WatchedLine watched{line.attribute("code").value(), line.attribute("name").value(), ratesOf(line), {}};
        if (const pugi::xml_node next = line.child("next"))
            watched.next = ScheduledChange{next.attribute("effective").value(), ratesOf(next)};
        lines.push_back(std::move(watched));
    }
    return lines;
}

FreshRates fetchRates(const Connection& connection, const std::vector<std::string>& codes)
{
    // Asked in parts, so that a long list never makes a URL a proxy refuses.
    constexpr size_t perRequest = 200;
    FreshRates fresh;
    std::vector<std::string> asked;
    std::copy_if(codes.begin(), codes.end(), std::back_inserter(asked), isLineCode);
    for (size_t first = 0; first < asked.size(); first += perRequest) {
        // Only digits go into the query: nothing needs escaping.
        std::string url = siteOf(connection.endpoint) + "rates";
        for (size_t i = first; i < std::min(asked.size(), first + perRequest); ++i)
            url += (i == first ? "?code=" : "&code=") + asked[i];
        const service::HttpAnswer answer = service::getUrl(url, connection.timeouts, connection.caFile);
        if (!answer.delivered)
            return {{}, "服务连接中断：" + answer.error};
        if (answer.status != 200)
            return {{}, "服务答复出错（HTTP " + std::to_string(answer.status) + "）"};
        try {
            for (WatchedLine& line : parseRates(answer.body))
                fresh.lines.push_back(std::move(line));
        } catch (const std::runtime_error& e) {
            return {{}, e.what()};
        }
    }
    return fresh;
}

} // namespace tarvelo::watch
