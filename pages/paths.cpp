#include "paths.h"

#include <algorithm>

namespace tarvelo::pages {

std::filesystem::path toPath(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string toUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string nativeName(std::string_view name)
{
    std::string native(name);
    std::replace(native.begin(), native.end(), '\\', static_cast<char>(std::filesystem::path::preferred_separator));
    return native;
}

std::string cacheFolderText(const std::filesystem::path& programFolder)
{
    std::string text = toUtf8(programFolder);
    text += static_cast<char>(std::filesystem::path::preferred_separator);
    text += cacheFolderName;
    return text;
}

} // namespace tarvelo::pages
