#include "normalise.h"

#include "utf8.h"

#include <opencc/SimpleConverter.hpp>

#include <algorithm>
#include <stdexcept>

namespace tarvelo::server {
namespace {

opencc::SimpleConverter converter(const std::string& config)
{
    try {
        return opencc::SimpleConverter(config);
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot load OpenCC's " + config + ": " + e.what());
    }
}

// Convert is const and keeps no state between calls: one converter serves
// every thread.
const opencc::SimpleConverter& traditionalToSimplified()
{
    static const opencc::SimpleConverter t2s = converter("t2s.json");
    return t2s;
}

const opencc::SimpleConverter& taiwanToMainland()
{
    static const opencc::SimpleConverter tw2sp = converter("tw2sp.json");
    return tw2sp;
}

char32_t folded(char32_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width ASCII
        c -= 0xFF01 - 0x21;
    else if (c == 0x3000) // ideographic space
        c = ' ';
    if (c >= 'A' && c <= 'Z')
        c += 'a' - 'A';
    return c;
}

} // namespace

std::string normalise(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool ascii = true;
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = folded(nextCodePoint(text, pos));
        ascii = ascii && c < 0x80;
        appendUtf8(out, c);
    }
    return ascii ? out : traditionalToSimplified().Convert(out);
}

std::string mainlandWording(std::string_view normalised)
{
    const bool ascii = std::all_of(normalised.begin(), normalised.end(), [](char c) { return (c & 0x80) == 0; });
    return ascii ? std::string(normalised) : taiwanToMainland().Convert(std::string(normalised));
}

} // namespace tarvelo::server
