#pragma once
// A few threads kept for the length of one search, given one task after another. Private to FieldCalculator.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace korvel::search {

class WorkerPool {
public:
    // Starts up to `wanted` threads (fewer when the system refuses more, possibly none).
    explicit WorkerPool(unsigned wanted);
    // Waits for the current task, then ends the threads.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Number of workers: the threads, or 1 (the calling thread) when none could be started.
    unsigned size() const { return threads_.empty() ? 1u : static_cast<unsigned>(threads_.size()); }
    bool hasThreads() const { return !threads_.empty(); }

    // Every worker w runs task(w); returns when all have, rethrowing the first exception a task threw.
    // Without threads, the calling thread runs task(0).
    void run(const std::function<void(unsigned)>& task);

    // Starts task(w) on every thread and returns at once (needs hasThreads()). Then call waitFor until it
    // returns true; the task must stay alive until then.
    void start(const std::function<void(unsigned)>& task);
    // Waits up to `timeout` for the started task; true when every thread has finished it (rethrows the
    // first exception a task threw).
    bool waitFor(std::chrono::microseconds timeout);

private:
    void loop(unsigned w);
    void rethrow();

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_, finished_;
    const std::function<void(unsigned)>* task_ = nullptr;
    std::uint64_t generation_ = 0;
    unsigned busy_ = 0;
    bool quit_ = false;
    std::exception_ptr error_;
};

// A pool for one search: the process's own pool of that many threads, started by the first search that needs
// it and kept for the next ones (so a run does not start threads), or, while another search holds that one or
// for another size, a pool of its own.
class PoolForSearch {
public:
    explicit PoolForSearch(unsigned wanted);
    ~PoolForSearch();
    PoolForSearch(const PoolForSearch&) = delete;
    PoolForSearch& operator=(const PoolForSearch&) = delete;

    WorkerPool& pool() { return *pool_; }

private:
    WorkerPool* pool_ = nullptr;
    std::unique_ptr<WorkerPool> own_;
    bool lent_ = false;
};

} // namespace korvel::search
