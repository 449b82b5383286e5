#include "searchturns.h"

#include <algorithm>

namespace tarvelo::server {

SearchTurns::SearchTurns(size_t atOnce) : free_(std::max<size_t>(atOnce, 1)) {}

SearchTurns::Turn::Turn(SearchTurns& turns) : turns_(turns)
{
    turns_.take();
}

SearchTurns::Turn::~Turn()
{
    turns_.give();
}

size_t SearchTurns::waiting() const
{
    const std::lock_guard lock(mutex_);
    return waiting_.size();
}

void SearchTurns::take()
{
    std::unique_lock lock(mutex_);
    if (free_ > 0 && waiting_.empty()) {
        --free_;
        return;
    }
    Waiter me;
    waiting_.push_back(&me);
    me.woken.wait(lock, [&me] { return me.admitted; });
}

void SearchTurns::give()
{
    // The turn passes straight to the first in line, so that no later
    // arrival can take it first. It is woken under the lock, so it cannot
    // return (and its Waiter end) before this is done with it.
    const std::lock_guard lock(mutex_);
    if (waiting_.empty()) {
        ++free_;
        return;
    }
    Waiter* next = waiting_.front();
    waiting_.pop_front();
    next->admitted = true;
    next->woken.notify_one();
}

} // namespace tarvelo::server
