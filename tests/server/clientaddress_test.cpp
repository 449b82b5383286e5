// The client address in the request log: the one nginx passes on when the
// connection comes from loopback, the socket's otherwise.
#include "forwarded.h"
#include "runningnginx.h"
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <string>

namespace tarvelo::testkit {
namespace {

using server::clientAddress;
using server::siteScheme;

TEST(ClientAddress, FromLoopbackTheLastForwardedHopCounts)
{
    EXPECT_EQ(clientAddress("127.0.0.1", "203.0.113.9", ""), "203.0.113.9");
    // nginx appends the address it saw to what the client claimed.
    EXPECT_EQ(clientAddress("127.0.0.1", "10.1.1.1, 198.51.100.4,203.0.113.9", ""), "203.0.113.9");
    EXPECT_EQ(clientAddress("127.0.0.1", "2001:db8::7", ""), "2001:db8::7");
    EXPECT_EQ(clientAddress("127.8.9.10", "203.0.113.9", ""), "203.0.113.9");
    EXPECT_EQ(clientAddress("::1", "203.0.113.9", ""), "203.0.113.9");
    EXPECT_EQ(clientAddress("::ffff:127.0.0.1", "203.0.113.9", ""), "203.0.113.9");
    // X-Forwarded-For wins; X-Real-IP alone is taken too.
    EXPECT_EQ(clientAddress("127.0.0.1", "203.0.113.9", "198.51.100.4"), "203.0.113.9");
    EXPECT_EQ(clientAddress("127.0.0.1", "", " 198.51.100.4 "), "198.51.100.4");
    EXPECT_EQ(clientAddress("127.0.0.1", "", ""), "127.0.0.1");
}

TEST(ClientAddress, FromElsewhereTheHeadersAreIgnored)
{
    EXPECT_EQ(clientAddress("192.0.2.50", "203.0.113.9", "198.51.100.4"), "192.0.2.50");
    EXPECT_EQ(clientAddress("128.0.0.1", "203.0.113.9", ""), "128.0.0.1");
    EXPECT_EQ(clientAddress("::2", "203.0.113.9", ""), "::2");
    EXPECT_EQ(clientAddress("::ffff:192.0.2.50", "203.0.113.9", ""), "::ffff:192.0.2.50");
}

TEST(ClientAddress, WhatIsNotAnAddressIsNotLogged)
{
    EXPECT_EQ(clientAddress("127.0.0.1", "203.0.113.9 GET /forged 200", ""), "127.0.0.1");
    EXPECT_EQ(clientAddress("127.0.0.1", "unknown", "198.51.100.4"), "127.0.0.1");
    EXPECT_EQ(clientAddress("127.0.0.1", "203.0.113.9,", ""), "127.0.0.1");
    EXPECT_EQ(clientAddress("127.0.0.1", "", "host.example"), "127.0.0.1");
}

TEST(SiteScheme, HttpsOnlyWhenNginxOnLoopbackSaysSo)
{
    EXPECT_EQ(siteScheme("127.0.0.1", "https"), "https");
    EXPECT_EQ(siteScheme("::1", "https"), "https");
    EXPECT_EQ(siteScheme("127.0.0.1", "http"), "http");
    EXPECT_EQ(siteScheme("127.0.0.1", ""), "http");
    EXPECT_EQ(siteScheme("127.0.0.1", "gopher"), "http");
    EXPECT_EQ(siteScheme("192.0.2.50", "https"), "http");
}

TEST(ServiceProcess, LinksAndWsdlFollowTheSchemeNginxPassesOn)
{
    RunningService service({"--quiet"});
    const std::string host = "127.0.0.1:" + std::to_string(service.port());
    httplib::Client client("127.0.0.1", service.port());
    const auto tls = client.Get("/Service.asmx?WSDL", {{"X-Forwarded-Proto", "https"}});
    ASSERT_TRUE(tls);
    EXPECT_NE(tls->body.find("location=\"https://" + host + "/Service.asmx\""), std::string::npos) << tls->body;
    const auto plain = client.Get("/Service.asmx?WSDL");
    ASSERT_TRUE(plain);
    EXPECT_NE(plain->body.find("location=\"http://" + host + "/Service.asmx\""), std::string::npos) << plain->body;
    const HttpReply codes = httpPost(service.port(), soapRequest("Commodity", "<keyword>8471</keyword>", validToken),
                                     {{"X-Forwarded-Proto", "https"}});
    ASSERT_EQ(codes.status, 200);
    const auto links = elementTexts(codes.body, "thisurl");
    ASSERT_FALSE(links.empty()) << codes.body;
    for (const auto& link : links)
        EXPECT_EQ(link.rfind("https://" + host + "/detail/tariff/", 0), 0u) << link;
}

TEST(ServiceProcess, LogsTheAddressAProxyOnLoopbackPassesOn)
{
    RunningService service;
    httpPost(service.port(), soapRequest("mdefaut", "", validToken), {{"X-Forwarded-For", "203.0.113.9"}});
    httpPost(service.port(), soapRequest("maopao", "", validToken), {{"X-Real-IP", "198.51.100.4"}});
    httpPost(service.port(), soapRequest("mdefaut", "", "bad"), {{"X-Forwarded-For", "nonsense here"}});
    EXPECT_EQ(service.stop(), 0);
    const std::string log = service.log();
    EXPECT_NE(log.find(" 203.0.113.9 POST /Service.asmx mdefaut 200 "), std::string::npos) << log;
    EXPECT_NE(log.find(" 198.51.100.4 POST /Service.asmx maopao 200 "), std::string::npos) << log;
    EXPECT_NE(log.find(" 127.0.0.1 POST /Service.asmx mdefaut 500 "), std::string::npos) << log;
    EXPECT_EQ(log.find("nonsense"), std::string::npos) << log;
}

TEST(ServiceBehindNginx, LogsTheAddressNginxSawNotOneTheClientClaims)
{
    RunningService service;
    {
        RunningNginx nginx({service.port()});
        const HttpReply reply = httpPost(nginx.port(), soapRequest("mdefaut", "", validToken),
                                         {{"X-Forwarded-For", "203.0.113.66"}, {"X-Real-IP", "203.0.113.67"}});
        EXPECT_EQ(reply.status, 200);
    }
    EXPECT_EQ(service.stop(), 0);
    const std::string log = service.log();
    // The test talks to nginx from 127.0.0.1; that is the address nginx passes on.
    EXPECT_NE(log.find(" 127.0.0.1 POST /Service.asmx mdefaut 200 "), std::string::npos) << log;
    EXPECT_EQ(log.find("203.0.113.6"), std::string::npos) << log;
}

} // namespace
} // namespace tarvelo::testkit
