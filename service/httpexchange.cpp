#include "httpexchange.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace tarvelo::service {
namespace {

void ensureGlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
struct CurlStringDeleter {
    void operator()(char* s) const { curl_free(s); }
};

// A service that moved within its host is followed this many times at most.
constexpr int maxRedirects = 3;

// Scheme, host and port of an absolute URL, lower case, the port filled in.
std::optional<std::string> originOf(const char* url)
{
    std::unique_ptr<CURLU, UrlDeleter> u(curl_url());
    if (!u || curl_url_set(u.get(), CURLUPART_URL, url, 0) != CURLUE_OK)
        return std::nullopt;
    std::string origin;
    for (CURLUPart part : {CURLUPART_SCHEME, CURLUPART_HOST, CURLUPART_PORT}) {
        char* raw = nullptr;
        if (curl_url_get(u.get(), part, &raw, CURLU_DEFAULT_PORT) != CURLUE_OK)
            return std::nullopt;
        const std::unique_ptr<char, CurlStringDeleter> value(raw);
        origin += value.get();
        origin += '|';
    }
    std::transform(origin.begin(), origin.end(), origin.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return origin;
}

bool isRedirect(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

struct Sink {
    std::string body;
    std::string contentType;
    bool tooLarge = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const size_t n = size * count;
    if (sink->body.size() + n > maxAnswerBytes) {
        sink->tooLarge = true;
        return 0; // aborts the transfer
    }
    sink->body.append(data, n);
    return n;
}

size_t onHeader(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const size_t n = size * count;
    std::string_view line(data, n);
    constexpr std::string_view name = "content-type:";
    if (line.size() > name.size()) {
        std::string head(line.substr(0, name.size()));
        std::transform(head.begin(), head.end(), head.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (head == name) {
            std::string_view value = line.substr(name.size());
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
                value.remove_prefix(1);
            while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' '))
                value.remove_suffix(1);
            sink->contentType = value;
        }
    }
    return n;
}

} // namespace

std::string charsetOf(std::string_view contentType)
{
    std::string lower(contentType);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto at = lower.find("charset=");
    if (at == std::string::npos)
        return {};
    std::string_view value = std::string_view(contentType).substr(at + 8);
    value = value.substr(0, value.find(';'));
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

namespace {

// One exchange: a POST of body when there is one, else a GET.
HttpAnswer exchange(const std::string& url, const std::string_view* body,
                    const platform::ExchangeTimeouts& timeouts, const std::string& caFile)
{
    ensureGlobalInit();
    HttpAnswer answer;
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        answer.error = "the HTTP client could not be created";
        return answer;
    }
    // Only our content type; suppress the headers libcurl would add of its own
    // (Expect: 100-continue for larger bodies, Accept).
    curl_slist* raw = nullptr;
    if (body)
        raw = curl_slist_append(raw, "Content-Type: text/xml;charset=utf-8");
    raw = curl_slist_append(raw, "Expect:");
    raw = curl_slist_append(raw, "Accept:");
    std::unique_ptr<curl_slist, SlistDeleter> headers(raw);

    char errorBuffer[CURL_ERROR_SIZE] = {};
    CURL* h = curl.get();
    if (body) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, body->data());
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
    } else {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    // Peer and host verification stay as libcurl sets them (on).
    if (!caFile.empty())
        curl_easy_setopt(h, CURLOPT_CAINFO, caFile.c_str());
    // Redirects are followed below, one by one, after checking where they lead.
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
    // Give up when no byte has arrived for the stall time (resolution: seconds).
    const long stallSeconds = std::max<long>(1, static_cast<long>((timeouts.stall.count() + 999) / 1000));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stallSeconds);

    // The total time covers the whole exchange, redirects included.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeouts.total;
    std::string current = url;
    for (int redirects = 0;; ++redirects) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, std::max<long>(1, static_cast<long>(left.count())));
        curl_easy_setopt(h, CURLOPT_URL, current.c_str());
        Sink sink;
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &sink);
        errorBuffer[0] = '\0';

        const CURLcode rc = curl_easy_perform(h);
        if (rc != CURLE_OK) {
            answer.error = sink.tooLarge ? "the answer is larger than the client takes"
                                         : (errorBuffer[0] ? errorBuffer : curl_easy_strerror(rc));
            return answer;
        }
        long status = 0;
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
        char* location = nullptr;
        curl_easy_getinfo(h, CURLINFO_REDIRECT_URL, &location);
        if (isRedirect(status) && location) {
            // The service moved: ask again there with the same request (a
            // SOAP call has no meaning as a GET, whatever the status says),
            // but only on the same scheme, host and port.
            const std::optional<std::string> from = originOf(current.c_str());
            const std::optional<std::string> to = originOf(location);
            if (!to || to != from) {
                answer.error = std::string("the service redirects elsewhere (") + location + "); not followed";
                return answer;
            }
            if (redirects == maxRedirects) {
                answer.error = "the service redirects more than " + std::to_string(maxRedirects) + " times";
                return answer;
            }
            current = location;
            continue;
        }
        answer.status = status;
        answer.delivered = true;
        answer.body = std::move(sink.body);
        answer.contentType = std::move(sink.contentType);
        return answer;
    }
}

} // namespace

HttpAnswer postXml(const std::string& url, std::string_view body,
                   const platform::ExchangeTimeouts& timeouts, const std::string& caFile)
{
    return exchange(url, &body, timeouts, caFile);
}

HttpAnswer getUrl(const std::string& url, const platform::ExchangeTimeouts& timeouts, const std::string& caFile)
{
    return exchange(url, nullptr, timeouts, caFile);
}

} // namespace tarvelo::service
