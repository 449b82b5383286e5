#include "cp936.h"

#include "codepage.h"

#include <string>
#include <utility>

namespace tarvelo::service {
namespace {

constexpr std::string_view replacementUtf8 = "\xEF\xBF\xBD";

std::string lowerAscii(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return r;
}

} // namespace

std::optional<std::pair<size_t, char32_t>> decodeUtf8(std::string_view s)
{
    const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    if (s.empty())
        return std::nullopt;
    const unsigned char c = b(0);
    if (c < 0x80)
        return std::pair<size_t, char32_t>{1, c};
    size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((c & 0xE0) == 0xC0) {
        len = 2; cp = c & 0x1F; min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3; cp = c & 0x0F; min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4; cp = c & 0x07; min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() < len)
        return std::nullopt;
    for (size_t i = 1; i < len; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    return std::pair<size_t, char32_t>{len, cp};
}


std::string utf8ToCp936(std::string_view utf8)
{
    return codepage::toCp936(utf8);
}

std::string cp936ToUtf8(std::string_view bytes)
{
    return toUtf8(bytes, "cp936");
}

std::string sanitizeUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        // Runs of ASCII are the common case.
        size_t ascii = 0;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80)
            ++ascii;
        out.append(text.substr(0, ascii));
        text.remove_prefix(ascii);
        if (text.empty())
            break;
        if (const auto seq = decodeUtf8(text)) {
            out.append(text.substr(0, seq->first));
            text.remove_prefix(seq->first);
        } else {
            out += replacementUtf8;
            text.remove_prefix(1);
        }
    }
    return out;
}

std::string toUtf8(std::string_view bytes, std::string_view charset)
{
    const std::string name = lowerAscii(charset);
    if (name.empty() || name == "utf-8" || name == "utf8")
        return sanitizeUtf8(bytes);
    if (auto text = codepage::toUtf8(bytes, name))
        return std::move(*text);
    return sanitizeUtf8(bytes);
}

} // namespace tarvelo::service
