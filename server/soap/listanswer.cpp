#include "listanswer.h"

#include "answers.h"
#include "escape.h"

namespace tarvelo::server {

std::shared_ptr<const std::string> listAnswer(NewsFeed& feed, Operation operation, std::string_view ns,
                                              std::string_view siteBase)
{
    std::string key(ns);
    key += '\n';
    key += siteBase;
    return feed.rendered(key, [&](const std::vector<NewsItem>& items) {
        return newsAnswer(operation, ns, escapeText(newsMarkup(items, siteBase)));
    });
}

} // namespace tarvelo::server
