#include "requestlog.h"

#include "log.h"
#include "today.h"

#include <arpa/inet.h>

#include <cstdio>
#include <string>

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

// The last of the request's headers of that name: the one the nearest proxy set.
std::string lastHeader(const httplib::Request& req, const char* name)
{
    const size_t count = req.get_header_value_count(name);
    return count == 0 ? std::string() : req.get_header_value(name, count - 1);
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

void RequestLog::begin(const httplib::Request& req)
{
    const std::lock_guard lock(mutex_);
    contexts_.insert_or_assign(&req, Context{true, Clock::now(), "-"});
}

void RequestLog::noteOperation(const httplib::Request& req, std::string_view operation)
{
    const std::lock_guard lock(mutex_);
    contexts_[&req].operation = operation;
}

void RequestLog::end(const httplib::Request& req, const httplib::Response& res)
{
    Context context;
    {
        const std::lock_guard lock(mutex_);
        if (const auto it = contexts_.find(&req); it != contexts_.end()) {
            context = it->second;
            contexts_.erase(it);
        }
    }
    if (!enabled_)
        return;
    std::string line = localTimeText("%Y-%m-%dT%H:%M:%S%z");
    line += ' ';
    line += clientAddress(req.remote_addr, lastHeader(req, "X-Forwarded-For"), lastHeader(req, "X-Real-IP"));
    line += ' ';
    line += req.method;
    line += ' ';
    line += req.path;
    line += ' ';
    line += context.operation;
    line += ' ';
    line += std::to_string(res.status);
    line += ' ';
    line += std::to_string(res.body.size());
    line += "B ";
    if (context.started) {
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - context.start);
        char took[32];
        std::snprintf(took, sizeof took, "%.2fms", static_cast<double>(micros.count()) / 1000.0);
        line += took;
    } else {
        line += '-';
    }
    logLine(line);
}

} // namespace tarvelo::server
