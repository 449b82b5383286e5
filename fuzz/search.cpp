// Keyword search. The first line of the input is a keyword, searched in the
// bundled catalogue (every answer rendered and read back as XML) and in a
// text index built from the remaining lines (name and description separated
// by a tab; any bytes). No search may give more than its limit, and the text
// index names each entry at most once, in position order.
#include "answers.h"
#include "database.h"
#include "keyword.h"
#include "searchcatalogue.h"
#include "textindex.h"

#include <pugixml.hpp>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tarvelo::server;

// The bundled data in a database of its own, read once.
const SearchCatalogue& bundled()
{
    static const std::unique_ptr<const SearchCatalogue> catalogue = [] {
        const auto folder = std::filesystem::temp_directory_path() / ("tarvelo-fuzz-search-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ensureDatabase(folder / "search.db");
        auto read = std::make_unique<const SearchCatalogue>(readSearchSource(folder / "search.db", "9999-12-31"), 0,
                                                            "9999-12-31"); // the newest rates
        std::filesystem::remove_all(folder);
        return read;
    }();
    return *catalogue;
}

void wellFormed(const std::string& answer)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(answer.data(), answer.size()))
        std::abort();
}

std::vector<std::string_view> split(std::string_view text, char at)
{
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(at, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

// Reading the bundled catalogue (filling a database, folding every text)
// takes seconds under the sanitizers: done before the first input's time-out
// starts.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    bundled();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto lines = split(std::string_view(reinterpret_cast<const char*>(data), size), '\n');
    const Keyword keyword = parseKeyword(lines.front());
    const size_t limit = 1 + size % 200;

    const SearchCatalogue& catalogue = bundled();
    const std::string ns = "http://127.0.0.1:8936/";
    const std::string site = "http://127.0.0.1:8936";
    const auto tariff = catalogue.tariff().find(keyword, limit);
    const auto commodity = catalogue.commodity().find(keyword, limit);
    const auto rebates = catalogue.rebates().find(keyword, limit);
    const auto articles = catalogue.articles().find(keyword, limit);
    if (tariff.size() > limit || commodity.size() > limit || rebates.size() > limit || articles.size() > limit)
        std::abort();
    wellFormed(tariffAnswer(ns, tariff));
    wellFormed(commodityAnswer(ns, site, commodity));
    wellFormed(exportAnswer(ns, rebates));
    wellFormed(articleAnswer(ns, site, articles));

    TextIndex index;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto fields = split(lines[i], '\t');
        index.add(fields[0], fields.size() > 1 ? fields[1] : "");
    }
    const auto found = index.find(keyword);
    for (size_t i = 0; i < found.size(); ++i) {
        if (found[i].position >= index.size() || (i > 0 && found[i].position <= found[i - 1].position))
            std::abort();
        if (found[i].name == Fit::none && found[i].description == Fit::none)
            std::abort();
    }
    return 0;
}
