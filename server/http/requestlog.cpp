#include "requestlog.h"

#include "forwarded.h"

#include "log.h"
#include "today.h"

#include <cstdio>
#include <string>

namespace tarvelo::server {
namespace {

// The last of the request's headers of that name: the one the nearest proxy set.
// httplib 0.18 put a default value before the index; 0.11 has none.
template <class Request>
std::string lastHeader(const Request& req, const char* name)
{
    const size_t count = req.get_header_value_count(name);
    if (count == 0)
        return {};
    if constexpr (requires { req.get_header_value(name, "", count); })
        return req.get_header_value(name, "", count - 1);
    else
        return req.get_header_value(name, count - 1);
}

} // namespace

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
