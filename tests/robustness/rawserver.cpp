#include "rawserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

namespace tarvelo::robustness {
namespace {

// Reads one request: headers, then as many body bytes as Content-Length says.
void readRequest(int fd, const std::atomic<bool>& stopping)
{
    std::string buf;
    size_t need = std::string::npos;
    char chunk[8192];
    while (!stopping) {
        if (need != std::string::npos && buf.size() >= need)
            return;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return;
        buf.append(chunk, static_cast<size_t>(n));
        if (need == std::string::npos) {
            const size_t end = buf.find("\r\n\r\n");
            if (end == std::string::npos)
                continue;
            std::string head = buf.substr(0, end);
            std::transform(head.begin(), head.end(), head.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            const size_t cl = head.find("\r\ncontent-length:");
            need = end + 4 + (cl == std::string::npos ? 0 : std::stoul(head.substr(cl + 17)));
        }
    }
}

} // namespace

RawServer::RawServer(Script script) : script_(std::move(script))
{
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listenFd_ < 0)
        throw std::runtime_error("socket failed");
    int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 16) != 0)
        throw std::runtime_error("bind/listen failed");
    socklen_t len = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { serve(); });
}

RawServer::~RawServer()
{
    stopping_ = true;
    ::shutdown(listenFd_, SHUT_RDWR);
    ::close(listenFd_);
    acceptor_.join();
}

std::string RawServer::endpoint() const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/Service.asmx";
}

bool RawServer::send(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void RawServer::reset(int fd)
{
    linger l{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

void RawServer::serve()
{
    // One connection at a time: the client under test makes one request.
    while (!stopping_) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0)
            continue;
        ++connections_;
        readRequest(fd, stopping_);
        script_(fd, stopping_);
        ::close(fd);
    }
}

std::string refusedEndpoint()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/Service.asmx";
}

} // namespace tarvelo::robustness
