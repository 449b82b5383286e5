#pragma once
// Runs nginx with the site configuration we ship, in front of the given
// service ports, on an ephemeral loopback port, for the life of the object;
// optionally with Debian's default site enabled beside it, on the same port,
// as on a machine where nginx was just installed.
#include "support/tempfolder.h"

#include <sys/types.h>

#include <vector>

namespace tarvelo::testkit {

class RunningNginx {
public:
    enum class Sites { oursAlone, besideDebianDefault };
    explicit RunningNginx(const std::vector<int>& upstreamPorts, Sites sites = Sites::oursAlone);
    ~RunningNginx();
    RunningNginx(const RunningNginx&) = delete;
    RunningNginx& operator=(const RunningNginx&) = delete;

    int port() const { return port_; }

private:
    TempFolder temp_;
    pid_t pid_ = -1;
    int port_ = 0;
};

} // namespace tarvelo::testkit
