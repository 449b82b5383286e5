#include "text.h"

#include "utf8.h"

namespace tarvelo::server {

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
