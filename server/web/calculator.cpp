#include "calculator.h"

#include "embed.h"
#include "escape.h"

#include <string_view>

// The form and its script are files of their own beside this one; the
// script computes with exact fractions (BigInt), so that nothing is rounded
// before the end. TARVELO_WEB_SOURCE is this folder, set by the build.
TARVELO_EMBED_BYTES(calculatorForm, TARVELO_WEB_SOURCE "/calculator.html")
TARVELO_EMBED_BYTES(calculatorScript, TARVELO_WEB_SOURCE "/calculator.js")

namespace tarvelo::server {

void appendCalculator(std::string& html, const std::vector<TariffLine>& lines)
{
    std::string options;
    for (const TariffLine& l : lines) {
        options += "<option value='";
        appendAttribute(options, l.code);
        for (const auto& [name, value] : {std::pair<std::string_view, std::string_view>{"mfn", l.mfn},
                                          {"general", l.general},
                                          {"consumption", l.consumption},
                                          {"vat", l.vat}}) {
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
    const std::string_view form = TARVELO_BYTES(calculatorForm);
    constexpr std::string_view slot = "%LINES%";
    const size_t at = form.find(slot);
    html += form.substr(0, at);
    html += options;
    html += form.substr(at + slot.size());
    html += "<script>\n";
    html += TARVELO_BYTES(calculatorScript);
    html += "</script>\n";
}

} // namespace tarvelo::server
