// The code page conversions through the Windows API.
#include "codepage.h"

#include <array>
#include <cstdint>
#include <string>

#include <windows.h>

namespace tarvelo::service::codepage {
namespace {

constexpr UINT gbk = 936;

// The character sets answers name, by their HTTP names. Windows knows them by
// number only, so unlike iconv it takes no other names.
std::optional<UINT> codePageOf(std::string_view name)
{
    static constexpr std::pair<std::string_view, UINT> known[] = {
        {"cp936", gbk}, {"gbk", gbk}, {"gb2312", gbk}, {"x-gbk", gbk},
        {"gb18030", 54936}, {"big5", 950},
        {"iso-8859-1", 28591}, {"latin1", 28591}, {"windows-1252", 1252}, {"us-ascii", 20127},
    };
    for (const auto& [n, page] : known)
        if (n == name)
            // A code page the system lacks (Wine has no GB 18030) counts as unknown.
            return IsValidCodePage(page) ? std::optional(page) : std::nullopt;
    return std::nullopt;
}

void appendUtf16(std::wstring& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += static_cast<wchar_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (cp >> 10));
        out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    }
}

std::string toUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

// The UTF-16 form of bytes in code page page, or nothing when they hold a
// sequence the code page does not define (or an incomplete one).
std::optional<std::wstring> strictlyDecoded(UINT page, std::string_view bytes)
{
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data(), length);
    return out;
}

} // namespace

std::string toCp936(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::wstring wide;
    std::array<char, 8> bytes{};
    while (!utf8.empty()) {
        const auto seq = decodeUtf8(utf8);
        const char32_t cp = seq ? seq->second : U'\uFFFD';
        utf8.remove_prefix(seq ? seq->first : 1);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        wide.clear();
        appendUtf16(wide, cp);
        // No best fit: a character the code page lacks must not turn into a
        // look-alike (or a question mark) but into a reference.
        BOOL lacking = FALSE;
        const int n = WideCharToMultiByte(gbk, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                          bytes.data(), static_cast<int>(bytes.size()), nullptr, &lacking);
        if (n > 0 && !lacking)
            out.append(bytes.data(), static_cast<size_t>(n));
        else
            out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ';';
    }
    return out;
}

std::optional<std::string> toUtf8(std::string_view bytes, const std::string& charset)
{
    const auto page = codePageOf(charset);
    if (!page)
        return std::nullopt;
    if (auto wide = strictlyDecoded(*page, bytes))
        return toUtf8(*wide);
    // Character by character: the shortest sequence the code page defines (one,
    // two or, in GB 18030, four bytes), else U+FFFD for the first byte.
    std::wstring wide;
    while (!bytes.empty()) {
        std::optional<std::wstring> one;
        size_t used = 0;
        for (size_t length : {1, 2, 4}) {
            if (length > bytes.size())
                break;
            if ((one = strictlyDecoded(*page, bytes.substr(0, length)))) {
                used = length;
                break;
            }
        }
        wide += one ? *one : std::wstring(1, L'\uFFFD');
        bytes.remove_prefix(one ? used : 1);
    }
    return toUtf8(wide);
}

} // namespace tarvelo::service::codepage
