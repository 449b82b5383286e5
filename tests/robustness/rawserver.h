#pragma once
// A loopback listener whose answer is written by the test itself, byte by
// byte on the socket: for answers that break off, reset the connection or are
// not HTTP at all. It reads the request first (headers and a Content-Length
// body), then hands the socket to the script, then closes it.
#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace tarvelo::robustness {

class RawServer {
public:
    using Script = std::function<void(int fd, const std::atomic<bool>& stopping)>;

    explicit RawServer(Script script);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    std::string endpoint() const;
    int connections() const { return connections_; }

    // Helpers for scripts.
    static bool send(int fd, std::string_view bytes);
    // Closes with a TCP reset instead of an orderly close.
    static void reset(int fd);

private:
    void serve();

    Script script_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    std::thread acceptor_;
};

// An endpoint on a loopback port where nothing listens.
std::string refusedEndpoint();

} // namespace tarvelo::robustness
