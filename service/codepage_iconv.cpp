// The code page conversions through iconv.
#include "codepage.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <string>

namespace tarvelo::service::codepage {
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

// Longest piece of text handed to iconv at once. On a character the code page
// lacks, glibc finds where it stopped by converting the piece again from its
// start; with unbounded pieces, text full of such characters (emoji, U+FFFD)
// took time quadratic in its length.
constexpr size_t pieceBytes = 256;

} // namespace

std::string toCp936(std::string_view utf8)
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

std::optional<std::string> toUtf8(std::string_view bytes, const std::string& charset)
{
    Converter conv("UTF-8", charset.c_str());
    if (!conv.valid())
        return std::nullopt;
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

} // namespace tarvelo::service::codepage
