#include "normalise.h"

#include <opencc/SimpleConverter.hpp>

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

void append(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
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

char32_t nextCodePoint(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    bool complete = length != 0 && pos + length <= text.size();
    for (size_t i = 1; complete && i < length; ++i)
        complete = (static_cast<unsigned char>(text[pos + i]) & 0xC0) == 0x80;
    if (!complete) {
        ++pos;
        return 0xFFFD;
    }
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
        value = (value << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    pos += length;
    return value;
}

bool isIdeograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF) ||
           (c >= 0x3040 && c <= 0x30FF) || (c >= 0xAC00 && c <= 0xD7AF);
}

bool isSeparator(char32_t c)
{
    if (c < 0x80)
        return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
    return (c >= 0x2000 && c <= 0x206F) || // general punctuation
           (c >= 0x3000 && c <= 0x303F) || // CJK punctuation
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
           (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65) || c == 0xA0 || c == 0xAB || c == 0xBB ||
           c == 0xB7 || c == 0xD7 || c == 0xFFFD;
}

std::string normalise(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool ascii = true;
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = folded(nextCodePoint(text, pos));
        ascii = ascii && c < 0x80;
        append(out, c);
    }
    return ascii ? out : traditionalToSimplified().Convert(out);
}

std::string_view trimPunctuation(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size()) {
        size_t next = begin;
        if (!isSeparator(nextCodePoint(text, next)))
            break;
        begin = next;
    }
    size_t end = text.size();
    while (end > begin) {
        size_t start = end - 1;
        while (start > begin && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
            --start;
        size_t next = start;
        if (!isSeparator(nextCodePoint(text, next)) || next != end)
            break;
        end = start;
    }
    return text.substr(begin, end - begin);
}

} // namespace tarvelo::server
