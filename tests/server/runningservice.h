#pragma once
// Runs the real tarvelo-service binary on an ephemeral loopback port for the
// life of the object, with its database and log in a temporary folder.
#include "support/tempfolder.h"

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tarvelo::testkit {

class RunningService {
public:
    // extraArgs follow --listen 127.0.0.1:0 and, unless they name their own,
    // --db FILE in the temporary folder.
    explicit RunningService(std::vector<std::string> extraArgs = {});
    ~RunningService();
    RunningService(const RunningService&) = delete;
    RunningService& operator=(const RunningService&) = delete;

    int port() const { return port_; }
    std::string endpoint() const; // http://127.0.0.1:PORT/Service.asmx
    std::string site() const;     // http://127.0.0.1:PORT
    const std::filesystem::path& folder() const { return temp_.path(); }
    std::string log() const; // what the service wrote to standard error so far

    // Sends SIGTERM and waits; returns the exit status (-1 when killed by a signal).
    int stop();

private:
    TempFolder temp_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// Copies a fresh database with its word indexes to database (the first call
// of a build of the service makes it).
void copyFreshDatabase(const std::filesystem::path& database);

// Runs the binary to completion with the given arguments; returns the exit
// status and collects standard output and error into output.
int runServiceCommand(const std::vector<std::string>& args, std::string& output);

} // namespace tarvelo::testkit
