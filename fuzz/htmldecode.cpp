// htmldecode: never grows the text (every reference is at least as long as
// the UTF-8 of its character), leaves text without '&' alone, keeps valid
// UTF-8 valid, and undoes the request builders' escaping exactly.
#include "escape.h"
#include "pages/mwin.h"
#include "service/cp936.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string decoded = tarvelo::mwin::htmldecode(text);
    if (decoded.size() > text.size())
        std::abort();
    if (text.find('&') == std::string_view::npos && decoded != text)
        std::abort();
    if (tarvelo::service::sanitizeUtf8(text) == text && tarvelo::service::sanitizeUtf8(decoded) != decoded)
        std::abort();
    if (tarvelo::mwin::htmldecode(tarvelo::escapeXml(text)) != text)
        std::abort();
    return 0;
}
