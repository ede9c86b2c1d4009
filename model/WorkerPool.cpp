#include "model/WorkerPool.h"

#include <system_error>

namespace korvel::search {

WorkerPool::WorkerPool(unsigned wanted)
{
    threads_.reserve(wanted);
    for (unsigned w = 0; w < wanted; ++w) {
        try {
            threads_.emplace_back([this, w] { loop(w); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

WorkerPool::~WorkerPool()
{
    {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [this] { return busy_ == 0; });
        quit_ = true;
    }
    wake_.notify_all();
    for (auto& t : threads_)
        t.join();
}

void WorkerPool::loop(unsigned w)
{
    std::uint64_t seen = 0;
    for (;;) {
        const std::function<void(unsigned)>* task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
            if (quit_)
                return;
            seen = generation_;
            task = task_;
        }
        std::exception_ptr error;
        try {
            (*task)(w);
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            if (error && !error_)
                error_ = error;
            if (--busy_ == 0)
                finished_.notify_all();
        }
    }
}

void WorkerPool::start(const std::function<void(unsigned)>& task)
{
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        busy_ = static_cast<unsigned>(threads_.size());
        ++generation_;
    }
    wake_.notify_all();
}

bool WorkerPool::waitFor(std::chrono::microseconds timeout)
{
    {
        std::unique_lock lock(mutex_);
        if (!finished_.wait_for(lock, timeout, [this] { return busy_ == 0; }))
            return false;
    }
    rethrow();
    return true;
}

void WorkerPool::rethrow()
{
    std::exception_ptr error;
    {
        std::lock_guard lock(mutex_);
        std::swap(error, error_);
    }
    if (error)
        std::rethrow_exception(error);
}

void WorkerPool::run(const std::function<void(unsigned)>& task)
{
    if (threads_.empty()) {
        task(0);
        return;
    }
    start(task);
    while (!waitFor(std::chrono::seconds(1))) {
    }
}

namespace {

// The process's pool, sized for the machine; it lives until the program ends.
struct KeptPool {
    std::mutex mutex;
    std::unique_ptr<WorkerPool> pool;
    bool lent = false;
};

KeptPool& keptPool()
{
    static KeptPool kept;
    return kept;
}

} // namespace

PoolForSearch::PoolForSearch(unsigned wanted)
{
    KeptPool& kept = keptPool();
    {
        std::lock_guard lock(kept.mutex);
        if (!kept.lent && (!kept.pool || kept.pool->size() == wanted)) {
            if (!kept.pool) {
                kept.pool = std::make_unique<WorkerPool>(wanted);
                if (kept.pool->size() != wanted) // the system gave fewer threads: not worth keeping
                    own_ = std::move(kept.pool);
            }
            if (kept.pool) {
                kept.lent = true;
                lent_ = true;
                pool_ = kept.pool.get();
                return;
            }
        }
    }
    if (!own_)
        own_ = std::make_unique<WorkerPool>(wanted);
    pool_ = own_.get();
}

PoolForSearch::~PoolForSearch()
{
    if (!lent_)
        return;
    KeptPool& kept = keptPool();
    std::lock_guard lock(kept.mutex);
    kept.lent = false;
}

} // namespace korvel::search
