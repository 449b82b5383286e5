#pragma once
// The customs-data service over HTTP: SOAP 1.1 on POST /Service.asmx, its
// WSDL and overview on GET, the detail pages its answers link to, and a small
// site of its own (home, search and question pages).
#include "accesstoken.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace tarvelo::server {

struct ServiceSettings {
    std::string host = "127.0.0.1";
    int port = 8936; // 0 picks a free port
    std::filesystem::path database = "tarvelo-service.db";
    std::size_t threads = 64;
    // Accepted connections that may wait for a thread (where the library can
    // bound them: newer cpp-httplib releases); more are closed at once.
    std::size_t queuedConnections = 256;
    std::optional<std::filesystem::path> newsFile;
    std::optional<std::filesystem::path> bubbleFile;
    std::string token{builtInAccessToken};
    std::size_t maxBody = 1u << 20;
    std::size_t cacheBytes = 64u << 20; // rendered search answers; 0 turns the cache off
    std::chrono::milliseconds newsCheckInterval = std::chrono::seconds(1);
    // One read or write of a connection; an idle keep-alive connection.
    std::chrono::seconds ioTimeout{5};
    std::chrono::seconds idleTimeout{5};
    bool logRequests = true;
    std::string today; // 2026-01-01: answer with the rates in force then; empty: the local date
    std::string contact; // how to reach the operator, shown on the question page; empty: a generic text
};

class CustomsService {
public:
    // Opens the database (which must exist, see ensureDatabase) and the news
    // lists; throws when that fails.
    explicit CustomsService(ServiceSettings settings);
    ~CustomsService();
    CustomsService(const CustomsService&) = delete;
    CustomsService& operator=(const CustomsService&) = delete;

    // Binds the listening socket and returns its port; throws when it cannot.
    int bind();
    // Serves requests until stop() is called from another thread; a stop
    // that comes first (even before run) ends run at once.
    void run();
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace tarvelo::server
