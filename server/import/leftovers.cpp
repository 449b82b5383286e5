#include "leftovers.h"

#include <cerrno>
#include <charconv>
#include <signal.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace tarvelo::server {
namespace {

// The process a leftover's name ends with (after prefix), or 0 when the name
// is not one of ours.
pid_t ownerOf(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix))
        return 0;
    name.remove_prefix(prefix.size());
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (ec != std::errc() || pid <= 0)
        return 0;
    const std::string_view suffix(end, static_cast<size_t>(name.data() + name.size() - end));
    return suffix.empty() || suffix == "-journal" || suffix == "-wal" || suffix == "-shm" ? pid : 0;
}

bool running(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

std::vector<std::filesystem::path> removeLeftovers(const std::filesystem::path& database)
{
    const std::string base = database.filename().string();
    const std::filesystem::path folder = database.has_parent_path() ? database.parent_path() : ".";
    std::vector<std::filesystem::path> removed;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        pid_t owner = ownerOf(name, base + ".import-");
        if (owner == 0)
            owner = ownerOf(name, base + ".new-");
        if (owner == 0 || owner == ::getpid() || running(owner))
            continue;
        std::error_code error;
        if (std::filesystem::remove(entry.path(), error))
            removed.push_back(entry.path());
    }
    return removed;
}

} // namespace tarvelo::server
