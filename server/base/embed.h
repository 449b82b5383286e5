#pragma once
// Files built into the program as read-only bytes: TARVELO_EMBED_BYTES(symbol,
// "/absolute/path") in one source file at namespace scope, then
// TARVELO_BYTES(symbol) is the file's text as a std::string_view. The build
// passes the absolute paths (ELF targets: the service runs on Linux).
#include <cstddef>
#include <string_view>

#define TARVELO_EMBED_BYTES(symbol, path)                                                                              \
    __asm__(".section .rodata\n"                                                                                       \
            ".balign 16\ntarvelo_embedded_" #symbol "_begin:\n"                                                        \
            ".incbin \"" path "\"\ntarvelo_embedded_" #symbol "_end:\n"                                                \
            ".previous\n");                                                                                            \
    extern "C" const char tarvelo_embedded_##symbol##_begin[];                                                         \
    extern "C" const char tarvelo_embedded_##symbol##_end[];

#define TARVELO_BYTES(symbol)                                                                                          \
    std::string_view(tarvelo_embedded_##symbol##_begin,                                                                \
                     static_cast<std::size_t>(tarvelo_embedded_##symbol##_end - tarvelo_embedded_##symbol##_begin))
