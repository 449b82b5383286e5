#pragma once
// The SOAP answers of the six operations. Each record is one element holding
// every field element of the record, empty ones included, so that a reader
// taking fields by tag name in document order lines them up by index.
#include "records.h"
#include "soaprequest.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// The answer element is <OperationResponse xmlns="ns"><OperationResult>
// around the records. siteBase is "http://host:port", the prefix of the links
// into this service's own pages.
std::string tariffAnswer(std::string_view ns, const std::vector<const TariffLine*>& lines);
std::string commodityAnswer(std::string_view ns, std::string_view siteBase,
                            const std::vector<const CommodityCode*>& codes);
std::string exportAnswer(std::string_view ns, const std::vector<const RebateLine*>& lines);
std::string articleAnswer(std::string_view ns, std::string_view siteBase, const std::vector<const Article*>& articles);
// mdefaut and maopao: the list markup, escaped once, as the result text.
std::string newsAnswer(Operation op, std::string_view ns, std::string_view escapedMarkup);

// A SOAP 1.1 fault; code is "soap:Client" or "soap:Server".
std::string faultAnswer(std::string_view code, std::string_view message);

inline constexpr std::string_view xmlContentType = "text/xml; charset=utf-8";

} // namespace tarvelo::server
