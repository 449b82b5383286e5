#include "cp936.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <optional>
#include <string>

namespace tarvelo::service {
namespace {

constexpr std::string_view replacementUtf8 = "\xEF\xBF\xBD";

// One iconv conversion descriptor, closed on scope exit.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of in as it can, appending to out. Returns the errno that
    // stopped it (0 when all of in was converted); in is advanced past what was
    // converted.
    int convert(std::string_view& in, std::string& out)
    {
        char buffer[4096];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (r == static_cast<size_t>(-1) && errno != E2BIG)
                return errno;
        }
        return 0;
    }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

// Length of the valid UTF-8 sequence at the start of s and its code point, or
// nothing when s does not start with one.
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

// Longest piece of text handed to iconv at once. On a character the code page
// lacks, glibc finds where it stopped by converting the piece again from its
// start; with unbounded pieces, text full of such characters (emoji, U+FFFD)
// took time quadratic in its length.
constexpr size_t pieceBytes = 256;

std::string toCp936Strict(std::string_view utf8)
{
    Converter conv("CP936", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    std::string_view rest = utf8;
    while (!rest.empty()) {
        const size_t size = std::min(rest.size(), pieceBytes);
        const bool cut = size < rest.size();
        std::string_view piece = rest.substr(0, size);
        const int error = conv.convert(piece, out);
        rest.remove_prefix(size - piece.size());
        // A character cut by the end of the piece starts the next one.
        if (error == 0 || (error == EINVAL && cut && piece.size() < size)) {
            conv.reset();
            continue;
        }
        // Stopped at a character the code page lacks, or at bytes that are no
        // UTF-8: write a reference for it and go on after it.
        const auto seq = decodeUtf8(rest);
        const char32_t cp = seq ? seq->second : U'\uFFFD';
        out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ';';
        rest.remove_prefix(seq ? seq->first : 1);
        conv.reset();
    }
    return out;
}

std::string toUtf8Lenient(std::string_view bytes, const char* from)
{
    Converter conv("UTF-8", from);
    if (!conv.valid())
        return sanitizeUtf8(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    std::string_view rest = bytes;
    while (!rest.empty()) {
        if (conv.convert(rest, out) == 0)
            break;
        out += replacementUtf8;
        rest.remove_prefix(1);
        conv.reset();
    }
    return out;
}

std::string lowerAscii(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return r;
}

} // namespace

std::string utf8ToCp936(std::string_view utf8)
{
    return toCp936Strict(utf8);
}

std::string cp936ToUtf8(std::string_view bytes)
{
    return toUtf8Lenient(bytes, "CP936");
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
    return toUtf8Lenient(bytes, name.c_str());
}

} // namespace tarvelo::service
