#pragma once
// The request log: one line per request on standard error once its answer is
// written (time, client, method, path, operation, status, bytes, duration).
// What the handlers learn of a request on the way (when it began, which SOAP
// operation it asked for) is kept as that request's context until its line is
// written.
#include <httplib.h>

#include <chrono>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace tarvelo::server {

class RequestLog {
public:
    // Nothing is written when disabled; the contexts are still let go.
    explicit RequestLog(bool enabled) : enabled_(enabled) {}

    // When the request is routed.
    void begin(const httplib::Request& req);
    // operation: a name with static storage, such as operationName's.
    void noteOperation(const httplib::Request& req, std::string_view operation);
    // Once the answer is written: writes the line and forgets the context.
    void end(const httplib::Request& req, const httplib::Response& res);

private:
    using Clock = std::chrono::steady_clock;
    struct Context {
        bool started = false; // requests httplib refuses before routing are never begun
        Clock::time_point start{};
        std::string_view operation = "-";
    };

    const bool enabled_;
    std::mutex mutex_;
    // By request: httplib hands the same request object to every stage of one request.
    std::unordered_map<const httplib::Request*, Context> contexts_;
};

} // namespace tarvelo::server
