#include "accesstoken.h"
#include "platform/fakes/fakes.h"
#include "service/webserviceapi.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

using namespace tarvelo;

namespace {

constexpr std::string_view prologue =
    R"(<?xml version="1.0" encoding="utf-8"?><soap:Envelope xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance")"
    R"( xmlns:xsd="http://www.w3.org/2001/XMLSchema" xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>)";
// The build's token, whatever it was configured to be.
const std::string token = "<taken>" + std::string(builtInAccessToken) + "</taken>";

class Envelope : public ::testing::Test {
protected:
    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    webserviceapi api{fakes.seams};

    std::string expected(std::string_view op, std::string_view keywordElement) const
    {
        return std::string(prologue) + '<' + std::string(op) + " xmlns=\"" + namespaceUri() + "\">" +
               std::string(keywordElement) + std::string(token) + "</" + std::string(op) + "></soap:Body></soap:Envelope>";
    }

    // Scheme and host of the endpoint, then "/".
    std::string namespaceUri() const
    {
        const std::string url = api.weburl();
        return url.substr(0, url.find('/', url.find("://") + 3) + 1);
    }
};

} // namespace

TEST_F(Envelope, EndpointDefaultsUntilOneIsStored)
{
    const std::string def = api.weburl();
    EXPECT_TRUE(def.starts_with("http://") || def.starts_with("https://")) << def;
    EXPECT_TRUE(def.ends_with("/Service.asmx"));
    api.weburl("http://example.test/Service.asmx");
    EXPECT_EQ(api.weburl(), "http://example.test/Service.asmx");
    api.weburl("");
    EXPECT_EQ(api.weburl(), def);
}

TEST_F(Envelope, KeywordOperationsByteExact)
{
    EXPECT_EQ(api.Tariff_head("钢"), expected("Tariff", "<keyword>钢</keyword>"));
    EXPECT_EQ(api.Commodity_head("8471"), expected("Commodity", "<keyword>8471</keyword>"));
    EXPECT_EQ(api.Export_head(" a "), expected("Export", "<keyword> a </keyword>"));
    // The builder is pe_article_head, the element PE_Article.
    EXPECT_EQ(api.pe_article_head("x"), expected("PE_Article", "<keyword>x</keyword>"));
}

TEST_F(Envelope, EmptyKeywordKeepsItsElement)
{
    EXPECT_EQ(api.Tariff_head(""), expected("Tariff", "<keyword></keyword>"));
}

TEST_F(Envelope, ListOperationsHaveOnlyTheToken)
{
    EXPECT_EQ(api.mdefaut_head(), expected("mdefaut", ""));
    EXPECT_EQ(api.mmaopao_head(), expected("maopao", ""));
}

TEST_F(Envelope, MarkupInTheKeywordIsEscapedSoTheRequestStaysWellFormed)
{
    const std::string request = api.Commodity_head("A&B <x> \"q\" 'a'");
    EXPECT_NE(request.find("<keyword>A&amp;B &lt;x&gt; &quot;q&quot; &apos;a&apos;</keyword>"), std::string::npos);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(request.c_str()));
    const auto keyword = doc.first_element_by_path("soap:Envelope/soap:Body/Commodity/keyword");
    EXPECT_STREQ(keyword.child_value(), "A&B <x> \"q\" 'a'");
}
