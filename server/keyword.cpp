#include "keyword.h"

#include <algorithm>

namespace tarvelo::server {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// Digits of a code keyword: only digits, dots and spaces, at least one digit.
std::string codeDigits(std::string_view text)
{
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c != '.' && c != ' ')
            return {};
    }
    return digits;
}

} // namespace

const std::string& Keyword::anchor() const
{
    return *std::max_element(terms.begin(), terms.end(), [](const std::string& a, const std::string& b) {
        return codePoints(a) < codePoints(b);
    });
}

std::string asciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

size_t codePoints(std::string_view text)
{
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

Keyword parseKeyword(std::string_view text)
{
    Keyword k;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i]))
            ++i;
        size_t end = i;
        while (end < text.size() && !isSpace(text[end]))
            ++end;
        if (end > i)
            k.terms.push_back(asciiLower(text.substr(i, end - i)));
        i = end;
    }
    for (const auto& term : k.terms) {
        if (!k.phrase.empty())
            k.phrase += ' ';
        k.phrase += term;
    }
    k.code = codeDigits(k.phrase);
    return k;
}

int textTier(const Keyword& keyword, std::string_view name, std::string_view description)
{
    const std::string_view phrase = keyword.phrase;
    if (name == phrase)
        return 0;
    if (name.starts_with(phrase))
        return 1;
    if (contains(name, phrase))
        return 2;
    const auto inName = [&](const std::string& t) { return contains(name, t); };
    if (std::all_of(keyword.terms.begin(), keyword.terms.end(), inName))
        return 3;
    if (contains(description, phrase))
        return 4;
    const auto anywhere = [&](const std::string& t) { return inName(t) || contains(description, t); };
    if (std::all_of(keyword.terms.begin(), keyword.terms.end(), anywhere))
        return 5;
    return noMatch;
}

} // namespace tarvelo::server
