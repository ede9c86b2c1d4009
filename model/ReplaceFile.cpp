#include "model/ReplaceFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::string_view kOurMark = ".kvl-";
constexpr std::size_t kRandomLetters = 6;
// Names tried before a save gives up: with 62^6 names, only a folder that refuses every new file gets there.
constexpr int kNamesTried = 1000;

[[noreturn]] void fail(const char* step, int error)
{
    throw SaveError(std::string(step) + ": " + std::generic_category().message(error));
}

bool isLetterOrDigit(char ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

// The six random letters and digits of a temporary file's name.
std::string randomLetters()
{
    static constexpr std::string_view alphabet = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    thread_local std::mt19937_64 random = [] {
        std::uint64_t seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        seed ^= static_cast<std::uint64_t>(::getpid()) << 32;
        try {
            std::random_device device;
            seed ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
        } catch (const std::exception&) {
            // the clock and the process number alone: names that are taken are tried again anyway
        }
        return std::mt19937_64(seed);
    }();
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string letters;
    for (std::size_t i = 0; i < kRandomLetters; ++i)
        letters.push_back(alphabet[pick(random)]);
    return letters;
}

// The names of the files that fileName is a temporary file of, by each of the three forms (none when it is no
// temporary file): "<target>.tmp", "<target>.<1 to 99>.tmp", "<target>.kvl-XXXXXX.tmp".
struct TemporaryTargets {
    std::string_view plain;
    std::string_view numbered;
    std::string_view ours;
    bool any(auto&& matches) const
    {
        return (!plain.empty() && matches(plain)) || (!numbered.empty() && matches(numbered)) ||
               (!ours.empty() && matches(ours));
    }
};

TemporaryTargets temporaryTargets(std::string_view fileName)
{
    TemporaryTargets targets;
    if (!isTemporaryName(fileName))
        return targets;
    const std::string_view stem = fileName.substr(0, fileName.size() - kTemporaryEnd.size());
    targets.plain = stem;

    const std::size_t dot = stem.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return targets;
    const std::string_view last = stem.substr(dot + 1);
    const bool number = (last.size() == 1 && last[0] >= '1' && last[0] <= '9') ||
                        (last.size() == 2 && last[0] >= '1' && last[0] <= '9' && last[1] >= '0' && last[1] <= '9');
    if (number)
        targets.numbered = stem.substr(0, dot);

    const std::size_t markLength = kOurMark.size() + kRandomLetters;
    if (stem.size() > markLength) {
        const std::string_view tail = stem.substr(stem.size() - markLength);
        bool letters = tail.substr(0, kOurMark.size()) == kOurMark;
        for (const char ch : tail.substr(kOurMark.size()))
            letters = letters && isLetterOrDigit(ch);
        if (letters)
            targets.ours = stem.substr(0, stem.size() - markLength);
    }
    return targets;
}

// Removes file when it is a regular file that no save holds; true when it was removed.
bool removeWhenNobodyHoldsIt(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool removed = false;
    struct stat held;
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // Still the same file under that name (not one that took its place since it was opened).
        struct stat named;
        if (::lstat(file.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            removed = ::unlink(file.c_str()) == 0;
    }
    (void)::close(fd);
    return removed;
}

template <class Matches>
std::size_t removeStale(const fs::path& folder, Matches matches)
{
    std::size_t removed = 0;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return 0;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (matches(temporaryTargets(name)) && removeWhenNobodyHoldsIt(it->path()))
            ++removed;
    }
    return removed;
}

// A temporary file of this save: created new beside file (a name already taken is never opened: the next
// random name is tried) and locked, so that no other save takes it for a leftover.
struct Temporary {
    fs::path path;
    int fd = -1;   // written, synced and closed by the save
    int lock = -1; // the same open file, holding the lock until the rename is done
};

Temporary createTemporary(const fs::path& file)
{
    for (int n = 0; n < kNamesTried; ++n) {
        Temporary temporary;
        // (appended piece by piece: GCC 12 wrongly warns of overlapping copies, -Wrestrict, when a literal is
        // put in front of a temporary string)
        temporary.path = file;
        temporary.path += kOurMark;
        temporary.path += randomLetters();
        temporary.path += kTemporaryEnd;
        temporary.fd = ::open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (temporary.fd < 0) {
            if (errno == EEXIST)
                continue;
            fail("the file cannot be created", errno);
        }
        temporary.lock = ::fcntl(temporary.fd, F_DUPFD_CLOEXEC, 0);
        // A file system without locks still saves; only the removal of leftovers relies on them.
        if (temporary.lock >= 0)
            (void)::flock(temporary.lock, LOCK_EX);
        struct stat created;
        if (::fstat(temporary.fd, &created) == 0 && created.st_nlink == 0) {
            // Another save took it for a leftover in the moment before it was locked: start again.
            (void)::close(temporary.fd);
            if (temporary.lock >= 0)
                (void)::close(temporary.lock);
            continue;
        }
        return temporary;
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

bool isTemporaryName(std::string_view fileName)
{
    return fileName.size() > kTemporaryEnd.size() && fileName.ends_with(kTemporaryEnd);
}

bool isTemporaryOf(std::string_view fileName, std::string_view target)
{
    return !target.empty() && temporaryTargets(fileName).any([&](std::string_view t) { return t == target; });
}

std::size_t removeStaleTemporaries(const fs::path& folder, std::string_view suffix)
{
    return removeStale(folder, [&](const TemporaryTargets& of) {
        return of.any(
            [&](std::string_view target) { return target.size() > suffix.size() && target.ends_with(suffix); });
    });
}

void replaceFile(const fs::path& file, std::string_view bytes, Leftovers leftovers)
{
    if (!file.has_filename())
        fail("the file has no name", EINVAL);
    const std::string target = file.filename().string();
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (leftovers == Leftovers::AlsoEarlierNames) {
        removeStale(folder, [&](const TemporaryTargets& of) { return of.any([&](auto t) { return t == target; }); });
    } else {
        removeStale(folder, [&](const TemporaryTargets& of) { return !of.ours.empty() && of.ours == target; });
    }

    Temporary temporary = createTemporary(file);
    try {
        struct stat previous;
        if (::stat(file.c_str(), &previous) == 0)
            (void)::fchmod(temporary.fd, previous.st_mode & 07777);
        writeAll(temporary.fd, bytes);
        // A file system that cannot sync a file (EINVAL) still has the bytes; every other failure counts.
        if (::fsync(temporary.fd) != 0 && errno != EINVAL)
            fail("the file cannot be synced to the disk", errno);
        const int closed = ::close(temporary.fd);
        temporary.fd = -1;
        if (closed != 0)
            fail("the file cannot be closed", errno);
        if (::rename(temporary.path.c_str(), file.c_str()) != 0)
            fail("the file cannot be replaced", errno);
    } catch (...) {
        if (temporary.fd >= 0)
            (void)::close(temporary.fd);
        (void)::unlink(temporary.path.c_str());
        if (temporary.lock >= 0)
            (void)::close(temporary.lock);
        throw;
    }
    if (temporary.lock >= 0)
        (void)::close(temporary.lock);
}

} // namespace korvel
