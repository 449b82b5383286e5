#include "escape.h"

namespace tarvelo {
namespace {

// apostrophe: its entity, or empty to leave apostrophes (and quotes) as they are.
void append(std::string& out, std::string_view text, std::string_view apostrophe)
{
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        std::string_view entity;
        switch (text[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = apostrophe.empty() ? "" : "&quot;"; break;
        case '\'': entity = apostrophe; break;
        default: break;
        }
        if (entity.empty())
            continue;
        out.append(text.substr(from, i - from));
        out.append(entity);
        from = i + 1;
    }
    out.append(text.substr(from));
}

std::string escaped(std::string_view text, std::string_view apostrophe)
{
    std::string out;
    out.reserve(text.size());
    append(out, text, apostrophe);
    return out;
}

} // namespace

void appendText(std::string& out, std::string_view text)
{
    append(out, text, {});
}

void appendAttribute(std::string& out, std::string_view text)
{
    append(out, text, "&#39;");
}

std::string escapeText(std::string_view text)
{
    return escaped(text, {});
}

std::string escapeAttribute(std::string_view text)
{
    return escaped(text, "&#39;");
}

std::string escapeXml(std::string_view text)
{
    return escaped(text, "&apos;");
}

} // namespace tarvelo
