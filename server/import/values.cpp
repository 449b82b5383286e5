#include "values.h"

namespace tarvelo::server {
namespace {

bool digit(char c)
{
    return c >= '0' && c <= '9';
}

// 13, 6.5, 0.003: the number the text starts with; empty when there is none.
std::string_view leadingNumber(std::string_view text)
{
    size_t end = 0;
    while (end < text.size() && digit(text[end]))
        ++end;
    if (end == 0)
        return {};
    if (end + 1 < text.size() && text[end] == '.' && digit(text[end + 1])) {
        end += 2;
        while (end < text.size() && digit(text[end]))
            ++end;
    }
    return text.substr(0, end);
}

// A unit after 元/: 升, 千克, 支; no digits, signs or spaces.
bool isUnit(std::string_view unit)
{
    if (unit.empty())
        return false;
    for (const char c : unit)
        if (digit(c) || c == '+' || c == '%' || c == '/' || c == ' ' || c == '.')
            return false;
    return true;
}

bool isRatePart(std::string_view part)
{
    constexpr std::string_view perUnit = "元/";
    const std::string_view number = leadingNumber(part);
    if (number.empty())
        return false;
    const std::string_view rest = part.substr(number.size());
    return rest == "%" || (rest.starts_with(perUnit) && isUnit(rest.substr(perUnit.size())));
}

} // namespace

bool isRate(std::string_view text)
{
    if (text.empty())
        return true;
    for (size_t from = 0;;) {
        const size_t plus = text.find('+', from);
        if (!isRatePart(text.substr(from, plus == std::string_view::npos ? std::string_view::npos : plus - from)))
            return false;
        if (plus == std::string_view::npos)
            return true;
        from = plus + 1;
    }
}

} // namespace tarvelo::server
