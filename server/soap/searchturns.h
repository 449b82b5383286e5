#pragma once
// Searches take turns: only a few run at once, about as many as the machine
// has cores, and the others wait in the order they came. With dozens of
// request threads on a few cores, the scheduler would otherwise share the
// cores among every search at once in short slices, and a search that is
// preempted waits behind all the others: most answers come as fast, but the
// slowest come hundreds of times slower. In arrival order each waits only
// for those ahead of it.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

namespace tarvelo::server {

class SearchTurns {
public:
    explicit SearchTurns(size_t atOnce);
    SearchTurns(const SearchTurns&) = delete;
    SearchTurns& operator=(const SearchTurns&) = delete;

    // Held while one search runs: waits for its turn, gives it to the next
    // one waiting when it ends.
    class Turn {
    public:
        explicit Turn(SearchTurns& turns);
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        SearchTurns& turns_;
    };

    // How many wait for a turn now.
    size_t waiting() const;

private:
    struct Waiter {
        std::condition_variable woken;
        bool admitted = false;
    };
    void take();
    void give();

    mutable std::mutex mutex_;
    size_t free_;
    std::deque<Waiter*> waiting_;
};

} // namespace tarvelo::server
