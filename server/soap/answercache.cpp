#include "answercache.h"

namespace tarvelo::server {

AnswerCache::AnswerCache(std::size_t capacityBytes) : capacity_(capacityBytes) {}

std::shared_ptr<const std::string> AnswerCache::find(const std::string& key)
{
    if (capacity_ == 0)
        return nullptr;
    const std::lock_guard lock(mutex_);
    const auto it = index_.find(key);
    if (it == index_.end())
        return nullptr;
    entries_.splice(entries_.begin(), entries_, it->second);
    return it->second->answer;
}

void AnswerCache::store(const std::string& key, std::shared_ptr<const std::string> answer)
{
    const std::size_t size = key.size() + answer->size();
    if (size > capacity_ / 8)
        return; // one answer must not push out most of the others
    const std::lock_guard lock(mutex_);
    if (index_.contains(key))
        return;
    entries_.push_front({key, std::move(answer)});
    index_.emplace(key, entries_.begin());
    bytes_ += size;
    while (bytes_ > capacity_) {
        const Entry& last = entries_.back();
        bytes_ -= last.key.size() + last.answer->size();
        index_.erase(last.key);
        entries_.pop_back();
    }
}

} // namespace tarvelo::server
