#include "rates.h"

#include "escape.h"

namespace tarvelo::server {
namespace {

void attribute(std::string& xml, std::string_view name, std::string_view value)
{
    xml += ' ';
    xml += name;
    xml += "=\"";
    xml += escapeXml(value);
    xml += '"';
}

template <class Rates>
void rateAttributes(std::string& xml, const Rates& rates)
{
    attribute(xml, "mfn", rates.mfn);
    attribute(xml, "general", rates.general);
    attribute(xml, "consumption", rates.consumption);
    attribute(xml, "vat", rates.vat);
    attribute(xml, "unit", rates.unit);
    attribute(xml, "supervision", rates.supervision);
}

} // namespace

std::optional<TariffRate> nextChange(const std::vector<TariffRate>& history, std::string_view code,
                                     std::string_view today)
{
    // The history is oldest first: the first later schedule is the next one.
    for (const TariffRate& rate : history)
        if (rate.code == code && !rate.effective.empty() && rate.effective > today)
            return rate;
    return std::nullopt;
}

std::string ratesAnswer(const std::vector<LineRates>& lines, std::string_view today)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rates";
    attribute(xml, "today", today);
    xml += ">\n";
    for (const LineRates& entry : lines) {
        xml += "<line";
        attribute(xml, "code", entry.line.code);
        attribute(xml, "name", entry.line.name);
        rateAttributes(xml, entry.line);
        if (!entry.next) {
            xml += "/>\n";
            continue;
        }
        xml += "><next";
        attribute(xml, "effective", entry.next->effective);
        rateAttributes(xml, *entry.next);
        xml += "/></line>\n";
    }
    xml += "</rates>\n";
    return xml;
}

} // namespace tarvelo::server
