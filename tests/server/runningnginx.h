#pragma once
// Runs nginx with the site configuration we ship, in front of the given
// service ports, on an ephemeral loopback port, for the life of the object.
#include "support/tempfolder.h"

#include <sys/types.h>

#include <vector>

namespace tarvelo::testkit {

class RunningNginx {
public:
    explicit RunningNginx(const std::vector<int>& upstreamPorts);
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
