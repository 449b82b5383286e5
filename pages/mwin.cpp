#include "mwin.h"

#include "utf8.h"

#include <array>
#include <optional>
#include <utility>

namespace tarvelo::mwin {
namespace {

int digitValue(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The character of a numeric reference that s starts with ("&#65;",
// "&#x41;") and the reference's length; nothing unless it names a character.
std::optional<std::pair<char32_t, std::size_t>> numericReference(std::string_view s)
{
    if (!s.starts_with("&#"))
        return std::nullopt;
    std::size_t pos = 2;
    int base = 10;
    if (pos < s.size() && s[pos] == 'x') {
        base = 16;
        ++pos;
    }
    const std::size_t digitsStart = pos;
    char32_t value = 0;
    for (; pos < s.size(); ++pos) {
        const int d = digitValue(s[pos], base);
        if (d < 0)
            break;
        value = value * base + static_cast<char32_t>(d);
        if (value > 0x10FFFF)
            return std::nullopt;
    }
    if (pos == digitsStart || pos >= s.size() || s[pos] != ';')
        return std::nullopt;
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return std::pair{value, pos + 1};
}

constexpr std::array<std::pair<std::string_view, char>, 5> namedReferences = {{
    {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&amp;", '&'},
}};

} // namespace

std::string htmldecode(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    std::size_t done = 0;
    for (std::size_t amp = s.find('&'); amp != std::string_view::npos; amp = s.find('&', done)) {
        out.append(s.substr(done, amp - done));
        const std::string_view rest = s.substr(amp);
        done = amp + 1;
        bool decoded = false;
        for (const auto& [name, c] : namedReferences) {
            if (rest.starts_with(name)) {
                out += c;
                done = amp + name.size();
                decoded = true;
                break;
            }
        }
        if (decoded)
            continue;
        if (const auto ref = numericReference(rest)) {
            appendUtf8(out, ref->first);
            done = amp + ref->second;
        } else {
            out += '&';
        }
    }
    out.append(s.substr(done));
    return out;
}

std::string datetext(std::string_view s)
{
    constexpr std::string_view zone = "+08:00";
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (s.substr(i).starts_with(zone)) {
            i += zone.size();
            continue;
        }
        out += s[i] == 'T' ? ' ' : s[i];
        ++i;
    }
    return out;
}

} // namespace tarvelo::mwin
