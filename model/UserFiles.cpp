#include "model/UserFiles.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

#include "model/FileReader.h"
#include "model/RegularFile.h"
#include "model/ReplaceFile.h"

namespace korvel::UserFiles {

namespace fs = std::filesystem;

namespace {

// Larger than any inputs or crop file the program reads: a larger one is not copied.
constexpr std::uintmax_t kLargestUserFile = 16u << 20;

// The user's files of folder, relative to it: the inputs file, then the custom crops in file-name order.
std::vector<fs::path> userFilesOf(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    if (fs::is_regular_file(folder / "inputs.txt", ec))
        files.emplace_back("inputs.txt");
    const fs::path custom = fs::path("crops") / "custom";
    for (const fs::path& file : FileReader::listFiles(folder / custom))
        files.push_back(custom / file.filename());
    return files;
}

// The whole of a regular file; nothing when it cannot be read or is larger than any user's file.
std::optional<std::string> wholeFile(const fs::path& file)
{
    std::ifstream in;
    if (!openRegularFile(file, in, kLargestUserFile))
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// Why new files cannot be made in folder; empty when they can. A folder is made and removed again, under a
// name that no reader takes for one of its files (another name when one is taken already).
std::string cannotMakeFilesIn(const fs::path& folder)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path probe = folder / (".kvl-probe-" + std::to_string(now) + "-" + std::to_string(attempt) + ".tmp");
        std::error_code ec;
        if (fs::create_directory(probe, ec)) {
            fs::remove(probe, ec);
            return {};
        }
        if (ec)
            return ec.message();
    }
    return {};
}

enum class Copied { Done, Kept, Failed };

Copied copyOne(const fs::path& from, const fs::path& to)
{
    const std::optional<std::string> bytes = wholeFile(from);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        // The user's own file stays; the same bytes are a copy made by an earlier start.
        const std::optional<std::string> theirs = wholeFile(to);
        return bytes && theirs == bytes ? Copied::Done : Copied::Kept;
    }
    if (!bytes)
        return Copied::Failed;
    fs::create_directories(to.parent_path(), ec);
    if (ec)
        return Copied::Failed;
    try {
        replaceFile(to, *bytes);
    } catch (const std::exception&) {
        return Copied::Failed;
    }
    return Copied::Done;
}

// How the record names an old folder: its full path, links resolved.
std::string recordLine(const fs::path& oldFolder)
{
    std::error_code ec;
    fs::path full = fs::weakly_canonical(oldFolder, ec);
    if (ec)
        full = fs::absolute(oldFolder, ec).lexically_normal();
    return full.string();
}

std::vector<std::string> recordedFolders(const fs::path& userFolder)
{
    std::vector<std::string> lines;
    const std::optional<std::string> record = wholeFile(userFolder / kCopyRecord);
    if (!record)
        return lines;
    std::string::size_type start = 0;
    while (start < record->size()) {
        const std::string::size_type end = record->find('\n', start);
        const std::string::size_type stop = end == std::string::npos ? record->size() : end;
        if (stop > start)
            lines.push_back(record->substr(start, stop - start));
        start = stop + 1;
    }
    return lines;
}

} // namespace

std::string folderProblem(const fs::path& folder)
{
    const fs::path custom = folder / "crops" / "custom";
    std::error_code ec;
    fs::create_directories(custom, ec);
    if (ec)
        return ec.message();
    for (const fs::path& each : {folder, custom}) {
        if (!fs::is_directory(each, ec))
            return (ec ? ec : std::make_error_code(std::errc::not_a_directory)).message();
        if (std::string why = cannotMakeFilesIn(each); !why.empty())
            return why;
    }
    return {};
}

bool takesNewFiles(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder, ec) && cannotMakeFilesIn(folder).empty();
}

bool holdsUserFiles(const fs::path& folder)
{
    return !userFilesOf(folder).empty();
}

CopyOutcome copyFromOldPlace(const fs::path& oldFolder, const fs::path& userFolder)
{
    CopyOutcome outcome;
    std::error_code ec;
    if (fs::equivalent(oldFolder, userFolder, ec))
        return outcome;
    const std::vector<fs::path> files = userFilesOf(oldFolder);
    if (files.empty())
        return outcome;
    std::vector<std::string> finished = recordedFolders(userFolder);
    const std::string line = recordLine(oldFolder);
    for (const std::string& folder : finished)
        if (folder == line)
            return outcome;

    for (const fs::path& file : files)
        switch (copyOne(oldFolder / file, userFolder / file)) {
        case Copied::Done: break;
        case Copied::Kept: outcome.kept.push_back(oldFolder / file); break;
        case Copied::Failed: outcome.failed.push_back(oldFolder / file); break;
        }
    if (!outcome.failed.empty())
        return outcome;

    finished.push_back(line);
    std::string record;
    for (const std::string& folder : finished)
        record += folder + '\n';
    try {
        replaceFile(userFolder / kCopyRecord, record);
    } catch (const std::exception&) {
        // Not recorded: the next start copies again, finds every file there already and records it then.
    }
    return outcome;
}

} // namespace korvel::UserFiles
