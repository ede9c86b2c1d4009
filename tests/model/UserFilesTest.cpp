// The user's files (inputs.txt, crops/custom) copied from the folder where earlier versions kept them: every
// start copies what the user's folder lacks until the copy has finished, never over a file, each file whole;
// once it has finished, nothing comes back. And the folder's own check: why it cannot keep the user's files.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "TempFolder.h"
#include "faults/InjectedFault.h"
#include "model/UserFiles.h"

using korvel::testing::TempFolder;
namespace fs = std::filesystem;
namespace UserFiles = korvel::UserFiles;

namespace {

using Files = std::vector<std::pair<std::string, std::string>>; // path below the folder, contents

void put(const TempFolder& folder, const Files& files)
{
    for (const auto& [path, text] : files)
        folder.write(path, text);
}

// Every regular file below folder with its contents, sorted by path; the copy's record left out.
Files contents(const TempFolder& folder)
{
    Files out;
    if (!fs::exists(folder.path()))
        return out;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
        if (entry.is_regular_file() && entry.path().filename() != UserFiles::kCopyRecord) {
            const std::string path = fs::relative(entry.path(), folder.path()).generic_string();
            out.emplace_back(path, folder.read(path));
        }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<fs::path> below(const fs::path& folder, const std::vector<std::string>& files)
{
    std::vector<fs::path> out;
    out.reserve(files.size());
    for (const std::string& file : files)
        out.push_back(folder / file);
    return out;
}

const Files kOldFiles = {{"crops/custom/barley.txt", "CROP=Barley\r\n"},
                         {"crops/custom/rye.txt", "CROP=Rye\r\n"},
                         {"inputs.txt", "0\r\n160\r\n"}};

} // namespace

TEST(UserFiles, UntilTheCopyHasFinishedEachStartCopiesWhatTheUserFolderLacksAndNeverOverwrites)
{
    const Files& old = kOldFiles;
    struct Case {
        const char* what;
        Files oldFiles;
        Files userFiles;               // already in the user's folder
        Files expected;                // the user's folder afterwards
        std::vector<std::string> kept; // old files not copied for a different file of that name
    };
    const std::vector<Case> cases = {
        {"an empty user's folder takes every file", old, {}, old, {}},
        {"the inputs file alone", {old[2]}, {}, {old[2]}, {}},
        {"the custom crops alone", {old[0], old[1]}, {}, {old[0], old[1]}, {}},
        {"an inputs file of another build: the crops come, the user's inputs file stays and is named",
         old,
         {{"inputs.txt", "mine"}},
         {old[0], old[1], {"inputs.txt", "mine"}},
         {"inputs.txt"}},
        {"a different crop of the same file name stays and is named",
         old,
         {{"crops/custom/barley.txt", "CROP=My barley\r\n"}},
         {{"crops/custom/barley.txt", "CROP=My barley\r\n"}, old[1], old[2]},
         {"crops/custom/barley.txt"}},
        {"files an interrupted start copied already are the same: nothing is named", old, {old[0], old[2]}, old, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder oldPlace("korvel-old");
        TempFolder user("korvel-user");
        put(oldPlace, c.oldFiles);
        put(user, c.userFiles);
        const Files oldBefore = contents(oldPlace);
        const UserFiles::CopyOutcome outcome = UserFiles::copyFromOldPlace(oldPlace.path(), user.path());
        EXPECT_TRUE(outcome.failed.empty());
        EXPECT_EQ(outcome.kept, below(oldPlace.path(), c.kept));
        Files expected = c.expected;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(contents(user), expected);
        EXPECT_EQ(contents(oldPlace), oldBefore); // the old files stay where they were
        EXPECT_TRUE(fs::is_regular_file(user.path() / UserFiles::kCopyRecord));

        // The copy has finished: a later start copies nothing and names nothing, even files added at the old
        // place.
        oldPlace.write("crops/custom/wheat2.txt", "CROP=Wheat 2\r\n");
        const UserFiles::CopyOutcome again = UserFiles::copyFromOldPlace(oldPlace.path(), user.path());
        EXPECT_TRUE(again.failed.empty() && again.kept.empty());
        EXPECT_EQ(contents(user), expected);
    }
}

TEST(UserFiles, OnceTheCopyHasFinishedWhatTheUserDeletesNeverComesBack)
{
    TempFolder oldPlace("korvel-old");
    TempFolder user("korvel-user");
    put(oldPlace, {kOldFiles[0], kOldFiles[1]}); // crops, no inputs file
    UserFiles::copyFromOldPlace(oldPlace.path(), user.path());
    ASSERT_EQ(contents(user), (Files{kOldFiles[0], kOldFiles[1]}));

    fs::remove(user.path() / "crops" / "custom" / "barley.txt");
    fs::remove(user.path() / "crops" / "custom" / "rye.txt");
    for (int start = 0; start < 2; ++start)
        UserFiles::copyFromOldPlace(oldPlace.path(), user.path());
    EXPECT_EQ(contents(user), Files{});

    // The record is kept per old folder: another clone's old files still come over once.
    TempFolder otherClone("korvel-other");
    otherClone.write("crops/custom/oats.txt", "CROP=Oats\r\n");
    UserFiles::copyFromOldPlace(otherClone.path(), user.path());
    UserFiles::copyFromOldPlace(oldPlace.path(), user.path());
    EXPECT_EQ(contents(user), (Files{{"crops/custom/oats.txt", "CROP=Oats\r\n"}}));
}

TEST(UserFiles, AFailedCopyIsNotRecordedAndTheNextStartFinishesIt)
{
    TempFolder oldPlace("korvel-old");
    TempFolder home("korvel-home");
    put(oldPlace, kOldFiles);
    home.write("Korvel", "a file where the user's folder belongs");

    const UserFiles::CopyOutcome blocked = UserFiles::copyFromOldPlace(oldPlace.path(), home.path() / "Korvel");
    EXPECT_EQ(blocked.failed,
              below(oldPlace.path(), {"inputs.txt", "crops/custom/barley.txt", "crops/custom/rye.txt"}));
    EXPECT_EQ(home.read("Korvel"), "a file where the user's folder belongs");

    fs::remove(home.path() / "Korvel");
    const UserFiles::CopyOutcome outcome = UserFiles::copyFromOldPlace(oldPlace.path(), home.path() / "Korvel");
    EXPECT_TRUE(outcome.failed.empty() && outcome.kept.empty());
    EXPECT_EQ(home.read("Korvel/inputs.txt"), "0\r\n160\r\n");
    EXPECT_EQ(home.read("Korvel/crops/custom/rye.txt"), "CROP=Rye\r\n");
    EXPECT_TRUE(fs::is_regular_file(home.path() / "Korvel" / UserFiles::kCopyRecord));
}

TEST(UserFiles, ANewUserFolderIsMadeOnTheWayAndTheSameFolderCopiesNothing)
{
    TempFolder oldPlace("korvel-old");
    TempFolder home("korvel-home");
    oldPlace.write("crops/custom/barley.txt", "CROP=Barley\r\n");
    const fs::path user = home.path() / "share" / "Korvel";
    EXPECT_TRUE(UserFiles::copyFromOldPlace(oldPlace.path(), user).failed.empty());
    EXPECT_EQ(home.read("share/Korvel/crops/custom/barley.txt"), "CROP=Barley\r\n");
    EXPECT_TRUE(UserFiles::holdsUserFiles(user));

    // A folder that is both the old place and the user's (a test folder) is left alone.
    EXPECT_TRUE(UserFiles::copyFromOldPlace(oldPlace.path(), oldPlace.path()).failed.empty());
    EXPECT_EQ(contents(oldPlace), (Files{{"crops/custom/barley.txt", "CROP=Barley\r\n"}}));
}

TEST(UserFiles, AFolderThatCannotKeepTheUsersFilesSaysWhyInTheSystemsWords)
{
    struct Case {
        const char* what;
        void (*make)(const fs::path& user);
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"a new folder is made with its custom crop folder", [](const fs::path&) {}, ""},
        {"crops/custom a plain file",
         [](const fs::path& user) {
             fs::create_directories(user / "crops");
             std::ofstream(user / "crops" / "custom") << "not a folder";
         },
         "Not a directory"},
        {"crops/custom a link loop",
         [](const fs::path& user) {
             fs::create_directories(user / "crops");
             fs::create_symlink("custom", user / "crops" / "custom");
         },
         "Too many levels of symbolic links"},
        {"the folder a link to itself", [](const fs::path& user) { fs::create_symlink("Korvel", user); },
         "Too many levels of symbolic links"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder home("korvel-home");
        const fs::path user = home.path() / "Korvel";
        c.make(user);
        EXPECT_EQ(UserFiles::folderProblem(user), c.reason);
        if (c.reason.empty()) {
            EXPECT_TRUE(fs::is_directory(user / "crops" / "custom"));
            EXPECT_EQ(std::distance(fs::recursive_directory_iterator(home.path()), {}), 3)
                << "the check leaves nothing behind";
        }
    }
    if (geteuid() != 0) { // root writes into a read-only folder
        TempFolder home("korvel-home");
        fs::create_directories(home.path() / "Korvel" / "crops" / "custom");
        fs::permissions(home.path() / "Korvel", fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_EQ(UserFiles::folderProblem(home.path() / "Korvel"), "Permission denied");
        fs::permissions(home.path() / "Korvel", fs::perms::owner_write, fs::perm_options::add);
    }
}

// A start killed at any step of the copy (before a file's bytes are written, before they are synced, before the
// file is renamed into place, or before the record is written) leaves every copied file whole; the next start
// copies the rest and records the copy as finished.
TEST(OldFilesCopySaveFaults, AStartKilledAtAnyStepLeavesWholeFilesAndTheNextStartFinishesTheCopy)
{
    if (!korvel::testing::InjectedFault::available())
        GTEST_SKIP() << "runs with the fault library preloaded";
    const char* const steps[] = {"kill-write", "kill-fsync", "kill-rename"};
    const char* const files[] = {"barley.txt", "rye.txt", "inputs.txt", UserFiles::kCopyRecord};
    for (const char* step : steps)
        for (const char* file : files) {
            SCOPED_TRACE(std::string(step) + " on " + file);
            TempFolder oldPlace("korvel-old");
            TempFolder user("korvel-user");
            put(oldPlace, kOldFiles);

            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                korvel::testing::InjectedFault kill(step, file);
                UserFiles::copyFromOldPlace(oldPlace.path(), user.path());
                _exit(0);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the start was not cut";

            EXPECT_FALSE(fs::exists(user.path() / UserFiles::kCopyRecord));
            for (const auto& file : contents(user))
                if (!file.first.ends_with(".tmp")) {
                    const auto old = std::find_if(kOldFiles.begin(), kOldFiles.end(),
                                                  [&](const auto& f) { return f.first == file.first; });
                    ASSERT_NE(old, kOldFiles.end()) << file.first;
                    EXPECT_EQ(file.second, old->second) << file.first << " is not whole";
                }

            const UserFiles::CopyOutcome next = UserFiles::copyFromOldPlace(oldPlace.path(), user.path());
            EXPECT_TRUE(next.failed.empty() && next.kept.empty());
            EXPECT_EQ(contents(user), kOldFiles) << "every file whole, no leftover of the cut start";
            EXPECT_TRUE(fs::is_regular_file(user.path() / UserFiles::kCopyRecord));
        }
}
