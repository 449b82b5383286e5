#include "calculator.h"

#include "embed.h"
#include "escape.h"

#include <cstdio>
#include <string_view>

// The form and its script are files of their own beside this one.
// TARVELO_WEB_SOURCE is this folder, set by the build.
TARVELO_EMBED_BYTES(calculatorForm, TARVELO_WEB_SOURCE "/calculator.html")
TARVELO_EMBED_BYTES(calculatorScript, TARVELO_WEB_SOURCE "/calculator.js")

namespace tarvelo::server {
namespace {

// The units the line's quantity fields ask for with this duty rate, one word each.
std::string unitList(std::string_view duty, std::string_view consumption)
{
    std::string list;
    for (const std::string& unit : duty::quantityUnits(duty, consumption))
        list += (list.empty() ? "" : " ") + unit;
    return list;
}

void appendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

} // namespace

void appendCalculator(std::string& html, const std::vector<TariffLine>& lines, std::string_view endpoint)
{
    std::string options;
    for (const TariffLine& l : lines) {
        options += "<option value='";
        appendAttribute(options, l.code);
        for (const auto& [name, value] : {std::pair<std::string_view, std::string>{"mfn", l.mfn},
                                          {"general", l.general},
                                          {"consumption", l.consumption},
                                          {"vat", l.vat},
                                          {"mfn-units", unitList(l.mfn, l.consumption)},
                                          {"general-units", unitList(l.general, l.consumption)}}) {
            options += "' data-";
            options += name;
            options += "='";
            appendAttribute(options, value);
        }
        options += "'>";
        appendText(options, l.code);
        options += ' ';
        appendText(options, l.name);
        options += "</option>";
    }
    std::string form(TARVELO_BYTES(calculatorForm));
    for (const auto& [slot, text] : {std::pair<std::string_view, std::string>{"%ENDPOINT%", escapeAttribute(endpoint)},
                                     {"%LINES%", options}})
        form.replace(form.find(slot), slot.size(), text);
    html += form;
    html += "<script>\n";
    html += TARVELO_BYTES(calculatorScript);
    html += "</script>\n";
}

std::string calculationAnswer(const duty::Inputs& inputs)
{
    std::string json = "{\"steps\":[";
    bool first = true;
    for (const duty::Step& step : duty::calculate(inputs).steps) {
        json += first ? "{\"id\":" : ",{\"id\":";
        first = false;
        appendJsonString(json, step.id);
        json += ",\"amount\":";
        appendJsonString(json, step.amount);
        json += ",\"text\":";
        appendJsonString(json, step.text);
        json += '}';
    }
    json += "]}";
    return json;
}

} // namespace tarvelo::server
