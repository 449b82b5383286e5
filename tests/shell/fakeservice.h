#pragma once
// A loopback customs-data service for the shell tests: answers every
// operation with one record that carries the keyword, counts the requests of
// each operation, and can be told to answer lookups with no records.
#include "support/loopbackserver.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>

namespace tarvelo::testkit {

class FakeService {
public:
    FakeService();

    std::string endpoint() const { return server_.endpoint(); }
    // Requests of one operation so far: "Tariff", "Commodity", "Export",
    // "PE_Article", "mdefaut", "maopao".
    int count(const std::string& operation) const;
    int total() const { return static_cast<int>(server_.requestCount()); }
    // The keyword of the last request, as received.
    std::string lastKeyword() const;
    void answerWithoutRecords(bool none) { empty_ = none; }

private:
    ScriptedAnswer answer(const CapturedRequest& request);

    mutable std::mutex mutex_;
    std::map<std::string, int> counts_;
    std::string lastKeyword_;
    std::atomic<bool> empty_{false};
    LoopbackServer server_;
};

} // namespace tarvelo::testkit
