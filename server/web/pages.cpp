#include "pages.h"

#include "calculator.h"
#include "escape.h"

namespace tarvelo::server {
namespace {

constexpr std::string_view style =
    "body{font-family:sans-serif;font-size:14px;color:#222;margin:16px}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{border:1px solid #C3CBD5;padding:4px 6px;text-align:left}"
    "th{background:#DFE9F0}"
    ".path{color:#555}.notice{color:#a33;margin-top:16px}"
    "h2{font-size:16px;margin-top:20px}#calc label{margin-right:12px}#calc-result p{margin:4px 0}"
    "#calc-total{font-weight:bold}";

std::string page(std::string_view title, std::string_view body)
{
    std::string html = "<!DOCTYPE html>\n<html lang='zh-CN'><head><meta charset='utf-8'><title>";
    appendText(html, title);
    html += "</title><style>";
    html += style;
    html += "</style></head><body><h1>";
    appendText(html, title);
    html += "</h1>";
    html += body;
    html += "</body></html>\n";
    return html;
}

void pathList(std::string& html, const std::vector<HsEntry>& path)
{
    if (path.empty())
        return;
    html += "<ul class='path'>";
    for (size_t i = 0; i < path.size(); ++i) {
        html += "<li>";
        html += i == 0 ? "第 " : "";
        appendText(html, path[i].code);
        html += i == 0 ? " 类：" : "：";
        appendText(html, path[i].description);
        html += "</li>";
    }
    html += "</ul>";
}

void row(std::string& html, std::initializer_list<std::string_view> cells, std::string_view tag = "td")
{
    html += "<tr>";
    for (const auto cell : cells) {
        html += '<';
        html += tag;
        html += '>';
        appendText(html, cell);
        html += "</";
        html += tag;
        html += '>';
    }
    html += "</tr>";
}

void noticeLine(std::string& html, std::string_view notice)
{
    if (notice.empty())
        return;
    html += "<p class='notice'>";
    appendText(html, notice);
    html += "</p>";
}

// The schedules of lines that changed, or of the only line shown, each marked
// as past, in force on today or still to come.
void rateHistory(std::string& html, const std::vector<TariffRate>& history, std::string_view today, bool oneLine)
{
    std::string rows;
    for (size_t from = 0, to = 0; from < history.size(); from = to) {
        to = from;
        while (to < history.size() && history[to].code == history[from].code)
            ++to;
        if (to - from < 2 && !oneLine)
            continue;
        size_t inForce = to;
        for (size_t i = from; i < to; ++i)
            if (history[i].effective <= today)
                inForce = i;
        for (size_t i = from; i < to; ++i) {
            const TariffRate& r = history[i];
            const std::string_view state = i == inForce ? "现行" : i < inForce ? "已失效" : "待生效";
            row(rows, {r.code, r.effective.empty() ? "（未注明日期）" : std::string_view(r.effective), state, r.mfn,
                       r.general, r.consumption, r.vat, r.unit, r.supervision});
        }
    }
    if (rows.empty())
        return;
    html += "<h2>税率沿革</h2><table class='history'>";
    row(html, {"税则号列", "生效日期", "状态", "最惠国税率", "普通税率", "消费税率", "增值税率", "计量单位", "监管条件"},
        "th");
    html += rows;
    html += "</table>";
}

} // namespace

std::string tariffPage(std::string_view code, const std::vector<HsEntry>& path, const std::vector<TariffLine>& lines,
                       const std::vector<TariffRate>& history, std::string_view today, std::string_view notice)
{
    std::string body;
    pathList(body, path);
    if (lines.empty()) {
        body += "<p>本编码下没有国家税则号列。</p>";
    } else {
        body += "<table>";
        row(body, {"税则号列", "货品名称", "最惠国税率", "普通税率", "消费税率", "增值税率", "计量单位", "监管条件",
                   "Description"},
            "th");
        for (const TariffLine& l : lines)
            row(body, {l.code, l.name, l.mfn, l.general, l.consumption, l.vat, l.unit, l.supervision, l.description});
        body += "</table><p class='path'>税率为 ";
        appendText(body, today);
        body += " 现行税率。</p>";
    }
    rateHistory(body, history, today, lines.size() == 1);
    if (!lines.empty())
        appendCalculator(body, lines);
    noticeLine(body, notice);
    return page("海关进出口税则 " + std::string(code), body);
}

std::string rebatePage(std::string_view code, const std::vector<HsEntry>& path, const std::vector<RebateLine>& lines,
                       std::string_view notice)
{
    std::string body;
    pathList(body, path);
    if (lines.empty()) {
        body += "<p>本编码下没有出口退税率记录。</p>";
    } else {
        body += "<table>";
        row(body, {"商品代码", "商品名称", "计量单位", "退税率", "Description"}, "th");
        for (const RebateLine& l : lines)
            row(body, {l.code, l.name, l.unit, l.rate, l.description});
        body += "</table>";
    }
    noticeLine(body, notice);
    return page("出口退税率 " + std::string(code), body);
}

std::string articlePage(const Article& article, std::string_view notice)
{
    std::string body = "<p class='path'>";
    appendText(body, article.source);
    body += " · ";
    appendText(body, article.updated);
    body += "</p>";
    size_t from = 0;
    const std::string_view text = article.body;
    while (from <= text.size()) {
        const size_t end = std::min(text.find('\n', from), text.size());
        if (end > from) {
            body += "<p>";
            appendText(body, text.substr(from, end - from));
            body += "</p>";
        }
        from = end + 1;
    }
    noticeLine(body, notice);
    return page(article.title, body);
}

std::string notFoundPage(std::string_view what)
{
    return page("未找到", "<p>" + escapeText(what) + "</p>");
}

std::string operationsPage(std::string_view endpoint)
{
    std::string body = "<p>SOAP 1.1 endpoint: <code>";
    appendText(body, endpoint);
    body += "</code> (POST, text/xml; charset=utf-8). Service description: <a href='";
    appendAttribute(body, endpoint);
    body += "?WSDL'>WSDL</a>.</p><table>";
    row(body, {"Operation", "Request children", "Answer records"}, "th");
    row(body, {"Tariff", "keyword, taken", "TariffLine: ArticleID HS_code Product_name MFN Gen GST VAT Unit SC EN_Description"});
    row(body, {"Commodity", "keyword, taken", "CommodityCode: C_Code C_Name thisurl thenurl"});
    row(body, {"Export", "keyword, taken", "RebateLine: ArticleID Goods_code Goods_name Unit ED"});
    row(body, {"PE_Article", "keyword, taken", "Article: title thisurl UpdateTime"});
    row(body, {"mdefaut", "taken", "home news list as escaped HTML"});
    row(body, {"maopao", "taken", "bubble news list as escaped HTML"});
    body += "</table>";
    return page("Tarvelo customs-data service", body);
}

} // namespace tarvelo::server
