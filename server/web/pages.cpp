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
    ".path{color:#555}.path .en{color:#888}.notice{color:#a33;margin-top:16px}"
    "h2{font-size:16px;margin-top:20px}#calc label{margin-right:12px}#calc-result p{margin:4px 0}"
    "#calc-total{font-weight:bold}"
    "form{margin:12px 0}input[type=search]{width:24em;padding:3px}"
    ".site{margin-top:24px;padding-top:8px;border-top:1px solid #C3CBD5}";

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
        // The Chinese name first, where the data has one, the English beside it.
        if (!path[i].name.empty()) {
            appendText(html, path[i].name);
            html += " <span class='en'>";
            appendText(html, path[i].description);
            html += "</span>";
        } else {
            appendText(html, path[i].description);
        }
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

// The links between the site's own pages, below each of them.
void siteLinks(std::string& html)
{
    html += "<p class='site'><a href='/'>首页</a> · <a href='";
    html += searchPagePath;
    html += "'>商品编码查询</a> · <a href='";
    html += questionPagePath;
    html += "'>在线提问</a> · <a href='/Service.asmx'>服务接口说明</a></p>";
}

// Links the desktop hands to the program (tarvelo --watch LINK): each line
// is put on the user's watch list.
void watchLinks(std::string& html, const std::vector<TariffLine>& lines)
{
    html += "<p class='path'>在 Tarvelo 中关注：";
    for (const TariffLine& l : lines) {
        html += " <a class='watch' href='tarvelo:watch?code=";
        appendAttribute(html, l.code);
        html += "'>";
        appendText(html, l.code);
        html += "</a>";
    }
    html += "</p>";
}

} // namespace

std::string tariffPage(std::string_view code, const std::vector<HsEntry>& path, const std::vector<TariffLine>& lines,
                       const std::vector<TariffRate>& history, std::string_view today, std::string_view notice,
                       std::string_view site)
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
        watchLinks(body, lines);
    }
    rateHistory(body, history, today, lines.size() == 1);
    if (!lines.empty())
        appendCalculator(body, lines, std::string(site) + std::string(calculationPath));
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

std::string searchPage(std::string_view keyword, const std::vector<SearchHit>& hits, std::size_t limit)
{
    std::string body = "<p>输入商品名称、税则号列（如 8471.30、847130）或英文描述，查找商品编码；"
                       "繁体字、商品标题亦可。结果与桌面程序“商品编码”一栏相同。</p><form method='get' action='";
    body += searchPagePath;
    body += "'><input type='search' name='";
    body += searchKeywordParameter;
    body += "' value='";
    appendAttribute(body, keyword);
    body += "' autofocus> <button type='submit'>查询</button></form>";
    if (!keyword.empty()) {
        if (hits.empty()) {
            body += "<p>没有找到与“";
            appendText(body, keyword);
            body += "”相符的商品编码。</p>";
        } else {
            body += "<p>“";
            appendText(body, keyword);
            body += "”：" + std::to_string(hits.size()) + " 条";
            if (hits.size() >= limit)
                body += "（只列出前 " + std::to_string(limit) + " 条，请换用更具体的关键词）";
            body += "。</p><table>";
            row(body, {"商品编码", "商品名称"}, "th");
            for (const SearchHit& hit : hits) {
                body += "<tr><td><a href='/detail/tariff/";
                appendAttribute(body, hit.code);
                body += "'>";
                appendText(body, hit.code);
                body += "</a></td><td>";
                appendText(body, hit.name);
                body += "</td></tr>";
            }
            body += "</table>";
        }
    }
    siteLinks(body);
    return page("商品编码查询", body);
}

std::string questionPage(std::string_view contact)
{
    std::string body = "<p>本服务由其运营方维护，关于数据、税率和使用方法的问题由运营方解答。</p>";
    if (contact.empty()) {
        body += "<p>运营方尚未在此公布联系方式，请通过为您安装本程序的单位或管理员联系运营方。</p>";
    } else {
        body += "<p>联系方式：";
        appendText(body, contact);
        body += "</p>";
    }
    body += "<p>提问时请写明查询的类别（法规、商品编码、税则、出口退税）、所用关键词和看到的结果。"
            "明细页注明“示例数据”的税率、退税率不是法定税率，不得用于报关。</p>";
    siteLinks(body);
    return page("在线提问", body);
}

std::string homePage()
{
    std::string body = "<p>本站为 Tarvelo 海关数据查询程序提供数据服务：中国海关进出口税则、商品编码、"
                       "出口退税率和法规文章。</p><ul><li><a href='";
    body += searchPagePath;
    body += "'>商品编码查询</a>：按名称、编码或描述查找商品编码，查看税则明细。</li><li><a href='";
    body += questionPagePath;
    body += "'>在线提问</a>：如何联系本服务的运营方。</li>"
            "<li><a href='/Service.asmx'>服务接口说明</a>：桌面程序所用的 SOAP 接口（英文）。</li></ul>";
    return page("Tarvelo 海关数据服务", body);
}

} // namespace tarvelo::server
