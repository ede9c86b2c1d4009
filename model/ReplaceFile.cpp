#include "model/ReplaceFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* step, int error)
{
    throw SaveError(std::string(step) + ": " + std::generic_category().message(error));
}

// Creates a new temporary file beside file, never opening one that is already there (an unrelated file of
// that name stays as it is: the next name is tried). Returns its descriptor and sets temporary.
int createTemporary(const fs::path& file, fs::path& temporary)
{
    for (int n = 0; n < 100; ++n) {
        // file.tmp, then file.1.tmp, file.2.tmp, ... (appended piece by piece: GCC 12 wrongly warns of
        // overlapping copies, -Wrestrict, when a literal is put in front of a temporary string)
        temporary = file;
        if (n > 0) {
            temporary += ".";
            temporary += std::to_string(n);
        }
        temporary += ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            fail("the file cannot be created", errno);
    }
    fail("the file cannot be created", EEXIST);
}

// Writes every byte, going on after a partial write; throws at the first write that fails or writes nothing.
void writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail("the file cannot be written", written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace

void replaceFile(const fs::path& file, std::string_view bytes)
{
    if (!file.has_filename())
        fail("the file has no name", EINVAL);
    fs::path temporary;
    int fd = createTemporary(file, temporary);
    try {
        struct stat previous;
        if (::stat(file.c_str(), &previous) == 0)
            (void)::fchmod(fd, previous.st_mode & 07777);
        writeAll(fd, bytes);
        // A file system that cannot sync a file (EINVAL) still has the bytes; every other failure counts.
        if (::fsync(fd) != 0 && errno != EINVAL)
            fail("the file cannot be synced to the disk", errno);
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            fail("the file cannot be closed", errno);
        if (::rename(temporary.c_str(), file.c_str()) != 0)
            fail("the file cannot be replaced", errno);
    } catch (...) {
        if (fd >= 0)
            (void)::close(fd);
        (void)::unlink(temporary.c_str());
        throw;
    }
}

} // namespace korvel
