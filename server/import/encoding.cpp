#include "encoding.h"

#include "csv.h"
#include "utf8.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace tarvelo::server {
namespace {

struct IconvClose {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvClose>;

// Names the line where the text stops being either encoding: where the one
// that reads further breaks, since that is most likely the one meant.
[[noreturn]] void undecodable(std::string_view bytes, size_t utf8End, size_t gbEnd, std::string_view source)
{
    const size_t at = std::max(utf8End, gbEnd);
    const auto line = std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1;
    throw CsvError(std::string(source) + ", line " + std::to_string(line) +
                   ": the text is neither UTF-8 nor GB18030 (GBK); read as " +
                   (utf8End >= gbEnd ? "UTF-8" : "GB18030") + ", it breaks on this line");
}

} // namespace

std::string decodeCsvText(std::string bytes, std::string_view source)
{
    // Chinese text in GB18030 is almost never valid UTF-8, so valid UTF-8 is taken as such.
    const size_t utf8End = invalidUtf8At(bytes);
    if (utf8End == bytes.size())
        return bytes;
    const Converter cd(iconv_open("UTF-8", "GB18030"));
    if (cd.get() == reinterpret_cast<iconv_t>(-1))
        throw CsvError("cannot convert from GB18030: this system's iconv lacks it");
    std::string text(bytes.size() * 2 + 16, '\0'); // two bytes of GB18030 make at most three of UTF-8
    char* in = bytes.data();
    size_t inLeft = bytes.size();
    char* out = text.data();
    size_t outLeft = text.size();
    if (iconv(cd.get(), &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1))
        undecodable(bytes, utf8End, bytes.size() - inLeft, source);
    text.resize(text.size() - outLeft);
    return text;
}

} // namespace tarvelo::server
