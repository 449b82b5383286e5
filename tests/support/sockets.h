#pragma once
// The socket calls the loopback server makes, on Winsock as on POSIX.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>

namespace tarvelo::testkit::sockets {

constexpr int noSignal = 0; // Winsock raises no signal on a broken connection
constexpr int shutBoth = SD_BOTH;

// Whether fd has something to read (or a connection to accept) within ms.
inline bool readable(int fd, int ms)
{
    pollfd p{static_cast<SOCKET>(fd), POLLIN, 0};
    return WSAPoll(&p, 1, ms) > 0;
}
inline void closeSocket(int fd) { ::closesocket(static_cast<SOCKET>(fd)); }

// Winsock needs starting once per process before its first socket.
inline void start()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}

} // namespace tarvelo::testkit::sockets
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvelo::testkit::sockets {

constexpr int noSignal = MSG_NOSIGNAL;
constexpr int shutBoth = SHUT_RDWR;

inline bool readable(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}
inline void closeSocket(int fd) { ::close(fd); }
inline void start() {}

} // namespace tarvelo::testkit::sockets
#endif
