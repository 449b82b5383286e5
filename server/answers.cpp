#include "answers.h"

#include "escape.h"

namespace tarvelo::server {
namespace {

constexpr std::string_view declaration = R"(<?xml version="1.0" encoding="utf-8"?>)";
constexpr std::string_view envelopeOpen =
    R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>)";
constexpr std::string_view envelopeClose = "</soap:Body></soap:Envelope>";

// Writes the envelope and the response wrapper around what body() appends.
template <class Body>
std::string answer(Operation op, std::string_view ns, size_t sizeHint, Body body)
{
    const std::string_view name = operationName(op);
    std::string out;
    out.reserve(sizeHint + 300);
    out += declaration;
    out += envelopeOpen;
    out += '<';
    out += name;
    out += "Response";
    if (!ns.empty()) {
        out += R"( xmlns=")";
        appendAttribute(out, ns);
        out += '"';
    }
    out += "><";
    out += name;
    out += "Result>";
    body(out);
    out += "</";
    out += name;
    out += "Result></";
    out += name;
    out += "Response>";
    out += envelopeClose;
    return out;
}

void field(std::string& out, std::string_view name, std::string_view value)
{
    out += '<';
    out += name;
    out += '>';
    appendText(out, value);
    out += "</";
    out += name;
    out += '>';
}

} // namespace

std::string tariffPageLink(std::string_view siteBase, std::string_view code)
{
    return std::string(siteBase) + "/detail/tariff/" + std::string(code);
}

std::string rebatePageLink(std::string_view siteBase, std::string_view code)
{
    return std::string(siteBase) + "/detail/rebate/" + std::string(code);
}

std::string articlePageLink(std::string_view siteBase, std::int64_t id)
{
    return std::string(siteBase) + "/detail/article/" + std::to_string(id);
}

std::string tariffAnswer(std::string_view ns, const std::vector<TariffLine>& lines)
{
    return answer(Operation::Tariff, ns, lines.size() * 400, [&](std::string& out) {
        for (const TariffLine& l : lines) {
            out += "<TariffLine>";
            field(out, "ArticleID", std::to_string(l.id));
            field(out, "HS_code", l.code);
            field(out, "Product_name", l.name);
            field(out, "MFN", l.mfn);
            field(out, "Gen", l.general);
            field(out, "GST", l.consumption);
            field(out, "VAT", l.vat);
            field(out, "Unit", l.unit);
            field(out, "SC", l.supervision);
            field(out, "EN_Description", l.description);
            out += "</TariffLine>";
        }
    });
}

std::string commodityAnswer(std::string_view ns, std::string_view siteBase, const std::vector<CommodityCode>& codes)
{
    return answer(Operation::Commodity, ns, codes.size() * 300, [&](std::string& out) {
        for (const CommodityCode& c : codes) {
            out += "<CommodityCode>";
            field(out, "C_Code", c.code);
            field(out, "C_Name", c.name);
            field(out, "thisurl", tariffPageLink(siteBase, c.code));
            field(out, "thenurl", rebatePageLink(siteBase, c.code));
            out += "</CommodityCode>";
        }
    });
}

std::string exportAnswer(std::string_view ns, const std::vector<RebateLine>& lines)
{
    return answer(Operation::Export, ns, lines.size() * 200, [&](std::string& out) {
        for (const RebateLine& l : lines) {
            out += "<RebateLine>";
            field(out, "ArticleID", std::to_string(l.id));
            field(out, "Goods_code", l.code);
            field(out, "Goods_name", l.name);
            field(out, "Unit", l.unit);
            field(out, "ED", l.rate);
            out += "</RebateLine>";
        }
    });
}

std::string articleAnswer(std::string_view ns, std::string_view siteBase, const std::vector<Article>& articles)
{
    return answer(Operation::PE_Article, ns, articles.size() * 250, [&](std::string& out) {
        for (const Article& a : articles) {
            out += "<Article>";
            field(out, "title", a.title);
            field(out, "thisurl", articlePageLink(siteBase, a.id));
            field(out, "UpdateTime", a.updated);
            out += "</Article>";
        }
    });
}

std::string newsAnswer(Operation op, std::string_view ns, std::string_view escapedMarkup)
{
    return answer(op, ns, escapedMarkup.size(), [&](std::string& out) { out += escapedMarkup; });
}

std::string faultAnswer(std::string_view code, std::string_view message)
{
    std::string out;
    out += declaration;
    out += envelopeOpen;
    out += "<soap:Fault><faultcode>";
    appendText(out, code);
    out += "</faultcode><faultstring>";
    appendText(out, message);
    out += "</faultstring></soap:Fault>";
    out += envelopeClose;
    return out;
}

} // namespace tarvelo::server
