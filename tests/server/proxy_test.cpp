// The service behind nginx with the site configuration we ship: slow clients
// hold nginx connections, not service threads; big bodies stop at nginx;
// links carry the address the client used; a stopped replica is passed over.
#include "runningnginx.h"
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string_view>
#include <thread>

namespace tarvelo::testkit {
namespace {

using namespace std::chrono_literals;

// A loopback connection, closed with the object.
class RawConnection {
public:
    explicit RawConnection(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawConnection()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return connected_; }
    void send(std::string_view bytes) { ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL); }

private:
    int fd_;
    bool connected_ = false;
};

TEST(ServiceBehindNginx, SlowClientsHoldNginxNotTheServiceAndBigBodiesStopThere)
{
    constexpr int threads = 2;
    RunningService service({"--threads", std::to_string(threads), "--quiet"});
    RunningNginx nginx({service.port()});

    // Ten times as many slow clients as service threads: half silent, half
    // dripping a request head, one byte every 200 ms.
    std::vector<std::unique_ptr<RawConnection>> silent;
    std::vector<std::unique_ptr<RawConnection>> drip;
    for (int i = 0; i < threads * 5; ++i) {
        silent.push_back(std::make_unique<RawConnection>(nginx.port()));
        drip.push_back(std::make_unique<RawConnection>(nginx.port()));
        ASSERT_TRUE(silent.back()->connected() && drip.back()->connected());
    }
    const std::string head = "POST /Service.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ";
    std::jthread dripping([&](std::stop_token stop) {
        // Bounded: at most 10 s, ends with the test.
        for (size_t i = 0; i < 50 && !stop.stop_requested(); ++i) {
            for (auto& c : drip)
                c->send(std::string_view(head).substr(i % head.size(), 1));
            std::this_thread::sleep_for(200ms);
        }
    });
    std::this_thread::sleep_for(500ms);

    for (int i = 0; i < 5; ++i) {
        const HttpReply reply = httpPost(nginx.port(), soapRequest("mdefaut", "", validToken));
        ASSERT_EQ(reply.status, 200);
        // Links and namespace follow the address the client used: nginx's.
        const std::string site = "http://127.0.0.1:" + std::to_string(nginx.port()) + "/detail/";
        EXPECT_NE(elementTexts(reply.body, "mdefautResult").front().find(site), std::string::npos) << reply.body;
    }
    const HttpReply wsdl = httpGet(nginx.port(), "/Service.asmx?WSDL");
    EXPECT_NE(wsdl.body.find("location=\"http://127.0.0.1:" + std::to_string(nginx.port()) + "/Service.asmx\""),
              std::string::npos);

    const std::string big = soapRequest("Tariff", "<keyword>" + std::string(1100 * 1024, 'a') + "</keyword>", validToken);
    EXPECT_EQ(httpPost(nginx.port(), big).status, 413);
    EXPECT_EQ(httpGet(nginx.port(), "/health").status, 200);
}

TEST(ServiceBehindNginx, RequestsToAStoppedReplicaGoToTheNext)
{
    RunningService first({"--quiet"});
    RunningService second({"--quiet"});
    RunningNginx nginx({first.port(), second.port()});
    ASSERT_EQ(first.stop(), 0);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(httpPost(nginx.port(), soapRequest("Tariff", "<keyword>钢</keyword>", validToken)).status, 200);
}

TEST(ServiceBehindNginx, AnswersBesideDebiansDefaultSiteAndCachesOnlyThePolls)
{
    RunningService service({"--quiet"});
    RunningNginx nginx({service.port()}, RunningNginx::Sites::besideDebianDefault);

    // Whatever name the desktops were built with, the service answers, not
    // the default site's 404.
    const std::string search = soapRequest("Tariff", "<keyword>钢</keyword>", validToken);
    for (const std::string& host : {"127.0.0.1:" + std::to_string(nginx.port()), std::string("customs.example.org")}) {
        const HttpReply reply = httpPost(nginx.port(), search, {{"Host", host}});
        EXPECT_EQ(reply.status, 200) << host;
        EXPECT_FALSE(elementTexts(reply.body, "TariffResult").empty()) << host << ": " << reply.body;
    }

    // The polls come from the cache the second time; searches never do.
    for (const std::string_view operation : {"mdefaut", "maopao"}) {
        const std::string poll = soapRequest(operation, "", validToken);
        EXPECT_EQ(httpPost(nginx.port(), poll).cacheStatus, "MISS") << operation;
        const HttpReply again = httpPost(nginx.port(), poll);
        EXPECT_EQ(again.status, 200);
        EXPECT_EQ(again.cacheStatus, "HIT") << operation;
        EXPECT_FALSE(elementTexts(again.body, std::string(operation) + "Result").empty()) << again.body;
    }
    for (int i = 0; i < 2; ++i)
        EXPECT_NE(httpPost(nginx.port(), search).cacheStatus, "HIT");
}

} // namespace
} // namespace tarvelo::testkit
