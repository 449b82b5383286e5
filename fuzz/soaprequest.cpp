// The service's SOAP request reader: any body is either read into a request
// whose operation names itself again, or refused with a reason; the fault
// answer built from that reason is well-formed XML.
#include "answers.h"
#include "soaprequest.h"

#include <pugixml.hpp>

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tarvelo::server;
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const SoapReadResult read = readSoapRequest(body);
    if (read.request) {
        const SoapRequest& request = *read.request;
        if (operationNamed(operationName(request.operation)) != request.operation)
            std::abort();
        if (!read.problem.empty() || (!takesKeyword(request.operation) && !request.keyword.empty()))
            std::abort();
        return 0;
    }
    if (read.problem.empty())
        std::abort();
    const std::string fault = faultAnswer("soap:Client", read.problem);
    pugi::xml_document doc;
    if (!doc.load_buffer(fault.data(), fault.size()))
        std::abort();
    return 0;
}
