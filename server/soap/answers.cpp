#include "answers.h"

#include "escape.h"

#include <charconv>
#include <initializer_list>
#include <iterator>

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

// <name>value</name>, the value written from its parts.
void field(std::string& out, std::string_view name, std::initializer_list<std::string_view> value)
{
    out += '<';
    out += name;
    out += '>';
    for (const std::string_view part : value)
        appendText(out, part);
    out += "</";
    out += name;
    out += '>';
}

void field(std::string& out, std::string_view name, std::string_view value)
{
    field(out, name, {value});
}

// Decimal digits of a record id, without allocating.
class Digits {
public:
    explicit Digits(std::int64_t value) : end_(std::to_chars(std::begin(text_), std::end(text_), value).ptr) {}
    operator std::string_view() const { return {text_, static_cast<size_t>(end_ - text_)}; }

private:
    char text_[24];
    const char* end_;
};

// Paths of the service's own detail pages, followed by a code or an id.
constexpr std::string_view tariffPath = "/detail/tariff/";
constexpr std::string_view rebatePath = "/detail/rebate/";
constexpr std::string_view articlePath = "/detail/article/";

} // namespace

std::string tariffAnswer(std::string_view ns, const std::vector<const TariffLine*>& lines)
{
    return answer(Operation::Tariff, ns, lines.size() * 400, [&](std::string& out) {
        for (const TariffLine* line : lines) {
            const TariffLine& l = *line;
            out += "<TariffLine>";
            field(out, "ArticleID", Digits(l.id));
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

std::string commodityAnswer(std::string_view ns, std::string_view siteBase, const std::vector<const CommodityCode*>& codes)
{
    return answer(Operation::Commodity, ns, codes.size() * 300, [&](std::string& out) {
        for (const CommodityCode* code : codes) {
            const CommodityCode& c = *code;
            out += "<CommodityCode>";
            field(out, "C_Code", c.code);
            field(out, "C_Name", c.name);
            field(out, "thisurl", {siteBase, tariffPath, c.code});
            field(out, "thenurl", {siteBase, rebatePath, c.code});
            out += "</CommodityCode>";
        }
    });
}

std::string exportAnswer(std::string_view ns, const std::vector<const RebateLine*>& lines)
{
    return answer(Operation::Export, ns, lines.size() * 200, [&](std::string& out) {
        for (const RebateLine* line : lines) {
            const RebateLine& l = *line;
            out += "<RebateLine>";
            field(out, "ArticleID", Digits(l.id));
            field(out, "Goods_code", l.code);
            field(out, "Goods_name", l.name);
            field(out, "Unit", l.unit);
            field(out, "ED", l.rate);
            out += "</RebateLine>";
        }
    });
}

std::string articleAnswer(std::string_view ns, std::string_view siteBase, const std::vector<const Article*>& articles)
{
    return answer(Operation::PE_Article, ns, articles.size() * 250, [&](std::string& out) {
        for (const Article* article : articles) {
            const Article& a = *article;
            out += "<Article>";
            field(out, "title", a.title);
            field(out, "thisurl", {siteBase, articlePath, Digits(a.id)});
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
