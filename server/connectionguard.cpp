#include "connectionguard.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

namespace tarvelo::server {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto sweepInterval = std::chrono::milliseconds(200);

// "address port" of the client connected to fd, when fd is a connection
// accepted on the port.
std::optional<std::string> clientOf(int fd, int port)
{
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return std::nullopt;
    sockaddr_storage peer{};
    length = sizeof peer;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return std::nullopt; // the listening socket, or not a socket
    char address[INET6_ADDRSTRLEN] = {};
    int localPort = 0;
    int peerPort = 0;
    if (local.ss_family == AF_INET && peer.ss_family == AF_INET) {
        const auto& l = reinterpret_cast<const sockaddr_in&>(local);
        const auto& p = reinterpret_cast<const sockaddr_in&>(peer);
        localPort = ntohs(l.sin_port);
        peerPort = ntohs(p.sin_port);
        ::inet_ntop(AF_INET, &p.sin_addr, address, sizeof address);
    } else if (local.ss_family == AF_INET6 && peer.ss_family == AF_INET6) {
        const auto& l = reinterpret_cast<const sockaddr_in6&>(local);
        const auto& p = reinterpret_cast<const sockaddr_in6&>(peer);
        localPort = ntohs(l.sin6_port);
        peerPort = ntohs(p.sin6_port);
        ::inet_ntop(AF_INET6, &p.sin6_addr, address, sizeof address);
    }
    if (localPort != port)
        return std::nullopt;
    return std::string(address) + " " + std::to_string(peerPort);
}

// Bytes the client sent that no thread has read yet: a connection waiting
// for a thread, not one keeping a thread waiting.
bool unread(int fd)
{
    int bytes = 0;
    return ::ioctl(fd, FIONREAD, &bytes) == 0 && bytes > 0;
}

} // namespace

void ConnectionGuard::start(int port)
{
    port_ = port;
    watchdog_ = std::jthread([this](std::stop_token stop) { watch(stop); });
}

void ConnectionGuard::completed(const std::string& remoteAddress, int remotePort)
{
    const std::lock_guard lock(mutex_);
    const auto it = connections_.find(remoteAddress + " " + std::to_string(remotePort));
    if (it != connections_.end())
        it->second.since = Clock::now();
}

void ConnectionGuard::watch(std::stop_token stop)
{
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        wake_.wait_for(lock, stop, sweepInterval, [] { return false; });
        if (stop.stop_requested())
            break;
        lock.unlock();
        sweep();
        lock.lock();
    }
}

void ConnectionGuard::sweep()
{
    // The open connections, read from the process's descriptors.
    std::map<std::string, int> open;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        const int own = ::dirfd(dir);
        while (const dirent* entry = ::readdir(dir)) {
            const int fd = std::atoi(entry->d_name);
            if (entry->d_name[0] < '0' || entry->d_name[0] > '9' || fd == own)
                continue;
            if (auto client = clientOf(fd, port_))
                open.emplace(std::move(*client), fd);
        }
        ::closedir(dir);
    }
    const auto now = Clock::now();
    const bool busy = busy_();
    const std::lock_guard lock(mutex_);
    std::erase_if(connections_, [&](const auto& c) {
        const auto it = open.find(c.first);
        return it == open.end() || it->second != c.second.fd;
    });
    for (const auto& [client, fd] : open) {
        const auto [it, added] = connections_.try_emplace(client, Seen{fd, now});
        const auto quiet = now - it->second.since;
        if (added || quiet <= limits_.busy || (quiet <= limits_.request && (!busy || unread(fd))))
            continue;
        // Still the same connection: descriptor numbers are reused.
        if (clientOf(fd, port_) == client)
            ::shutdown(fd, SHUT_RDWR);
    }
}

} // namespace tarvelo::server
