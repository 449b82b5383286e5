#include "soapendpoint.h"

#include "answers.h"
#include "keyword.h"
#include "listanswer.h"

#include <stdexcept>
#include <thread>

namespace tarvelo::server {
SoapEndpoint::SoapEndpoint(LiveSearch& catalogue, AnswerCache& cache, NewsFeed& home, NewsFeed& bubble,
                           std::string token)
    : catalogue_(catalogue), cache_(cache), home_(home), bubble_(bubble), token_(std::move(token)),
      // Twice the cores: a search with a turn may still wait for a core
      // (behind cached answers, news lists or the network), and the cores
      // should not idle meanwhile; more would bring the long waits back.
      turns_(2 * std::thread::hardware_concurrency())
{
}

SoapEndpoint::Reply SoapEndpoint::handle(std::string_view body, std::string_view siteBase)
{
    const SoapReadResult read = readSoapRequest(body);
    if (!read.request)
        return {500, faultAnswer("soap:Client", read.problem), "-"};
    const SoapRequest& request = *read.request;
    const std::string_view name = operationName(request.operation);
    if (!request.hasToken || request.token != token_)
        return {500, faultAnswer("soap:Client", "access denied: the taken element does not hold a valid token"), name};
    return {200, run(request, siteBase), name};
}

std::string SoapEndpoint::run(const SoapRequest& request, std::string_view siteBase)
{
    switch (request.operation) {
    case Operation::mdefaut:
        return *listAnswer(home_, request.operation, request.ns, siteBase);
    case Operation::maopao:
        return *listAnswer(bubble_, request.operation, request.ns, siteBase);
    default:
        return search(request, siteBase);
    }
}

std::string SoapEndpoint::search(const SoapRequest& request, std::string_view siteBase)
{
    const std::string phrase = keywordPhrase(request.keyword);
    const std::shared_ptr<const SearchCatalogue> catalogue = catalogue_.current();
    // The catalogue's generation in the key: answers from before an import
    // are never found again.
    std::string key = std::to_string(catalogue->generation());
    for (const std::string_view part :
         {operationName(request.operation), std::string_view(phrase), std::string_view(request.ns), siteBase}) {
        key += '\n';
        key += part;
    }
    if (const auto cached = cache_.find(key))
        return *cached;

    const Keyword keyword = parsePhrase(phrase);
    const SearchTurns::Turn turn(turns_);
    std::string answer;
    switch (request.operation) {
    case Operation::Tariff:
        answer = tariffAnswer(request.ns, catalogue->tariff().find(keyword, maxRecords));
        break;
    case Operation::Commodity:
        answer = commodityAnswer(request.ns, siteBase, catalogue->commodity().find(keyword, maxRecords));
        break;
    case Operation::Export:
        answer = exportAnswer(request.ns, catalogue->rebates().find(keyword, maxRecords));
        break;
    case Operation::PE_Article:
        answer = articleAnswer(request.ns, siteBase, catalogue->articles().find(keyword, maxRecords));
        break;
    case Operation::mdefaut:
    case Operation::maopao:
        throw std::logic_error("news lists are not searched");
    }
    cache_.store(key, std::make_shared<const std::string>(answer));
    return answer;
}

} // namespace tarvelo::server
