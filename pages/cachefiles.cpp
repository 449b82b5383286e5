#include "cachefiles.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvelo::pages {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileHandle open(const fs::path& path, bool forWriting)
{
#ifdef _WIN32
    return FileHandle(_wfopen(path.c_str(), forWriting ? L"wb" : L"rb"));
#else
    return FileHandle(std::fopen(path.c_str(), forWriting ? "wb" : "rb"));
#endif
}

std::error_code lastErrno()
{
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

bool isReadOnly(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status))
        return false;
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & anyWrite) == fs::perms::none;
}

// Writes bytes to a new file at path.
std::error_code writeNew(const fs::path& path, std::string_view bytes)
{
    errno = 0;
    FileHandle file = open(path, true);
    if (!file)
        return lastErrno();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0)
        return lastErrno();
    if (std::fclose(file.release()) != 0)
        return lastErrno();
    return {};
}

} // namespace

std::error_code replaceFile(const fs::path& target, std::string_view bytes)
{
    if (isReadOnly(target))
        return std::make_error_code(std::errc::permission_denied);
    fs::path temporary = target;
    temporary += ".part";
    std::error_code ec = writeNew(temporary, bytes);
    if (!ec)
        fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return ec;
}

std::optional<std::string> readFile(const fs::path& path)
{
    if (!fs::is_regular_file(path))
        return std::nullopt;
    errno = 0;
    FileHandle file = open(path, false);
    if (!file)
        throw fs::filesystem_error("cannot open file", path, lastErrno());
    std::string bytes;
    char buffer[16384];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get()))
        throw fs::filesystem_error("cannot read file", path, lastErrno());
    return bytes;
}

std::optional<std::chrono::system_clock::time_point> lastModified(const fs::path& path)
{
    if (!fs::is_regular_file(path))
        return std::nullopt;
#ifdef _WIN32
    // MinGW's std::filesystem reads modification times in whole seconds;
    // Windows keeps them in 100 ns steps since 1601.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    const auto ticks = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime;
    constexpr std::int64_t ticksFrom1601To1970 = 116'444'736'000'000'000;
    using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
    return std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        std::chrono::sys_time<Ticks>(Ticks(ticks - ticksFrom1601To1970)));
#else
    const auto sys = std::chrono::file_clock::to_sys(fs::last_write_time(path));
    return std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys);
#endif
}

} // namespace tarvelo::pages
