#include "databaseswap.h"

#include "leftovers.h"
#include "schema.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>
#include <system_error>

namespace tarvelo::server {

DatabaseSwap::DatabaseSwap(const std::filesystem::path& database) : database_(database)
{
    std::filesystem::path lockFile = database;
    lockFile += ".import-lock";
    // The kernel drops the lock when the process ends, however it ends.
    lock_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock_ < 0 || ::flock(lock_, LOCK_EX) != 0) {
        const int error = errno;
        if (lock_ >= 0)
            ::close(lock_);
        throw std::system_error(error, std::generic_category(), "cannot lock " + lockFile.string());
    }
    draft_ = database;
    draft_ += ".import-" + std::to_string(::getpid());
    try {
        leftovers_ = removeLeftovers(database);
        std::filesystem::remove(draft_);
        copyDatabase(database, draft_);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(draft_, ignored);
        ::close(lock_);
        throw;
    }
}

DatabaseSwap::~DatabaseSwap()
{
    if (!replaced_) {
        std::error_code ignored;
        std::filesystem::remove(draft_, ignored);
    }
    ::close(lock_);
}

void DatabaseSwap::replace()
{
    std::filesystem::permissions(draft_, std::filesystem::status(database_).permissions());
    std::filesystem::rename(draft_, database_);
    replaced_ = true;
}

} // namespace tarvelo::server
