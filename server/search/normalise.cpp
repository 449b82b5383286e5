#include "normalise.h"

#include "utf8.h"

#include <opencc/SimpleConverter.hpp>

#include <algorithm>
#include <stdexcept>

namespace tarvelo::server {
namespace {

const opencc::SimpleConverter& traditionalToSimplified()
{
    // Convert is const and keeps no state between calls: one converter
    // serves every thread.
    static const opencc::SimpleConverter converter = [] {
        try {
            return opencc::SimpleConverter("t2s.json");
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string("cannot load OpenCC's t2s.json: ") + e.what());
        }
    }();
    return converter;
}

const opencc::SimpleConverter& taiwanToMainland()
{
    static const opencc::SimpleConverter converter = [] {
        try {
            return opencc::SimpleConverter("tw2sp.json");
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string("cannot load OpenCC's tw2sp.json: ") + e.what());
        }
    }();
    return converter;
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
