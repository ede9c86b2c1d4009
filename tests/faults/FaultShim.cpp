// A library that the save tests preload (LD_PRELOAD) to make file operations fail on demand, the way a full
// disk, a failing disk or a file system that refuses a rename does. It stands in front of write, fsync, close
// and rename; every call passes straight on unless a fault is armed for that call and the file's path contains
// the armed text. A fault is "<call>:<part of a path>", set with korvel_fault_arm (the tests) or, for a whole
// run of a program, in the environment variable KORVEL_FAULT. The calls:
//   write        every write fails with ENOSPC, nothing written
//   short-write  every write writes half of what it was given; one of a single byte fails with ENOSPC (a disk
//                that fills up part way through the file)
//   fsync        fails with EIO
//   close        closes the file, then reports EIO
//   rename       fails with EIO when the old or the new name contains the text
//   kill-write, kill-fsync, kill-rename
//                the process is killed (SIGKILL) at that call, before it is made: a program cut short at
//                that step of a save
#include <dlfcn.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {

std::mutex armedLock;
char armedFault[PATH_MAX] = {};
std::atomic<bool> anyArmed{false};
std::atomic<int> injected{0};

void arm(const char* fault)
{
    const std::lock_guard<std::mutex> hold(armedLock);
    if (fault && *fault) {
        std::snprintf(armedFault, sizeof armedFault, "%s", fault);
        anyArmed = true;
    } else {
        armedFault[0] = '\0';
        anyArmed = false;
    }
}

[[gnu::constructor]] void armFromEnvironment()
{
    arm(std::getenv("KORVEL_FAULT"));
}

template <class Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool armedFor(const char* call, const char* path)
{
    if (!anyArmed || !path)
        return false;
    const std::lock_guard<std::mutex> hold(armedLock);
    const char* colon = std::strchr(armedFault, ':');
    if (!colon || colon[1] == '\0')
        return false;
    const std::size_t length = static_cast<std::size_t>(colon - armedFault);
    return std::strlen(call) == length && std::strncmp(armedFault, call, length) == 0 &&
           std::strstr(path, colon + 1) != nullptr;
}

bool armedForFile(const char* call, int fd)
{
    if (!anyArmed)
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[PATH_MAX];
    const ssize_t n = readlink(link, path, sizeof path - 1);
    if (n < 0)
        return false;
    path[n] = '\0';
    return armedFor(call, path);
}

int failWith(int error)
{
    ++injected;
    errno = error;
    return -1;
}

} // namespace

extern "C" {

// Arms a fault ("<call>:<part of a path>"); an empty text or a null pointer disarms.
void korvel_fault_arm(const char* fault)
{
    arm(fault);
}

// How many calls failed by an armed fault so far.
int korvel_faults_injected()
{
    return injected;
}

ssize_t write(int fd, const void* buffer, size_t count)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (armedForFile("kill-write", fd))
        std::raise(SIGKILL);
    if (armedForFile("write", fd))
        return failWith(ENOSPC);
    if (armedForFile("short-write", fd)) {
        if (count / 2 == 0)
            return failWith(ENOSPC);
        count = count / 2;
    }
    return real(fd, buffer, count);
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    if (armedForFile("kill-fsync", fd))
        std::raise(SIGKILL);
    if (armedForFile("fsync", fd))
        return failWith(EIO);
    return real(fd);
}

int close(int fd)
{
    static const auto real = next<int (*)(int)>("close");
    const bool fail = armedForFile("close", fd);
    const int closed = real(fd);
    return fail ? failWith(EIO) : closed;
}

int rename(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    if (armedFor("kill-rename", from) || armedFor("kill-rename", to))
        std::raise(SIGKILL);
    if (armedFor("rename", from) || armedFor("rename", to))
        return failWith(EIO);
    return real(from, to);
}

} // extern "C"
