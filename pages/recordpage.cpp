#include "recordpage.h"

#include "mwin.h"
#include "records.h"

namespace tarvelo::pages {
namespace {

void appendLinkTarget(const RecordSet& records, std::size_t field, std::size_t i, std::string& out)
{
    const std::size_t start = out.size();
    records.appendValue(field, i, out);
    const std::size_t quote = out.find('\'', start);
    if (quote == std::string::npos)
        return;
    const std::string value = out.substr(quote);
    out.resize(quote);
    for (const char c : value) {
        if (c == '\'')
            out += "&#39;";
        else
            out += c;
    }
}

void appendSlotValue(const RecordSet& records, const Slot& slot, std::size_t i, std::string& out)
{
    switch (slot.treatment) {
    case Treatment::Markup:
        records.appendValue(slot.field, i, out);
        break;
    case Treatment::LinkTarget:
        appendLinkTarget(records, slot.field, i, out);
        break;
    case Treatment::DateTime: {
        std::string value;
        records.appendValue(slot.field, i, value);
        out += mwin::datetext(value);
        break;
    }
    }
}

} // namespace

Fragment renderRecords(std::string_view answer, const RecordLayout& layout)
{
    const RecordSet records(answer, layout.fieldNames);
    const std::size_t n = records.count(layout.countedField);
    Fragment result;
    if (n == 0) {
        if (layout.framedWhenEmpty) {
            result.text.reserve(layout.opening.size() + layout.closing.size());
            result.text += layout.opening;
            result.text += layout.closing;
        }
        return result;
    }
    result.hasRecords = true;

    std::size_t fixedPerBlock = layout.blockEnd.size();
    for (const Slot& slot : layout.block)
        fixedPerBlock += slot.before.size();
    std::string& out = result.text;
    // Values come out of the answer, so its size bounds them (link targets
    // grow only where they hold quotes).
    out.reserve(layout.opening.size() + n * fixedPerBlock + answer.size() + layout.closing.size());

    out += layout.opening;
    for (std::size_t i = 0; i < n; ++i) {
        for (const Slot& slot : layout.block) {
            out += slot.before;
            appendSlotValue(records, slot, i, out);
        }
        out += layout.blockEnd;
    }
    out += layout.closing;
    return result;
}

} // namespace tarvelo::pages
