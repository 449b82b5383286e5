#include "webserviceapi.h"

#include "cp936.h"
#include "envelope.h"
#include "httpexchange.h"
#include "xmltext.h"

#include <pugixml.hpp>

namespace tarvelo {

webserviceapi::webserviceapi(platform::Seams& seams) : seams_(seams) {}

std::string webserviceapi::weburl() const
{
    if (!endpoint_.empty())
        return endpoint_;
    if (!seams_.endpointOverride.empty())
        return seams_.endpointOverride;
    return std::string(service::defaultEndpoint());
}

void webserviceapi::weburl(std::string value)
{
    endpoint_ = std::move(value);
}

std::string webserviceapi::pe_article_head(std::string_view str) const { return service::envelope("PE_Article", str); }
std::string webserviceapi::Commodity_head(std::string_view str) const { return service::envelope("Commodity", str); }
std::string webserviceapi::Export_head(std::string_view str) const { return service::envelope("Export", str); }
std::string webserviceapi::Tariff_head(std::string_view str) const { return service::envelope("Tariff", str); }
std::string webserviceapi::mdefaut_head() const { return service::envelope("mdefaut", std::nullopt); }
std::string webserviceapi::mmaopao_head() const { return service::envelope("maopao", std::nullopt); }

std::string webserviceapi::webservice(std::string_view varbody)
{
    const service::HttpAnswer answer = service::postXml(weburl(), varbody, seams_.timeouts, seams_.caFileOverride);
    if (!answer.delivered) {
        connectionFailed();
        return std::string(failureText);
    }
    return service::toUtf8(answer.body, service::charsetOf(answer.contentType));
}

void webserviceapi::connectionFailed()
{
    ++seams_.openConnectionPrompts;
    const platform::Choice choice = seams_.messageBox.show(
        messages::connectionPrompt, messages::connectionCaption, platform::Buttons::OkCancel);
    --seams_.openConnectionPrompts;
    if (choice == platform::Choice::Ok) {
        seams_.hub.deltubiao();
        seams_.processExit.exitNow(0);
        return;
    }
    seams_.hub.setTimerEnabled(false);
}

void webserviceapi::readxml(std::string_view varbody)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(varbody.data(), varbody.size()))
        return;
    const pugi::xml_node title = doc.find_node([](const pugi::xml_node& n) {
        return n.type() == pugi::node_element && std::string_view(n.name()) == "title";
    });
    if (!title)
        return;
    seams_.messageBox.show(service::textContent(title), messages::appTitle, platform::Buttons::Ok);
}

} // namespace tarvelo
