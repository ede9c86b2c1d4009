#pragma once
// Wall-clock seconds and the peak memory of the process, as every benchmark line gives them.
#include <sys/resource.h>

#include <chrono>

namespace korvel::bench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

// The most memory the process has held so far, in megabytes.
inline double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace korvel::bench
