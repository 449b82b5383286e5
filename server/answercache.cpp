#include "answercache.h"

namespace tarvelo::server {

AnswerCache::AnswerCache(std::filesystem::path database, std::size_t capacityBytes,
                         std::chrono::milliseconds checkInterval)
    : database_(std::move(database)), capacity_(capacityBytes), checkInterval_(checkInterval)
{
}

std::shared_ptr<const std::string> AnswerCache::find(const std::string& key)
{
    if (capacity_ == 0)
        return nullptr;
    const std::lock_guard lock(mutex_);
    dropIfDatabaseChanged();
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

void AnswerCache::dropIfDatabaseChanged()
{
    const auto now = std::chrono::steady_clock::now();
    if (now < nextCheck_)
        return;
    nextCheck_ = now + checkInterval_;
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(database_, ec);
    if (ec || (databaseTime_ && *databaseTime_ != time))
        clear();
    databaseTime_ = ec ? std::nullopt : std::optional(time);
}

void AnswerCache::clear()
{
    entries_.clear();
    index_.clear();
    bytes_ = 0;
}

} // namespace tarvelo::server
