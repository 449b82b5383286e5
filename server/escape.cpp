#include "escape.h"

namespace tarvelo::server {
namespace {

void append(std::string& out, std::string_view text, bool quotes)
{
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        std::string_view entity;
        switch (text[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = quotes ? "&quot;" : ""; break;
        case '\'': entity = quotes ? "&#39;" : ""; break;
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

} // namespace

void appendText(std::string& out, std::string_view text)
{
    append(out, text, false);
}

void appendAttribute(std::string& out, std::string_view text)
{
    append(out, text, true);
}

std::string escapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendText(out, text);
    return out;
}

std::string escapeAttribute(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendAttribute(out, text);
    return out;
}

} // namespace tarvelo::server
