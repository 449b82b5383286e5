#include "loopbackserver.h"

#include "sockets.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tarvelo::testkit {
namespace {

std::string lower(std::string_view s)
{
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return r;
}

const char* reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 413: return "Payload Too Large";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

// Reads one request (headers and a Content-Length body); false on EOF.
bool readRequest(int fd, CapturedRequest& req, const std::atomic<bool>& stopping)
{
    std::string buf;
    size_t headerEnd = std::string::npos;
    size_t need = 0;
    char chunk[8192];
    while (!stopping) {
        if (headerEnd != std::string::npos && buf.size() >= headerEnd + 4 + need)
            break;
        if (!sockets::readable(fd, 100))
            continue;
        const auto n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        buf.append(chunk, static_cast<size_t>(n));
        if (headerEnd == std::string::npos) {
            headerEnd = buf.find("\r\n\r\n");
            if (headerEnd != std::string::npos) {
                const std::string head = lower(buf.substr(0, headerEnd));
                const auto cl = head.find("\r\ncontent-length:");
                if (cl != std::string::npos)
                    need = std::stoul(head.substr(cl + 17));
            }
        }
    }
    if (stopping)
        return false;
    req.raw = buf.substr(0, headerEnd + 4 + need);
    req.body = buf.substr(headerEnd + 4, need);
    const std::string head = buf.substr(0, headerEnd);
    size_t lineEnd = head.find("\r\n");
    const std::string first = head.substr(0, lineEnd);
    const auto sp1 = first.find(' ');
    const auto sp2 = first.find(' ', sp1 + 1);
    req.method = first.substr(0, sp1);
    req.target = first.substr(sp1 + 1, sp2 - sp1 - 1);
    size_t pos = lineEnd == std::string::npos ? head.size() : lineEnd + 2;
    while (pos < head.size()) {
        size_t end = head.find("\r\n", pos);
        if (end == std::string::npos)
            end = head.size();
        const std::string line = head.substr(pos, end - pos);
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            std::string value = line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(' '));
            req.headers.emplace_back(line.substr(0, colon), value);
        }
        pos = end + 2;
    }
    return true;
}

} // namespace

std::string CapturedRequest::header(std::string_view name) const
{
    for (const auto& [k, v] : headers)
        if (lower(k) == lower(name))
            return v;
    return {};
}

bool CapturedRequest::hasHeader(std::string_view name) const
{
    return std::any_of(headers.begin(), headers.end(), [&](const auto& h) { return lower(h.first) == lower(name); });
}

ScriptedAnswer ScriptedAnswer::ok(std::string body, std::string contentType)
{
    ScriptedAnswer a;
    a.body = std::move(body);
    a.contentType = std::move(contentType);
    return a;
}

ScriptedAnswer ScriptedAnswer::withStatus(int code, std::string body)
{
    ScriptedAnswer a;
    a.status = code;
    a.body = std::move(body);
    return a;
}

ScriptedAnswer ScriptedAnswer::hang()
{
    ScriptedAnswer a;
    a.kind = Kind::Hang;
    return a;
}

ScriptedAnswer ScriptedAnswer::close()
{
    ScriptedAnswer a;
    a.kind = Kind::Close;
    return a;
}

ScriptedAnswer ScriptedAnswer::onSocket(SocketScript script)
{
    ScriptedAnswer a;
    a.kind = Kind::Socket;
    a.script = std::move(script);
    return a;
}

bool sendBytes(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto n = ::send(fd, bytes.data(), static_cast<int>(bytes.size()), sockets::noSignal);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void resetOnClose(int fd)
{
    linger l{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
}

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler))
{
    sockets::start();
    listenFd_ = static_cast<int>(::socket(AF_INET, SOCK_STREAM, 0));
    if (listenFd_ < 0)
        throw std::runtime_error("socket failed");
    int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&one), sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 64) != 0)
        throw std::runtime_error("bind/listen failed");
    socklen_t len = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer()
{
    stopping_ = true;
    ::shutdown(listenFd_, sockets::shutBoth);
    sockets::closeSocket(listenFd_);
    acceptor_.join();
    for (auto& w : workers_)
        w.join();
}

std::string LoopbackServer::endpoint() const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/Service.asmx";
}

std::vector<CapturedRequest> LoopbackServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

size_t LoopbackServer::requestCount() const
{
    std::lock_guard lock(mutex_);
    return requests_.size();
}

void LoopbackServer::serve()
{
    while (!stopping_) {
        if (!sockets::readable(listenFd_, 100))
            continue;
        const int fd = static_cast<int>(::accept(listenFd_, nullptr, nullptr));
        if (fd < 0)
            continue;
        std::lock_guard lock(mutex_);
        workers_.emplace_back([this, fd] { handle(fd); });
    }
}

void LoopbackServer::handle(int fd)
{
    for (;;) {
        CapturedRequest req;
        if (!readRequest(fd, req, stopping_))
            break;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(req);
        }
        const ScriptedAnswer answer = handler_(req);
        if (answer.kind == ScriptedAnswer::Kind::Close)
            break;
        if (answer.kind == ScriptedAnswer::Kind::Socket) {
            answer.script(fd, stopping_);
            break;
        }
        if (answer.kind == ScriptedAnswer::Kind::Hang) {
            while (!stopping_)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            break;
        }
        std::string response = answer.raw;
        if (response.empty()) {
            response = "HTTP/1.1 " + std::to_string(answer.status) + ' ' + reason(answer.status) + "\r\n";
            if (!answer.contentType.empty())
                response += "Content-Type: " + answer.contentType + "\r\n";
            response += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n\r\n";
            response += answer.body;
        }
        if (answer.kind == ScriptedAnswer::Kind::Trickle) {
            for (const char c : response) {
                if (stopping_ || !sendBytes(fd, std::string_view(&c, 1)))
                    break;
                std::this_thread::sleep_for(answer.trickleGap);
            }
        } else if (!sendBytes(fd, response)) {
            break;
        }
    }
    sockets::closeSocket(fd);
}

std::string unreachableEndpoint()
{
    sockets::start();
    const int fd = static_cast<int>(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    sockets::closeSocket(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/Service.asmx";
}

} // namespace tarvelo::testkit
