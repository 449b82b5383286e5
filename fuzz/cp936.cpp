// Code page 936 conversion both ways: never crashes, and UTF-8 text survives
// the round trip up to the numeric references that stand for characters the
// code page lacks.
#include "service/cp936.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = tarvelo::service::cp936ToUtf8(input);
    if (tarvelo::service::sanitizeUtf8(utf8) != utf8)
        std::abort(); // the decoder must always produce valid UTF-8

    const std::string clean = tarvelo::service::sanitizeUtf8(input);
    const std::string bytes = tarvelo::service::utf8ToCp936(clean);
    // Without '&' in the text, references can only come from the encoder, so
    // a text that needed none must come back unchanged.
    if (clean.find('&') == std::string::npos && bytes.find("&#") == std::string::npos &&
        tarvelo::service::cp936ToUtf8(bytes) != clean)
        std::abort();

    tarvelo::service::toUtf8(input, "GBK");
    tarvelo::service::toUtf8(input, "ISO-8859-1");
    return 0;
}
