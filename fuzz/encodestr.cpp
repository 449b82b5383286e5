// The fingerprint encoder: any text, length a multiple of four, only Base64
// characters, deterministic.
#include "service/baseencode.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string a = tarvelo::baseencode::encodestr(text);
    if (a.size() % 4 != 0 || a != tarvelo::baseencode::encodestr(text))
        std::abort();
    for (const char c : a) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
                        c == '/' || c == '=';
        if (!ok)
            std::abort();
    }
    return 0;
}
