#include "support/answers.h"
#include "pages/frames.h"
#include "pages/renderers.h"

#include <gtest/gtest.h>

using namespace tarvelo::pages;
using namespace tarvelo::testkit;

namespace {

const std::string tariffRowStart =
    R"(<tr bgcolor='#EDF7FA' onmouseover="this.bgColor='#BFDFFF';" onmouseout="this.bgColor='#EDF7FA';">)";

std::string tariffRecord(const std::string& code, const std::string& name = "马")
{
    return record({{"ArticleID", code}, {"HS_code", code}, {"Product_name", name}, {"MFN", "0"}, {"Gen", "0"},
                   {"GST", ""}, {"VAT", "13"}, {"Unit", "千克/头"}, {"SC", "AB"}, {"EN_Description", "Horses"}});
}

std::string tariffRow(const std::string& code, const std::string& name = "马")
{
    return tariffRowStart + "<td height='22' align='left'>" + code + "</td><td align='left'>" + name +
           "</td><td align='center'>0</td><td align='center'>0</td><td align='center'></td>"
           "<td align='center'>13</td><td align='center'>千克/头</td><td align='center'>AB</td>"
           "<td align='left'>Horses</td></tr>";
}

// The table header: what a page without records holds before "</table>".
std::string headerOf(const Fragment& empty)
{
    EXPECT_FALSE(empty.hasRecords);
    EXPECT_TRUE(empty.text.ends_with("</table>"));
    return empty.text.substr(0, empty.text.size() - 8);
}

} // namespace

TEST(Frames, AreTheFixedBodyTags)
{
    EXPECT_EQ(characters(frames::head), 133u);
    EXPECT_EQ(characters(frames::headNoScroll), 145u);
    EXPECT_EQ(frames::foot, "</body>");
    EXPECT_NE(frames::head.find("style='border:0px;'"), std::string_view::npos);
    EXPECT_EQ(frames::head.find("scroll="), std::string_view::npos);
    EXPECT_NE(frames::headNoScroll.find(R"(topmargin="0" scroll="no" style="border:0px;")"), std::string_view::npos);
}

TEST(TariffPage, WithoutRecordsIsTheHeaderAlone)
{
    const Fragment page = tariffFragment(soapAnswer("Tariff", ""));
    EXPECT_EQ(characters(page.text), 858u);
    const std::string header = headerOf(page);
    EXPECT_EQ(characters(header), 850u);
    EXPECT_TRUE(header.starts_with("<table border='0' align='center' cellpadding='2' cellspacing='1' bgcolor='#C3CBD5'"));
    EXPECT_NE(header.find("<strong>最惠<br />国税率</strong>"), std::string::npos);
    EXPECT_TRUE(header.ends_with("<strong>Article<br>Description</strong></td></tr>"));
}

TEST(TariffPage, AnswersThatAreNotRecordsHaveNone)
{
    const std::string header = headerOf(tariffFragment(""));
    for (const std::string answer : {"---", "", "<soap:Fault>x</soap:Fault>", "not xml <",
                                     "<Table><ArticleID>1</ArticleID><HS_code>1</HS_code>"}) {
        const Fragment page = tariffFragment(answer);
        EXPECT_FALSE(page.hasRecords) << answer;
        EXPECT_EQ(page.text, header + "</table>") << answer;
    }
}

TEST(TariffPage, OneRecordIsOneExactRow)
{
    const std::string header = headerOf(tariffFragment(""));
    const Fragment page = tariffFragment(soapAnswer("Tariff", tariffRecord("0101210010", "改良种用马")));
    EXPECT_TRUE(page.hasRecords);
    EXPECT_EQ(page.text, header + tariffRow("0101210010", "改良种用马") + "</table>");
}

TEST(TariffPage, ShowsEveryRecordInDocumentOrder)
{
    std::string records;
    std::string rows;
    for (const char* code : {"01", "02", "03", "04", "05"}) {
        records += tariffRecord(code);
        rows += tariffRow(code);
    }
    const std::string header = headerOf(tariffFragment(""));
    EXPECT_EQ(tariffFragment(soapAnswer("Tariff", records)).text, header + rows + "</table>");
}

TEST(TariffPage, AFieldMissingForARecordLeavesItsCellEmpty)
{
    const std::string second = record({{"ArticleID", "2"}, {"HS_code", "02"}});
    const std::string page = tariffFragment(soapAnswer("Tariff", tariffRecord("01") + second)).text;
    EXPECT_EQ(occurrences(page, tariffRowStart), 2u);
    EXPECT_TRUE(page.ends_with(tariffRowStart + "<td height='22' align='left'>02</td><td align='left'></td>"
                               "<td align='center'></td><td align='center'></td><td align='center'></td>"
                               "<td align='center'></td><td align='center'></td><td align='center'></td>"
                               "<td align='left'></td></tr></table>"));
}

