#include "forwarded.h"

#include <arpa/inet.h>

namespace tarvelo::server {
namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool isIpv4(const std::string& text)
{
    in_addr a{};
    return inet_pton(AF_INET, text.c_str(), &a) == 1;
}

bool isIpv6(const std::string& text)
{
    in6_addr a{};
    return inet_pton(AF_INET6, text.c_str(), &a) == 1;
}

// 127.0.0.0/8, ::1 and 127.0.0.0/8 mapped into IPv6.
bool isLoopback(std::string_view address)
{
    const std::string text(address);
    if (in_addr a{}; inet_pton(AF_INET, text.c_str(), &a) == 1)
        return (ntohl(a.s_addr) >> 24) == 127;
    if (in6_addr a{}; inet_pton(AF_INET6, text.c_str(), &a) == 1) {
        if (IN6_IS_ADDR_LOOPBACK(&a))
            return true;
        return IN6_IS_ADDR_V4MAPPED(&a) && a.s6_addr[12] == 127;
    }
    return false;
}

// The address itself when it is one, else empty.
std::string plainAddress(std::string_view value)
{
    std::string text(trimmed(value));
    return isIpv4(text) || isIpv6(text) ? text : std::string();
}

} // namespace

std::string clientAddress(std::string_view socketAddress, std::string_view forwardedFor,
                          std::string_view realIp)
{
    if (!isLoopback(socketAddress))
        return std::string(socketAddress);
    if (!trimmed(forwardedFor).empty()) {
        const auto comma = forwardedFor.rfind(',');
        const std::string last = plainAddress(comma == std::string_view::npos ? forwardedFor
                                                                                : forwardedFor.substr(comma + 1));
        return last.empty() ? std::string(socketAddress) : last;
    }
    if (!trimmed(realIp).empty()) {
        const std::string real = plainAddress(realIp);
        return real.empty() ? std::string(socketAddress) : real;
    }
    return std::string(socketAddress);
}

std::string_view siteScheme(std::string_view socketAddress, std::string_view forwardedProto)
{
    return isLoopback(socketAddress) && forwardedProto == "https" ? "https" : "http";
}

} // namespace tarvelo::server
