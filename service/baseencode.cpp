#include "baseencode.h"

#include "cp936.h"

#include <array>
#include <cstdint>

namespace tarvelo::baseencode {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Encodes the first `used` (1 to 3) bytes of in into four characters.
void encodeblock(std::array<uint8_t, 3> in, std::array<char, 4>& out, int used)
{
    if (used < 3)
        in[2] = 0;
    if (used < 2)
        in[1] = 0;
    out[0] = alphabet[in[0] >> 2];
    out[1] = alphabet[((in[0] & 0x03) << 4) | (in[1] >> 4)];
    out[2] = alphabet[((in[1] & 0x0F) << 2) | (in[2] >> 6)];
    out[3] = alphabet[in[2] & 0x3F];
    if (used < 3)
        out[3] = '=';
    if (used < 2)
        out[2] = '=';
}

} // namespace

std::string encodestr(std::string_view text)
{
    const std::string bytes = service::utf8ToCp936(text);
    std::string result;
    result.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const int used = static_cast<int>(std::min<size_t>(3, bytes.size() - i));
        std::array<uint8_t, 3> in{};
        for (int j = 0; j < used; ++j)
            in[j] = static_cast<uint8_t>(bytes[i + j]);
        std::array<char, 4> out{};
        encodeblock(in, out, used);
        result.append(out.data(), out.size());
    }
    return result;
}

} // namespace tarvelo::baseencode
