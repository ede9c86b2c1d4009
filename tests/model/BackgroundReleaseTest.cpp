// What is handed to the release thread is freed there, while the caller goes on.
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "model/BackgroundRelease.h"

namespace {

using namespace std::chrono_literals;

// Tells which thread freed it, and is freed only once the test allows it (or after a long wait, so that a release
// made on the caller's own thread fails the test rather than hanging it).
struct Watched {
    Watched(std::shared_future<void> mayFree, std::promise<std::thread::id>& freedOn)
        : mayFree_(std::move(mayFree)), freedOn_(freedOn)
    {
    }
    ~Watched()
    {
        mayFree_.wait_for(10s);
        freedOn_.set_value(std::this_thread::get_id());
    }
    Watched(const Watched&) = delete;
    Watched& operator=(const Watched&) = delete;

private:
    std::shared_future<void> mayFree_;
    std::promise<std::thread::id>& freedOn_;
};

} // namespace

TEST(BackgroundRelease, FreesOnItsOwnThreadWithoutTheCallerWaiting)
{
    std::promise<void> mayFree;
    std::promise<std::thread::id> freedOn;
    std::future<std::thread::id> freed = freedOn.get_future();
    auto held = std::make_shared<Watched>(mayFree.get_future().share(), freedOn);
    const std::weak_ptr<Watched> seen = held;

    korvel::BackgroundRelease::release(std::move(held));
    EXPECT_EQ(freed.wait_for(0s), std::future_status::timeout) << "the caller did not wait for the object to be freed";
    mayFree.set_value();
    korvel::BackgroundRelease::waitUntilReleased();
    ASSERT_EQ(freed.wait_for(0s), std::future_status::ready) << "waitUntilReleased returned before it was freed";
    EXPECT_NE(freed.get(), std::this_thread::get_id());
    EXPECT_TRUE(seen.expired());
}
