#include "hiddenfolder.h"

#include "paths.h"

#include <cerrno>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvelo::pages {
namespace {

#ifdef _WIN32

std::error_code hide(const std::filesystem::path& parent, std::string_view name)
{
    const std::filesystem::path folder = parent / toPath(name);
    if (!SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN))
        return {static_cast<int>(GetLastError()), std::system_category()};
    return {};
}

#else

std::error_code lastErrno()
{
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

// Adds name as a line of parent/.hidden unless it is listed already.
std::error_code hide(const std::filesystem::path& parent, std::string_view name)
{
    const std::filesystem::path list = parent / ".hidden";
    std::string content;
    if (std::ifstream in{list, std::ios::binary}) {
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        for (std::size_t start = 0; start < content.size();) {
            std::size_t end = content.find('\n', start);
            if (end == std::string::npos)
                end = content.size();
            std::string_view line(content.data() + start, end - start);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            if (line == name)
                return {};
            start = end + 1;
        }
    }
    errno = 0;
    std::ofstream out{list, std::ios::binary | std::ios::app};
    if (!content.empty() && !content.ends_with('\n'))
        out << '\n';
    out << name << '\n';
    out.close();
    if (!out)
        return lastErrno();
    return {};
}

#endif

} // namespace

std::error_code ensureHiddenFolder(const std::filesystem::path& parent, std::string_view name)
{
    const std::filesystem::path folder = parent / toPath(name);
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec))
        return {};
    std::filesystem::create_directory(folder, ec);
    if (ec)
        return ec;
    return hide(parent, name);
}

} // namespace tarvelo::pages
