#pragma once
// Keeps slow and idle clients from holding the request threads. httplib gives
// each connection a thread for as long as it stays open, and its time-outs
// apply to one read at a time, so a client sending a byte every few seconds
// would keep its thread forever. A watchdog looks at the open connections of
// the service a few times a second and shuts down a connection that has not
// completed a request (since it opened or since its last answer was
// written) for longer than the request limit; while connections wait for a
// thread, already after the busy limit, unless it has sent bytes no thread
// has read yet (then it is the one waiting, for a thread).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace tarvelo::server {

class ConnectionGuard {
public:
    struct Limits {
        std::chrono::milliseconds request{std::chrono::seconds(10)};
        std::chrono::milliseconds busy{std::chrono::seconds(1)};
    };
    // busy() tells whether connections wait for a thread.
    template <class Busy>
    ConnectionGuard(Limits limits, Busy busy) : limits_(limits), busy_(std::move(busy))
    {
    }
    ConnectionGuard(const ConnectionGuard&) = delete;
    ConnectionGuard& operator=(const ConnectionGuard&) = delete;

    // Starts watching the connections accepted on the port.
    void start(int port);
    // The connection from that client address completed a request.
    void completed(const std::string& remoteAddress, int remotePort);

private:
    struct Seen {
        int fd;
        std::chrono::steady_clock::time_point since; // opened or last request completed
    };
    void watch(std::stop_token stop);
    void sweep();

    const Limits limits_;
    const std::function<bool()> busy_;
    int port_ = 0;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::map<std::string, Seen> connections_; // by peer "address port"
    std::jthread watchdog_; // last: stopped before the rest goes
};

} // namespace tarvelo::server
