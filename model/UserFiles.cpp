#include "model/UserFiles.h"

#include <fstream>
#include <iterator>
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

bool copyOne(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec)))
        return true; // the user's own copy stays
    std::ifstream in;
    if (!openRegularFile(from, in, kLargestUserFile))
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    fs::create_directories(to.parent_path(), ec);
    if (ec)
        return false;
    try {
        replaceFile(to, bytes);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

} // namespace

bool holdsUserFiles(const fs::path& folder)
{
    return !userFilesOf(folder).empty();
}

std::vector<fs::path> copyFromOldPlace(const fs::path& oldFolder, const fs::path& userFolder)
{
    std::vector<fs::path> failed;
    std::error_code ec;
    if (fs::equivalent(oldFolder, userFolder, ec) || holdsUserFiles(userFolder))
        return failed;
    for (const fs::path& file : userFilesOf(oldFolder))
        if (!copyOne(oldFolder / file, userFolder / file))
            failed.push_back(oldFolder / file);
    return failed;
}

} // namespace korvel::UserFiles
