#include "model/BackgroundRelease.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace korvel::BackgroundRelease {

namespace {

class ReleaseThread {
public:
    ReleaseThread() : thread_([this] { run(); }) {}
    ~ReleaseThread()
    {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    ReleaseThread(const ReleaseThread&) = delete;
    ReleaseThread& operator=(const ReleaseThread&) = delete;

    void add(std::shared_ptr<const void> held)
    {
        {
            const std::lock_guard lock(mutex_);
            queue_.push_back(std::move(held));
        }
        wake_.notify_all();
    }

    void waitUntilEmpty()
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return queue_.empty() && !busy_; });
    }

private:
    void run()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty())
                return; // stopping, and everything freed
            std::shared_ptr<const void> next = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
            lock.unlock();
            next.reset();
            lock.lock();
            busy_ = false;
            if (queue_.empty())
                done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<const void>> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_; // last: it starts once everything above is in place
};

ReleaseThread& releaseThread()
{
    static ReleaseThread thread;
    return thread;
}

} // namespace

void release(std::shared_ptr<const void> held)
{
    if (held)
        releaseThread().add(std::move(held));
}

void waitUntilReleased()
{
    releaseThread().waitUntilEmpty();
}

} // namespace korvel::BackgroundRelease
