#pragma once
// The page commands as the hub runs them, on the real page generator and the
// real exchange, and what a test wants to know about their outcome.
#include "pages/cshtml.h"
#include "platform/fakes/fakes.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvelo::robustness {

struct Lookup {
    const char* name;                                    // for messages
    const char* file;                                    // page file, as given to pathn
    std::string (cshtml::*run)(std::string_view);        // the category's fragment
    std::string_view category;                           // as the no-result message names it
};

inline const Lookup lookups[] = {
    {"Tariff", "\\Tariff20110101.html", &cshtml::Tariff, "海关税则"},
    {"Commodity", "\\Commodity20110101.html", &cshtml::Commodity, "商品编码"},
    {"Export", "\\Export20110101.html", &cshtml::Export, "出口退税"},
    {"pe_article", "\\pearticle20110101.html", &cshtml::pe_article, "法规政策"},
};

// One lookup command: page file, head + fragment + foot, written. Returns the
// full path the browser would be pointed at.
inline std::string runLookup(platform::Seams& seams, const Lookup& lookup, std::string_view keyword)
{
    cshtml page(seams);
    page.pathn(lookup.file);
    std::string body = page.htmlhead();
    body += (page.*lookup.run)(keyword);
    body += page.htmlfoor();
    page.bodystr(std::move(body));
    page.createhtml();
    return page.pathn();
}

// The home command's rebuild: head without scroll bars + home fragment + foot.
inline std::string runHome(platform::Seams& seams)
{
    cshtml page(seams);
    page.pathn("\\softdefaut.html");
    page.bodystr(page.htmlheadno() + page.defaut() + page.htmlfoor());
    page.createhtml();
    return page.pathn();
}

std::string readBytes(const std::filesystem::path& path);

// Number of message boxes whose text starts with prefix.
size_t countShown(const platform::fakes::FakeMessageBox& box, std::string_view prefix);

} // namespace tarvelo::robustness
