// Slow and idle clients cannot keep the service's threads from others.
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

namespace tarvelo::testkit {
namespace {

using Clock = std::chrono::steady_clock;
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
    // False once the service has closed the connection.
    bool send(std::string_view bytes) { return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) >= 0; }

private:
    int fd_;
    bool connected_ = false;
};

TEST(ServiceSlowClients, ANormalClientIsAnsweredWhileMoreSlowClientsThanThreadsHoldOn)
{
    constexpr int threads = 4;
    RunningService service({"--threads", std::to_string(threads), "--quiet"});
    // Three times as many slow clients as threads: half send nothing, half
    // drip the head of a request, one byte every 200 ms.
    std::vector<std::unique_ptr<RawConnection>> idle;
    std::vector<std::unique_ptr<RawConnection>> drip;
    for (int i = 0; i < threads * 3 / 2; ++i) {
        idle.push_back(std::make_unique<RawConnection>(service.port()));
        drip.push_back(std::make_unique<RawConnection>(service.port()));
        ASSERT_TRUE(idle.back()->connected() && drip.back()->connected());
    }
    const std::string head = "POST /Service.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ";
    std::jthread dripping([&](std::stop_token stop) {
        // Bounded: at most 20 s, ends with the test.
        for (size_t i = 0; i < 100 && !stop.stop_requested(); ++i) {
            for (auto& c : drip)
                c->send(std::string_view(head).substr(i % head.size(), 1));
            std::this_thread::sleep_for(200ms);
        }
    });
    std::this_thread::sleep_for(500ms);

    const auto start = Clock::now();
    const HttpReply reply = httpPost(service.port(), soapRequest("mdefaut", "", validToken));
    const auto took = Clock::now() - start;
    EXPECT_EQ(reply.status, 200);
    EXPECT_NE(reply.body.find("<mdefautResult>"), std::string::npos);
    // The busy limit is one second; the watchdog looks five times a second.
    EXPECT_LT(took, 3s) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";

    // The dripping clients were cut off, not served for ever.
    std::this_thread::sleep_for(1s);
    size_t stillOpen = 0;
    for (auto& c : drip)
        stillOpen += c->send("x") ? 1 : 0;
    EXPECT_LT(stillOpen, drip.size());
    dripping.request_stop();
    EXPECT_EQ(service.stop(), 0);
}

} // namespace
} // namespace tarvelo::testkit
