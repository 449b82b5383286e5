#include "soapendpoint.h"

#include "answers.h"
#include "keyword.h"

#include <stdexcept>

namespace tarvelo::server {

SoapEndpoint::SoapEndpoint(CataloguePool& catalogues, NewsFeed& home, NewsFeed& bubble, std::string token)
    : catalogues_(catalogues), home_(home), bubble_(bubble), token_(std::move(token))
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
    const Keyword keyword = parseKeyword(request.keyword);
    switch (request.operation) {
    case Operation::mdefaut:
        return *home_.answer(request.ns, siteBase);
    case Operation::maopao:
        return *bubble_.answer(request.ns, siteBase);
    case Operation::Tariff:
        return tariffAnswer(request.ns, catalogues_.lease()->searchTariff(keyword, maxRecords));
    case Operation::Commodity:
        return commodityAnswer(request.ns, siteBase, catalogues_.lease()->searchCommodity(keyword, maxRecords));
    case Operation::Export:
        return exportAnswer(request.ns, catalogues_.lease()->searchRebates(keyword, maxRecords));
    case Operation::PE_Article:
        return articleAnswer(request.ns, siteBase, catalogues_.lease()->searchArticles(keyword, maxRecords));
    }
    throw std::logic_error("operation without an answer");
}

} // namespace tarvelo::server
