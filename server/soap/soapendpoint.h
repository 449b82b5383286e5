#pragma once
// Answers one SOAP request body: reads it, checks the access token, runs the
// operation and writes the answer or a fault. Knows nothing of HTTP beyond the
// status code it suggests.
#include "answercache.h"
#include "livesearch.h"
#include "newsfeed.h"
#include "searchturns.h"
#include "soaprequest.h"

#include <string>
#include <string_view>

namespace tarvelo::server {

// Records per answer at most.
inline constexpr size_t maxRecords = 200;

class SoapEndpoint {
public:
    SoapEndpoint(LiveSearch& catalogue, AnswerCache& cache, NewsFeed& home, NewsFeed& bubble, std::string token);

    struct Reply {
        int status = 200;
        std::string body;
        std::string_view operation; // for the request log; "-" when none was read
    };
    // siteBase ("http://host:port") prefixes the links to this service's pages.
    Reply handle(std::string_view body, std::string_view siteBase);

private:
    std::string run(const SoapRequest& request, std::string_view siteBase);
    std::string search(const SoapRequest& request, std::string_view siteBase);

    LiveSearch& catalogue_;
    AnswerCache& cache_;
    NewsFeed& home_;
    NewsFeed& bubble_;
    const std::string token_;
    SearchTurns turns_;
};

} // namespace tarvelo::server