TEST(TariffPage, ValuesAreTheirElementsWholeTextAndActAsMarkup)
{
    const std::string name = "a&lt;b&gt;b&lt;/b&gt;<![CDATA[<i>c</i>]]><x>d<y>e</y></x>&#21830;";
    const std::string page = tariffFragment(soapAnswer("Tariff", tariffRecord("01", name))).text;
    EXPECT_NE(page.find("<td align='left'>a<b>b</b><i>c</i>de商</td>"), std::string::npos);
}

TEST(TariffPage, FieldsAreFoundByQualifiedNameAtAnyDepth)
{
    // The code sits deeper than the rest; a prefixed HS_code is another name.
    const std::string answer = soapAnswer(
        "Tariff", "<ArticleID>1</ArticleID><r><s><HS_code>0101</HS_code></s></r>"
                  "<p:HS_code xmlns:p='urn:p'>skip</p:HS_code><hs_code>skip</hs_code>");
    const std::string page = tariffFragment(answer).text;
    EXPECT_NE(page.find("<td height='22' align='left'>0101</td>"), std::string::npos);
    EXPECT_EQ(page.find("skip"), std::string::npos);
}

TEST(CommodityPage, WithoutRecordsIsTheHeaderAlone)
{
    const Fragment page = commodityFragment("---");
    EXPECT_EQ(characters(page.text), 477u);
    const std::string header = headerOf(page);
    EXPECT_EQ(characters(header), 469u);
    EXPECT_NE(header.find("bgcolor='#CED5DE'"), std::string::npos);
    EXPECT_TRUE(header.ends_with("<strong>出口退税率表</strong></td></tr>"));
}

TEST(CommodityPage, RowsLinkToBothDetailPages)
{
    const std::string header = headerOf(commodityFragment(""));
    const std::string answer = soapAnswer(
        "Commodity", record({{"C_Code", "0101"}, {"C_Name", "马"}, {"thisurl", "t.htm"}, {"thenurl", ""}}) +
                         record({{"C_Code", "0102"}, {"C_Name", "牛"}, {"thisurl", "u"}, {"thenurl", "v"}}));
    const auto row = [](std::string code, std::string name, std::string thisurl, std::string thenurl) {
        return R"(<tr bgcolor='#F2F6FB' onmouseover="this.bgColor='#DFE9F0';" onmouseout="this.bgColor='#F2F6FB';">)"
               "<td height='23' align='center'>" + code + "</td> <td align='left'>" + name +
               "</td><td align='center'><a href='" + thisurl +
               "' class='inurl' target='_blank'>查看详情</a></td><td align='center'><a href='" + thenurl +
               "' class='inurl' target='_blank'>查看详情</a></td></tr>";
    };
    const Fragment page = commodityFragment(answer);
    EXPECT_TRUE(page.hasRecords);
    EXPECT_EQ(page.text, header + row("0101", "马", "t.htm", "") + row("0102", "牛", "u", "v") + "</table>");
}

TEST(CommodityPage, QuotesCannotEndALinkTarget)
{
    const std::string answer = soapAnswer(
        "Commodity", record({{"C_Code", "1"}, {"C_Name", "it's"}, {"thisurl", "a'b''"}, {"thenurl", "&apos;x"}}));
    const std::string page = commodityFragment(answer).text;
    EXPECT_NE(page.find("<a href='a&#39;b&#39;&#39;' class='inurl'"), std::string::npos);
    EXPECT_NE(page.find("<a href='&#39;x' class='inurl'"), std::string::npos);
    EXPECT_NE(page.find("<td align='left'>it's</td>"), std::string::npos);
}

TEST(ExportPage, WithoutRecordsIsTheHeaderAlone)
{
    const Fragment page = exportFragment("");
    EXPECT_EQ(characters(page.text), 476u);
    const std::string header = headerOf(page);
    EXPECT_EQ(characters(header), 468u);
    EXPECT_TRUE(header.ends_with("<strong>增值税退税率%</strong></td></tr>"));
}

TEST(ExportPage, RowsPadTheCodeAndTheUnit)
{
    const std::string header = headerOf(exportFragment(""));
    std::string records;
    for (int i = 0; i < 3; ++i)
        records += record({{"ArticleID", "x"}, {"Goods_code", "0" + std::to_string(i)}, {"Goods_name", "马"},
                           {"Unit", "头"}, {"ED", "5"}});
    std::string rows;
    for (int i = 0; i < 3; ++i)
        rows += R"(<tr bgcolor='#EDF7FA' onmouseover="this.bgColor='#BFDFFF';" onmouseout="this.bgColor='#EDF7FA';">)"
                "<td height='22' align='left'>&nbsp;&nbsp;0" + std::to_string(i) +
                "</td><td align='left'>马</td><td align='center'>头 </td><td align='center'>5</td></tr>";
    EXPECT_EQ(exportFragment(soapAnswer("Export", records)).text, header + rows + "</table>");
}

namespace {

const std::string articleStyle = "\r<style type=\"text/css\">\r"
                                 "div {border-bottom:dotted 1px #666;margin-left:3px;margin-right:3px;margin-top:2px;"
                                 "padding-bottom:5px;margin-bottom:5px;}\r"
                                 "div a {color:#369;text-decoration:none;}\r"
                                 "div li{font-size:14px;color:#006;}\r"
                                 "div span{font-size:14px;color:#888;}\r"
                                 "</style>\r";

std::string article(const std::string& url, const std::string& title, const std::string& time)
{
    return record({{"title", title}, {"thisurl", url}, {"UpdateTime", time}});
}

} // namespace

