// Keyword search. The first line of the input is a keyword, searched in the
// bundled catalogue (every answer rendered and read back as XML) and in a
// text index built from the remaining lines (code, name, description
// separated by tabs; any bytes). Every result must answer the keyword, no
// entry may come twice, and no search may give more than its limit.
#include "answers.h"
#include "database.h"
#include "keyword.h"
#include "searchcatalogue.h"
#include "textindex.h"

#include <pugixml.hpp>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tarvelo::server;

// The bundled data in a database of its own, read once.
const SearchCatalogue& bundled()
{
    static const SearchCatalogue catalogue = [] {
        const auto folder = std::filesystem::temp_directory_path() / ("tarvelo-fuzz-search-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ensureDatabase(folder / "search.db");
        Connection db(folder / "search.db", Connection::Mode::ReadOnly);
        SearchCatalogue read(db, 0, "9999-12-31"); // the newest rates
        std::filesystem::remove_all(folder);
        return read;
    }();
    return catalogue;
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

struct Fields {
    std::string_view code, name, description;
};

} // namespace

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

    // Entries in code order, as the catalogue adds them.
    std::vector<Fields> entries;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto fields = split(lines[i], '\t');
        entries.push_back({fields[0], fields.size() > 1 ? fields[1] : "", fields.size() > 2 ? fields[2] : ""});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Fields& a, const Fields& b) { return a.code < b.code; });
    TextIndex index;
    for (size_t i = 0; i < entries.size(); ++i)
        index.add(static_cast<std::int64_t>(i), entries[i].code, entries[i].name, entries[i].description);
    const auto found = index.find(keyword, limit);
    if (found.size() > limit || std::set(found.begin(), found.end()).size() != found.size())
        std::abort();
    for (const std::uint32_t position : found) {
        if (position >= entries.size())
            std::abort();
        const Fields& e = entries[position];
        const bool code = !keyword.code.empty() && e.code.starts_with(keyword.code);
        if (!code && textTier(keyword, asciiLower(e.name), asciiLower(e.description)) == noMatch)
            std::abort();
    }
    return 0;
}
