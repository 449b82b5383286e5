#pragma once
// A tiny HTTP/1.1 server on 127.0.0.1 for tests that need answers no real
// service gives: exact request capture, odd statuses and bodies, hangs,
// dropped connections, slow answers.
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvelo::testkit {

struct CapturedRequest {
    std::string raw;        // everything received: request line, headers, body
    std::string method;
    std::string target;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // Value of the first header of that name (case-insensitive), or empty.
    std::string header(std::string_view name) const;
    bool hasHeader(std::string_view name) const;
};

// Writes an answer straight onto the connection's socket (answers that break
// off, reset the connection or are not HTTP at all); the connection is closed
// when it returns. stopping turns true when the server goes.
using SocketScript = std::function<void(int fd, const std::atomic<bool>& stopping)>;

struct ScriptedAnswer {
    enum class Kind { Respond, Hang, Close, Trickle, Socket };
    Kind kind = Kind::Respond;
    int status = 200;
    std::string contentType = "text/xml; charset=utf-8";
    std::string body;
    // Trickle: bytes of the full response sent one at a time with this gap.
    std::chrono::milliseconds trickleGap{0};
    // Raw response bytes that replace the generated ones when not empty.
    std::string raw;
    SocketScript script;

    static ScriptedAnswer ok(std::string body, std::string contentType = "text/xml; charset=utf-8");
    static ScriptedAnswer withStatus(int code, std::string body);
    static ScriptedAnswer hang();
    static ScriptedAnswer close();
    static ScriptedAnswer onSocket(SocketScript script);
};

// Helpers for socket scripts: send all bytes (false once the peer is gone),
// and make the coming close a TCP reset instead of an orderly close.
bool sendBytes(int fd, std::string_view bytes);
void resetOnClose(int fd);

class LoopbackServer {
public:
    using Handler = std::function<ScriptedAnswer(const CapturedRequest&)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:PORT/Service.asmx"
    std::string endpoint() const;

    std::vector<CapturedRequest> requests() const;
    size_t requestCount() const;

private:
    void serve();
    void handle(int fd);

    Handler handler_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<CapturedRequest> requests_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

// An endpoint on a loopback port where nothing listens: connections are refused.
std::string unreachableEndpoint();

} // namespace tarvelo::testkit
