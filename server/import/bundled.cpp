#include "bundled.h"

#include "embed.h"

// TARVELO_SERVER_DATA is the absolute path of server/data, set by the build.
#define TARVELO_EMBED(symbol, file)                                                                                    \
    TARVELO_EMBED_BYTES(symbol, TARVELO_SERVER_DATA "/" file)                                                          \
    std::string_view tarvelo::server::bundled::symbol()                                                                \
    {                                                                                                                  \
        return TARVELO_BYTES(symbol);                                                                                  \
    }

TARVELO_EMBED(hsNomenclature, "hs/harmonized-system.csv")
TARVELO_EMBED(hsSections, "hs/sections.csv")
TARVELO_EMBED(hsNames, "hs/names-zh.csv")
TARVELO_EMBED(hsSectionNames, "hs/sections-zh.csv")
TARVELO_EMBED(glosses, "cedict/zh-en.csv")
TARVELO_EMBED(tariff, "tariff.csv")
TARVELO_EMBED(tariffChanges, "tariff-changes.csv")
TARVELO_EMBED(rebates, "rebates.csv")
TARVELO_EMBED(articles, "articles.csv")
TARVELO_EMBED(news, "news.csv")
TARVELO_EMBED(bubble, "bubble.csv")

// bundledreferences.inc is written by the build: one
// TARVELO_REFERENCE(symbol, "references/NAME.csv") per file.
#define TARVELO_REFERENCE(symbol, file) TARVELO_EMBED_BYTES(symbol, TARVELO_SERVER_DATA "/" file)
#include "bundledreferences.inc"
#undef TARVELO_REFERENCE

std::vector<tarvelo::server::bundled::File> tarvelo::server::bundled::references()
{
#define TARVELO_REFERENCE(symbol, file) {file, TARVELO_BYTES(symbol)},
    return {
#include "bundledreferences.inc"
    };
#undef TARVELO_REFERENCE
}
