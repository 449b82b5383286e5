#pragma once
// Rendered search answers, kept so that a repeated search costs a lookup.
// Bounded by total size, least recently used first out. Nothing is ever
// stale here: keys name the search catalogue an answer came from (see
// SoapEndpoint), so answers from before an import are not asked for again
// and age out.
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace tarvelo::server {

class AnswerCache {
public:
    explicit AnswerCache(std::size_t capacityBytes);

    // nullptr when not cached (always, with a capacity of 0).
    std::shared_ptr<const std::string> find(const std::string& key);
    void store(const std::string& key, std::shared_ptr<const std::string> answer);

private:
    struct Entry {
        std::string key;
        std::shared_ptr<const std::string> answer;
    };

    const std::size_t capacity_;

    std::mutex mutex_;
    std::list<Entry> entries_; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
    std::size_t bytes_ = 0;
};

} // namespace tarvelo::server
