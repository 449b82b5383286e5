// The HTTP and SOAP surface of the service: faults, limits, WSDL, pages, log.
#include "customsservice.h"
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <chrono>
#include <future>
#include <memory>
#include <set>

namespace tarvelo::testkit {
namespace {

class ServiceProtocol : public ::testing::Test {
protected:
    static void SetUpTestSuite() { service = std::make_unique<RunningService>(); }
    static void TearDownTestSuite() { service.reset(); }

    static HttpReply post(const std::string& body, const std::map<std::string, std::string>& headers = {})
    {
        return httpPost(service->port(), body, headers);
    }
    static void expectFault(const HttpReply& reply, int status, std::string_view words)
    {
        EXPECT_EQ(reply.status, status);
        EXPECT_EQ(reply.contentType, "text/xml; charset=utf-8");
        EXPECT_EQ(elementTexts(reply.body, "faultcode"), std::vector<std::string>{"soap:Client"}) << reply.body;
        const auto message = elementTexts(reply.body, "faultstring");
        ASSERT_EQ(message.size(), 1u) << reply.body;
        EXPECT_NE(message.front().find(words), std::string::npos) << message.front();
    }

    static inline std::unique_ptr<RunningService> service;
};

TEST_F(ServiceProtocol, WrongOrMissingTokenIsAFaultWithStatus500)
{
    expectFault(post(soapRequest("Tariff", "<keyword>钢</keyword>", "0000")), 500, "token");
    expectFault(post(soapRequest("mdefaut", "", "")), 500, "token");
    expectFault(post(soapRequest("Tariff", "<keyword>钢</keyword>", std::string(validToken) + " ")), 500, "token");
    std::string noToken = soapRequest("maopao", "", validToken);
    noToken.replace(noToken.find("<taken>"), std::string("<taken>").append(validToken).append("</taken>").size(), "");
    expectFault(post(noToken), 500, "token");
    // A fault holds none of the counted elements, so the pages show no result.
    const HttpReply fault = post(soapRequest("Tariff", "<keyword>钢</keyword>", "0000"));
    for (const auto counted : {"ArticleID", "C_Code", "title"})
        EXPECT_EQ(countElements(fault.body, counted), 0u);
}

TEST_F(ServiceProtocol, BrokenRequestsAreFaultsNotCrashes)
{
    expectFault(post("<soap:Envelope"), 500, "not well-formed");
    expectFault(post(""), 500, "not well-formed");
    expectFault(post("\xff\xfe\x00<"), 500, "");
    expectFault(post("<a><b/></a>"), 500, "not a SOAP 1.1 envelope");
    expectFault(post(R"(<e:Envelope xmlns:e="http://schemas.xmlsoap.org/soap/envelope/"/>)"), 500, "no Body");
    expectFault(post(soapRequest("Tariff", "", validToken)), 500, "keyword");
    expectFault(post(soapRequest("DropTables", "<keyword>x</keyword>", validToken)), 500, "unknown operation");
    expectFault(post(soapRequest("tariff", "<keyword>x</keyword>", validToken)), 500, "unknown operation");
    // Still serving afterwards.
    EXPECT_EQ(post(soapRequest("mdefaut", "", validToken)).status, 200);
}

TEST_F(ServiceProtocol, BodiesOverOneMebibyteAre413Faults)
{
    const std::string head = soapRequest("Tariff", "<keyword>", validToken);
    std::string large = soapRequest("Tariff", "<keyword>" + std::string(1'000'000, 'x') + "</keyword>", validToken);
    const HttpReply underLimit = post(large);
    EXPECT_EQ(underLimit.status, 200);
    EXPECT_EQ(countElements(underLimit.body, "TariffResult"), 1u);

    std::string over = soapRequest("Tariff", "<keyword>" + std::string((1u << 20) + 1, 'x') + "</keyword>",
                                   validToken);
    expectFault(post(over), 413, "larger than 1048576 bytes");
    EXPECT_EQ(post(soapRequest("maopao", "", validToken)).status, 200);
}

TEST_F(ServiceProtocol, OperationIsFoundByLocalNameWithOrWithoutSoapAction)
{
    const std::string plain = soapRequest("Commodity", "<keyword>8471</keyword>", validToken);
    const HttpReply bare = post(plain);
    ASSERT_EQ(bare.status, 200);
    const HttpReply withAction = post(plain, {{"SOAPAction", "\"http://127.0.0.1:8936/Commodity\""}});
    EXPECT_EQ(withAction.body, bare.body);
    // Another namespace and a prefixed operation element are understood too,
    // and the answer comes back in the namespace of the request.
    const HttpReply other = post(R"(<?xml version="1.0"?><S:Envelope xmlns:S="http://schemas.xmlsoap.org/soap/envelope/">)"
                                 R"(<S:Header/><S:Body><t:Commodity xmlns:t="urn:elsewhere"><t:keyword>8471</t:keyword>)"
                                 "<t:taken>" + std::string(validToken) + "</t:taken></t:Commodity></S:Body></S:Envelope>");
    ASSERT_EQ(other.status, 200) << other.body;
    EXPECT_EQ(elementTexts(other.body, "C_Code"), elementTexts(bare.body, "C_Code"));
    EXPECT_NE(other.body.find(R"(<CommodityResponse xmlns="urn:elsewhere">)"), std::string::npos);
    EXPECT_EQ(bare.contentType, "text/xml; charset=utf-8");
}

TEST_F(ServiceProtocol, WsdlDescribesTheSixOperationsAtThisAddress)
{
    const HttpReply reply = httpGet(service->port(), "/Service.asmx?WSDL");
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.contentType, "text/xml; charset=utf-8");
    pugi::xml_document wsdl;
    ASSERT_TRUE(wsdl.load_string(reply.body.c_str()));
    const pugi::xml_node definitions = wsdl.child("wsdl:definitions");
    EXPECT_EQ(std::string(definitions.attribute("targetNamespace").value()), service->site() + "/");

    std::set<std::string> portOperations;
    for (const pugi::xml_node op : definitions.child("wsdl:portType").children("wsdl:operation"))
        portOperations.insert(op.attribute("name").value());
    const std::set<std::string> six{"PE_Article", "Commodity", "Export", "Tariff", "mdefaut", "maopao"};
    EXPECT_EQ(portOperations, six);
    std::set<std::string> bound;
    for (const pugi::xml_node op : definitions.child("wsdl:binding").children("wsdl:operation")) {
        bound.insert(op.attribute("name").value());
        EXPECT_STREQ(op.child("wsdl:input").child("soap:body").attribute("use").value(), "literal");
    }
    EXPECT_EQ(bound, six);
    EXPECT_EQ(std::string(wsdl.select_node("//soap:address").node().attribute("location").value()),
              service->endpoint());
    // Every field the pages read is declared.
    const pugi::xml_node tariffLine = wsdl.select_node("//s:complexType[@name='TariffLine']").node();
    std::vector<std::string> fields;
    for (const pugi::xpath_node f : tariffLine.select_nodes(".//s:element"))
        fields.push_back(f.node().attribute("name").value());
    EXPECT_EQ(fields, (std::vector<std::string>{"ArticleID", "HS_code", "Product_name", "MFN", "Gen", "GST", "VAT",
                                                "Unit", "SC", "EN_Description"}));
    EXPECT_EQ(httpGet(service->port(), "/Service.asmx?wsdl").body, reply.body);
}

TEST_F(ServiceProtocol, OverviewAndDetailPages)
{
    const HttpReply overview = httpGet(service->port(), "/Service.asmx");
    EXPECT_EQ(overview.status, 200);
    EXPECT_EQ(overview.contentType, "text/html; charset=utf-8");
    for (const auto op : {"PE_Article", "Commodity", "Export", "Tariff", "mdefaut", "maopao"})
        EXPECT_NE(overview.body.find(op), std::string::npos) << op;

    const HttpReply line = httpGet(service->port(), "/detail/tariff/72193300");
    EXPECT_EQ(line.status, 200);
    EXPECT_NE(line.body.find("冷轧不锈钢宽平板轧材"), std::string::npos);
    EXPECT_NE(line.body.find("示例数据"), std::string::npos) << "sample data must say so";
    EXPECT_NE(line.body.find("flat-rolled products of width of 600mm"), std::string::npos) << "HS context of the line";
    EXPECT_EQ(httpGet(service->port(), "/detail/tariff/00000000").status, 404);
    EXPECT_EQ(httpGet(service->port(), "/detail/article/999999").status, 404);
    EXPECT_EQ(httpGet(service->port(), "/detail/tariff/x").status, 404);
    EXPECT_EQ(httpGet(service->port(), "/nothing").contentType, "text/html; charset=utf-8");
}

TEST(ServiceProcess, LogsEveryRequestAndStopsCleanlyOnSigterm)
{
    RunningService service;
    httpPost(service.port(), soapRequest("Export", "<keyword>钢</keyword>", validToken));
    httpPost(service.port(), soapRequest("Export", "<keyword>钢</keyword>", "bad"));
    httpGet(service.port(), "/Service.asmx?WSDL");
    EXPECT_EQ(service.stop(), 0);
    const std::string log = service.log();
    EXPECT_NE(log.find("127.0.0.1 POST /Service.asmx Export 200 "), std::string::npos) << log;
    EXPECT_NE(log.find("127.0.0.1 POST /Service.asmx Export 500 "), std::string::npos) << log;
    EXPECT_NE(log.find("127.0.0.1 GET /Service.asmx - 200 "), std::string::npos) << log;
    // One line per request (besides the lines on the news lists read).
    size_t requestLines = 0;
    for (auto at = log.find(" 127.0.0.1 "); at != std::string::npos; at = log.find(" 127.0.0.1 ", at + 1))
        ++requestLines;
    EXPECT_EQ(requestLines, 3u) << log;
}

TEST(ServiceProcess, RefusesBadCommandLinesAndExplainsItself)
{
    std::string output;
    EXPECT_EQ(runServiceCommand({"--help"}, output), 0);
    for (const auto option : {"--listen", "--db", "--threads", "--news", "--bubble", "--contact", "import", "--tariff"})
        EXPECT_NE(output.find(option), std::string::npos) << option;
    output.clear();
    EXPECT_EQ(runServiceCommand({"--threads", "0"}, output), 2);
    EXPECT_NE(output.find("--threads"), std::string::npos) << output;
    output.clear();
    EXPECT_EQ(runServiceCommand({"--listen", "127.0.0.1"}, output), 2);
    output.clear();
    EXPECT_EQ(runServiceCommand({"--frobnicate"}, output), 2);
}

TEST(ServiceProcess, APortInUseIsRefusedNotShared)
{
    RunningService first({"--quiet"});
    TempFolder folder;
    std::string output;
    const std::string address = "127.0.0.1:" + std::to_string(first.port());
    EXPECT_EQ(runServiceCommand({"--listen", address, "--db", (folder.path() / "second.db").string(), "--quiet"}, output),
              1);
    EXPECT_NE(output.find("cannot listen on " + address), std::string::npos) << output;
}

// A SIGTERM just after the start comes before the server listens; it must
// still end the run.
TEST(ServiceProcess, AStopBeforeTheServerListensEndsItsRun)
{
    TempFolder folder;
    server::ServiceSettings settings;
    settings.port = 0;
    settings.database = folder.path() / "service.db";
    settings.logRequests = false;
    copyFreshDatabase(settings.database);
    server::CustomsService service(settings);
    service.bind();
    service.stop();
    auto run = std::async(std::launch::async, [&service] { service.run(); });
    const bool ended = run.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!ended)
        service.stop(); // it listens by now
    EXPECT_TRUE(ended);
}

} // namespace
} // namespace tarvelo::testkit
