#include "runningservice.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvelo::testkit {
namespace {

std::vector<char*> argv(std::vector<std::string>& args)
{
    std::vector<char*> out;
    for (std::string& a : args)
        out.push_back(a.data());
    out.push_back(nullptr);
    return out;
}

int exitStatus(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Held for the life of the object: one process at a time.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& file)
        : fd_(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0)
            throw std::runtime_error("cannot lock " + file.string());
    }
    ~FileLock() { ::close(fd_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

} // namespace

// A fresh database with its word indexes, made once per build of the service
// in the build folder and copied for each test: building the indexes takes
// seconds (a minute under the address sanitizer), copying them a fraction.
void copyFreshDatabase(const std::filesystem::path& database)
{
    namespace fs = std::filesystem;
    const fs::path binary(TARVELO_SERVICE_BINARY);
    const fs::path cache = binary.parent_path().parent_path() / "test-cache";
    const fs::path made = cache / ("service-" + std::to_string(fs::last_write_time(binary).time_since_epoch().count()) +
                                   "-" + std::to_string(fs::file_size(binary)));
    const fs::path madeDatabase = made / "service.db";
    fs::create_directories(cache);
    {
        const FileLock lock(cache / "lock");
        if (!fs::exists(made / "complete")) {
            // Another build's databases would not match this one's indexes.
            for (const auto& old : fs::directory_iterator(cache))
                if (old.is_directory())
                    fs::remove_all(old.path());
            fs::create_directories(made);
            RunningService({"--db", madeDatabase.string(), "--quiet"}).stop();
            std::ofstream(made / "complete");
        }
    }
    fs::copy_file(madeDatabase, database);
    fs::copy(fs::path(madeDatabase) += ".words", fs::path(database) += ".words", fs::copy_options::recursive);
}

RunningService::RunningService(std::vector<std::string> extraArgs)
{
    std::vector<std::string> args{TARVELO_SERVICE_BINARY, "--listen", "127.0.0.1:0"};
    // The service refuses an option given twice: a caller's own --db replaces the fresh one.
    if (std::find(extraArgs.begin(), extraArgs.end(), "--db") == extraArgs.end()) {
        const auto database = temp_.path() / "service.db";
        copyFreshDatabase(database);
        args.insert(args.end(), {"--db", database.string()});
    }
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    const std::string logFile = (temp_.path() / "stderr.log").string();

    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        const int err = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, STDERR_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        auto v = argv(args);
        ::execv(v[0], v.data());
        ::_exit(127);
    }
    ::close(out[1]);
    // The first line is "listening on http://127.0.0.1:PORT/Service.asmx".
    std::string line;
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    ::close(out[0]);
    const auto colon = line.rfind(':');
    const auto slash = line.find('/', colon == std::string::npos ? 0 : colon);
    if (!line.starts_with("listening on http://127.0.0.1:") || slash == std::string::npos) {
        stop();
        throw std::runtime_error("the service did not start: \"" + line + "\"; log: " + log());
    }
    port_ = std::stoi(line.substr(colon + 1, slash - colon - 1));
}

RunningService::~RunningService()
{
    stop();
}

int RunningService::stop()
{
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return exitStatus(status);
}

std::string RunningService::endpoint() const
{
    return site() + "/Service.asmx";
}

std::string RunningService::site() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::string RunningService::log() const
{
    std::ifstream in(temp_.path() / "stderr.log");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int runServiceCommand(const std::vector<std::string>& args, std::string& output)
{
    std::vector<std::string> all{TARVELO_SERVICE_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        auto v = argv(all);
        ::execv(v[0], v.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return exitStatus(status);
}

} // namespace tarvelo::testkit
