#pragma once
// Lets go of objects on a thread of its own, so that the window thread need not wait while a large result that
// is no longer needed is freed: the options of a cancelled fixed trend, the results a new trend replaces. Only
// the references handed over are dropped there; an object that anybody else still holds lives on where it is.
// What is handed over must not be used by anybody without a reference of their own.
#include <memory>
#include <utility>

namespace korvel::BackgroundRelease {

// Drops `held` on the release thread (started on first use; it frees what is left when the program ends).
void release(std::shared_ptr<const void> held);

// The same for a value (a grid, a list of options) handed over with std::move: it is freed there.
template <class T>
void releaseValue(T value)
{
    release(std::make_shared<const T>(std::move(value)));
}

// Returns once everything handed over so far has been freed.
void waitUntilReleased();

} // namespace korvel::BackgroundRelease