TEST(ArticlesPage, OneBlockPerArticle)
{
    const Fragment page = articlesFragment(soapAnswer(
        "PE_Article", article("a.htm", "X", "2011-01-01T09:30:00+08:00") + article("b.htm", "Y", "")));
    EXPECT_TRUE(page.hasRecords);
    EXPECT_EQ(page.text, articleStyle +
                             "<div> <li><a href='a.htm' target='_blank'>X</a></li> <span> 2011-01-01 09:30:00</span></div>\r"
                             "<div> <li><a href='b.htm' target='_blank'>Y</a></li> <span> </span></div>\r");
}

TEST(ArticlesPage, WithoutArticlesIsEmpty)
{
    for (const std::string& answer : {std::string(), std::string("---"), soapAnswer("PE_Article", "<thisurl>a</thisurl>")}) {
        const Fragment page = articlesFragment(answer);
        EXPECT_FALSE(page.hasRecords);
        EXPECT_EQ(page.text, "");
    }
}

TEST(ArticlesPage, MissingPartsAreEmptyAndLinksStayInTheirAttribute)
{
    const std::string answer =
        soapAnswer("PE_Article", article("it's.htm", "<![CDATA[A & B]]>", "2011-02-03T04:05:06+08:00") +
                                     "<Table><title>Z</title></Table>");
    const std::string page = articlesFragment(answer).text;
    EXPECT_EQ(page, articleStyle +
                        "<div> <li><a href='it&#39;s.htm' target='_blank'>A & B</a></li> <span> 2011-02-03 04:05:06</span></div>\r"
                        "<div> <li><a href='' target='_blank'>Z</a></li> <span> </span></div>\r");
}

namespace {

const std::string listAnswer = soapAnswer(
    "mdefaut", "&lt;ul&gt;&lt;li&gt;&lt;a href='x'&gt;AT&amp;amp;T&lt;/a&gt;&lt;/li&gt;&lt;/ul&gt;");
const std::string decodedList = R"(<?xml version="1.0" encoding="utf-8"?>)"
                                R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>)"
                                R"(<mdefautResponse xmlns="http://127.0.0.1:8936/"><mdefautResult>)"
                                "<ul><li><a href='x'>AT&amp;T</a></li></ul>"
                                "</mdefautResult></mdefautResponse></soap:Body></soap:Envelope>";

} // namespace

TEST(HomePage, IsTheStyleThenTheWholeDecodedAnswerInADiv)
{
    const std::string page = homeFragment(listAnswer);
    EXPECT_EQ(page, "\r<style>\r    div {width:100%;}\r"
                    " ul {height:auto;float:left;margin-top:10px;margin-left:0px;margin-right:0px;line-height:30px;"
                    "padding-left:20px;padding-right:20px;}\r"
                    "li {list-style-type:none;border-bottom:#999 dotted 1px;}\r"
                    " li a{list-style-type:none;color:#555;font-size:15px;text-decoration:none;}\r"
                    "</style>\r<div>" + decodedList);
    EXPECT_EQ(page.find('\n'), std::string::npos);
}

TEST(BubblePage, IsTheStyleThenTheWholeDecodedAnswer)
{
    const std::string page = bubbleFragment(listAnswer);
    EXPECT_EQ(page, "\r<style>\r    div {width:100%;}\r"
                    " ul {height:auto;float:left;margin-top:10px;margin-left:10px;margin-right:10px;line-height:30px;}\r"
                    "li {border-bottom:#999 dotted 1px;}\r"
                    " li a{list-style-type:none;color:#555;font-size:15px;text-decoration:none;}\r"
                    "</style>\r" + decodedList);
}

TEST(ListPages, AnEmptyAnswerLeavesTheStyleAlone)
{
    EXPECT_TRUE(homeFragment("").ends_with("</style>\r<div>"));
    EXPECT_TRUE(bubbleFragment("").ends_with("</style>\r"));
    EXPECT_TRUE(bubbleFragment("---").ends_with("</style>\r---"));
}

TEST(TariffPage, TextIsTakenOnlyFromInsideEachElement)
{
    // An empty element followed by text; a field nested in one of its own name.
    const std::string answer = soapAnswer(
        "Tariff", "<ArticleID>1</ArticleID><ArticleID>2</ArticleID><HS_code/>tail<HS_code>b</HS_code>"
                  "<Product_name>x<Product_name>y</Product_name>z</Product_name>");
    const std::string page = tariffFragment(answer).text;
    EXPECT_NE(page.find("<td height='22' align='left'></td><td align='left'>xyz</td>"), std::string::npos);
    EXPECT_NE(page.find("<td height='22' align='left'>b</td><td align='left'>y</td>"), std::string::npos);
    EXPECT_EQ(page.find("tail"), std::string::npos);
}
