// Request envelopes: whatever the keyword, the request is well-formed XML and
// carries the keyword unchanged.
#include "platform/fakes/fakes.h"
#include "service/cp936.h"
#include "service/webserviceapi.h"

#include <pugixml.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static tarvelo::platform::fakes::FakePlatform fakes{"/nonexistent"};
    tarvelo::webserviceapi api(fakes.seams);

    // Keywords come from a text box: valid UTF-8 without NUL or other
    // characters XML 1.0 cannot carry.
    std::string keyword = tarvelo::service::sanitizeUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    std::erase_if(keyword, [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n'; });

    const std::string request = api.Tariff_head(keyword);
    pugi::xml_document doc;
    if (!doc.load_string(request.c_str(), pugi::parse_default | pugi::parse_ws_pcdata))
        std::abort();
    const auto element = doc.first_element_by_path("soap:Envelope/soap:Body/Tariff/keyword");
    if (!element || std::string(element.child_value()) != keyword)
        std::abort();
    return 0;
}
