#include "utf8.h"

namespace tarvelo {

void appendUtf8(std::string& out, char32_t c)
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

size_t invalidUtf8At(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();) {
        const size_t start = pos;
        // A replacement character written out in the text is no error.
        if (nextCodePoint(text, pos) == 0xFFFD && text.substr(start, pos - start) != "\xEF\xBF\xBD")
            return start;
    }
    return text.size();
}

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace tarvelo
