#include "runningnginx.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace tarvelo::testkit {
namespace {

constexpr const char* nginxBinary = "/usr/sbin/nginx";

// Connects to 127.0.0.1:port; 0 when the port is free: bound and released at
// once, so nginx can take it a moment later.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no free loopback port");
    ::close(fd);
    return ntohs(address.sin_port);
}

bool accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

constexpr const char* debianDefaultSite = "/etc/nginx/sites-available/default";

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Debian's default site, listening where ours does (127.0.0.1:port).
std::string debianDefaultFor(int port)
{
    std::string site = contents(debianDefaultSite);
    site = std::regex_replace(site, std::regex(R"(listen 80 default_server;)"),
                              "listen 127.0.0.1:" + std::to_string(port) + " default_server;");
    return std::regex_replace(site, std::regex(R"(listen \[::\]:80 default_server;\n)"), "");
}

// The shipped site with our ports and folder: the upstream lists the given
// replicas, the server listens on 127.0.0.1:port only, the polls' cache is
// kept in cacheFolder.
std::string siteFor(const std::vector<int>& upstreamPorts, int port, const std::filesystem::path& cacheFolder)
{
    std::string site = contents(TARVELO_NGINX_SITE);
    std::smatch replica;
    if (!std::regex_search(site, replica, std::regex(R"(server 127\.0\.0\.1:\d+ ([^;]*);\n)")))
        throw std::runtime_error("no replica line in " TARVELO_NGINX_SITE);
    std::string replicas;
    for (const int p : upstreamPorts)
        replicas += "server 127.0.0.1:" + std::to_string(p) + " " + replica[1].str() + ";\n    ";
    site = std::regex_replace(site, std::regex(R"(server 127\.0\.0\.1:\d+ [^;]*;\n\s*)"), "");
    site = std::regex_replace(site, std::regex(R"(keepalive 16;)"), replicas + "keepalive 16;");
    site = std::regex_replace(site, std::regex(R"(listen 80;)"), "listen 127.0.0.1:" + std::to_string(port) + ";");
    site = std::regex_replace(site, std::regex(R"(listen \[::\]:80;\n)"), "");
    return std::regex_replace(site, std::regex(R"(proxy_cache_path \S+)"), "proxy_cache_path " + cacheFolder.string());
}

} // namespace

RunningNginx::RunningNginx(const std::vector<int>& upstreamPorts, Sites sites) : port_(freePort())
{
    const auto& dir = temp_.path();
    // Workers started by root run as www-data and need to reach their files.
    ::chmod(dir.c_str(), 0755);
    std::ofstream(dir / "site") << siteFor(upstreamPorts, port_, dir / "polls");
    // Debian's sites-enabled/default comes first in the folder's order, as there.
    std::ofstream(dir / "default") << (sites == Sites::besideDebianDefault ? debianDefaultFor(port_) : "");
    std::ofstream(dir / "nginx.conf") << (::geteuid() == 0 ? "user www-data;\n" : "") << "worker_processes 1;\n"
                                      << "pid " << (dir / "nginx.pid").string() << ";\n"
                                      << "error_log " << (dir / "error.log").string() << ";\n"
                                      << "events { worker_connections 1024; }\n"
                                      << "http {\n  access_log off;\n"
                                      << "  client_body_temp_path " << (dir / "body").string() << ";\n"
                                      << "  proxy_temp_path " << (dir / "proxy").string() << ";\n"
                                      << "  include " << (dir / "default").string() << ";\n"
                                      << "  include " << (dir / "site").string() << ";\n}\n";
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        const std::string prefix = dir.string() + "/";
        const std::string conf = (dir / "nginx.conf").string();
        ::execl(nginxBinary, nginxBinary, "-p", prefix.c_str(), "-c", conf.c_str(), "-g", "daemon off;", nullptr);
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!accepts(port_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            std::ifstream log(dir / "error.log");
            std::stringstream text;
            text << log.rdbuf();
            throw std::runtime_error(std::string("nginx did not start (") + nginxBinary + "): " + text.str());
        }
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("nginx does not accept connections");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

RunningNginx::~RunningNginx()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
}

} // namespace tarvelo::testkit
