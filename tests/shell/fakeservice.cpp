#include "fakeservice.h"

#include <array>

namespace tarvelo::testkit {
namespace {

std::string between(const std::string& text, const std::string& open, const std::string& close)
{
    const auto a = text.find(open);
    if (a == std::string::npos)
        return {};
    const auto b = text.find(close, a + open.size());
    return text.substr(a + open.size(), b - a - open.size());
}

std::string envelope(const std::string& operation, const std::string& content)
{
    return R"(<?xml version="1.0" encoding="utf-8"?><soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body><)"
           + operation + "Response><" + operation + "Result>" + content + "</" + operation + "Result></" + operation
           + "Response></soap:Body></soap:Envelope>";
}

std::string record(const std::string& operation, const std::string& keyword)
{
    if (operation == "Tariff")
        return "<ArticleID>1</ArticleID><HS_code>7208.1000</HS_code><Product_name>" + keyword
               + "</Product_name><MFN>3%</MFN><Gen>14%</Gen><GST>0</GST><VAT>13%</VAT><Unit>kg</Unit><SC>-</SC>"
                 "<EN_Description>d</EN_Description>";
    if (operation == "Commodity")
        return "<C_Code>7208.1000</C_Code><C_Name>" + keyword + "</C_Name><thisurl>/a</thisurl><thenurl>/b</thenurl>";
    if (operation == "Export")
        return "<ArticleID>1</ArticleID><Goods_code>7208.1000</Goods_code><Goods_name>" + keyword
               + "</Goods_name><Unit>kg</Unit><ED>13%</ED>";
    return "<title>" + keyword + "</title><thisurl>http://example.org/a</thisurl><UpdateTime>2024-01-02 10:00:00</UpdateTime>";
}

} // namespace

FakeService::FakeService() : server_([this](const CapturedRequest& r) { return answer(r); }) {}

ScriptedAnswer FakeService::answer(const CapturedRequest& request)
{
    static const std::array<std::string, 6> operations = {"Tariff", "Commodity", "Export", "PE_Article", "mdefaut",
                                                          "maopao"};
    std::string operation;
    for (const auto& o : operations)
        if (request.body.find("<" + o + " ") != std::string::npos)
            operation = o;
    const std::string keyword = between(request.body, "<keyword>", "</keyword>");
    int n = 0;
    {
        std::lock_guard lock(mutex_);
        n = ++counts_[operation];
        lastKeyword_ = keyword;
    }
    if (operation == "mdefaut" || operation == "maopao")
        return ScriptedAnswer::ok(envelope(operation, "&lt;ul&gt;&lt;li&gt;news " + std::to_string(n)
                                                          + "&lt;/li&gt;&lt;/ul&gt;"));
    return ScriptedAnswer::ok(envelope(operation, empty_ ? std::string() : record(operation, keyword)));
}

int FakeService::count(const std::string& operation) const
{
    std::lock_guard lock(mutex_);
    const auto it = counts_.find(operation);
    return it == counts_.end() ? 0 : it->second;
}

std::string FakeService::lastKeyword() const
{
    std::lock_guard lock(mutex_);
    return lastKeyword_;
}

} // namespace tarvelo::testkit
