#pragma once
// The answers of mdefaut and maopao: a news list as escaped markup in the
// answer element, rendered once per namespace and site while the list stays.
#include "newsfeed.h"
#include "soaprequest.h"

#include <memory>
#include <string>
#include <string_view>

namespace tarvelo::server {

std::shared_ptr<const std::string> listAnswer(NewsFeed& feed, Operation operation, std::string_view ns,
                                              std::string_view siteBase);

} // namespace tarvelo::server
