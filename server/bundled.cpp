#include "bundled.h"

// TARVELO_SERVER_DATA is the absolute path of server/data, set by the build.
#define TARVELO_EMBED(symbol, file)                                                                  \
    __asm__(".section .rodata\n"                                                                     \
            ".balign 16\ntarvelo_bundled_" #symbol "_begin:\n"                                                       \
            ".incbin \"" TARVELO_SERVER_DATA "/" file "\"\ntarvelo_bundled_" #symbol "_end:\n"                       \
            ".previous\n");                                                                          \
    extern "C" const char tarvelo_bundled_##symbol##_begin[];                                                          \
    extern "C" const char tarvelo_bundled_##symbol##_end[];                                                            \
    std::string_view tarvelo::server::bundled::symbol()                                              \
    {                                                                                                \
        return {tarvelo_bundled_##symbol##_begin,                                                     \
                static_cast<std::size_t>(tarvelo_bundled_##symbol##_end - tarvelo_bundled_##symbol##_begin)};            \
    }

TARVELO_EMBED(hsNomenclature, "hs/harmonized-system.csv")
TARVELO_EMBED(hsSections, "hs/sections.csv")
TARVELO_EMBED(tariff, "tariff.csv")
TARVELO_EMBED(tariffChanges, "tariff-changes.csv")
TARVELO_EMBED(rebates, "rebates.csv")
TARVELO_EMBED(articles, "articles.csv")
TARVELO_EMBED(news, "news.csv")
TARVELO_EMBED(bubble, "bubble.csv")
