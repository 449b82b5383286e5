#pragma once
// httplib's thread pool, counting the connections that wait for a thread.
#include <httplib.h>

#include <atomic>
#include <cstddef>
#include <functional>

namespace tarvelo::server {

class WorkerPool : public httplib::TaskQueue {
public:
    explicit WorkerPool(std::size_t threads, std::atomic<int>& waiting) : pool_(threads), waiting_(waiting) {}

    void enqueue(std::function<void()> job) override
    {
        ++waiting_;
        pool_.enqueue([this, job = std::move(job)] {
            --waiting_;
            job();
        });
    }
    void shutdown() override { pool_.shutdown(); }

private:
    httplib::ThreadPool pool_;
    std::atomic<int>& waiting_;
};

} // namespace tarvelo::server
