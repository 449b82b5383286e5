#include "filestamp.h"

#include <sys/stat.h>

namespace tarvelo::server {

std::optional<FileStamp> stampOf(const std::filesystem::path& file)
{
    struct stat s {};
    if (::stat(file.c_str(), &s) != 0)
        return std::nullopt;
    return FileStamp{s.st_dev, s.st_ino, static_cast<std::int64_t>(s.st_size),
                     static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1'000'000'000 + s.st_mtim.tv_nsec};
}

} // namespace tarvelo::server
