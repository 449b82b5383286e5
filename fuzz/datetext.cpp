// datetext: no 'T' is left, only "+08:00" pieces are taken out (the length
// drops by a multiple of six), and a text with neither comes back unchanged.
#include "pages/mwin.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string out = tarvelo::mwin::datetext(text);
    if (out.size() > text.size() || (text.size() - out.size()) % 6 != 0)
        std::abort();
    if (out.find('T') != std::string::npos)
        std::abort();
    if (text.find('T') == std::string_view::npos && text.find("+08:00") == std::string_view::npos && out != text)
        std::abort();
    if (text.find("+08:00") == std::string_view::npos && out.size() != text.size())
        std::abort();
    return 0;
}
