// The user's files (inputs.txt, crops/custom) copied once from the folder where earlier versions kept them:
// only into a user's folder that holds none yet, never over a file, each file whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
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

// Every regular file below folder with its contents, sorted by path.
Files contents(const TempFolder& folder)
{
    Files out;
    if (!fs::exists(folder.path()))
        return out;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
        if (entry.is_regular_file()) {
            const std::string path = fs::relative(entry.path(), folder.path()).generic_string();
            out.emplace_back(path, folder.read(path));
        }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(UserFiles, TheFirstStartCopiesTheOldFilesOnceAndNeverOverwrites)
{
    const Files old = {{"inputs.txt", "0\r\n160\r\n"},
                       {"crops/custom/barley.txt", "CROP=Barley\r\n"},
                       {"crops/custom/rye.txt", "CROP=Rye\r\n"}};
    struct Case {
        const char* what;
        Files oldFiles;
        Files userFiles; // already in the user's folder
        Files expected;  // the user's folder afterwards
    };
    const std::vector<Case> cases = {
        {"an empty user's folder takes every file", old, {}, old},
        {"the inputs file alone", {old[0]}, {}, {old[0]}},
        {"the custom crops alone", {old[1], old[2]}, {}, {old[1], old[2]}},
        {"a user's inputs file: nothing is copied, nothing replaced",
         old,
         {{"inputs.txt", "mine"}},
         {{"inputs.txt", "mine"}}},
        {"a user's custom crop: nothing is copied, nothing replaced",
         old,
         {{"crops/custom/barley.txt", "CROP=My barley\r\n"}},
         {{"crops/custom/barley.txt", "CROP=My barley\r\n"}}},
        {"the folder placeholder and other files are not the user's",
         {{"crops/custom/.gitkeep", ""}, {"crops/corn.txt", "CROP=Corn\r\n"}, {"help/index.htm", ""}},
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder oldPlace("korvel-old");
        TempFolder user("korvel-user");
        put(oldPlace, c.oldFiles);
        put(user, c.userFiles);
        const Files oldBefore = contents(oldPlace);
        EXPECT_TRUE(UserFiles::copyFromOldPlace(oldPlace.path(), user.path()).empty());
        Files expected = c.expected;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(contents(user), expected);
        EXPECT_EQ(contents(oldPlace), oldBefore); // the old files stay where they were

        // A second start finds the user's files and copies nothing again, even files added at the old place.
        oldPlace.write("crops/custom/wheat2.txt", "CROP=Wheat 2\r\n");
        if (!expected.empty()) {
            EXPECT_TRUE(UserFiles::copyFromOldPlace(oldPlace.path(), user.path()).empty());
            EXPECT_EQ(contents(user), expected);
        }
    }
}

TEST(UserFiles, AUserFolderThatCannotBeMadeReportsEveryFileAndCopiesNone)
{
    TempFolder oldPlace("korvel-old");
    TempFolder home("korvel-home");
    oldPlace.write("inputs.txt", "0\r\n");
    oldPlace.write("crops/custom/barley.txt", "CROP=Barley\r\n");
    home.write("Korvel", "a file where the user's folder belongs");

    const auto failed = UserFiles::copyFromOldPlace(oldPlace.path(), home.path() / "Korvel");
    EXPECT_EQ(failed, (std::vector<fs::path>{oldPlace.path() / "inputs.txt",
                                             oldPlace.path() / "crops" / "custom" / "barley.txt"}));
    EXPECT_EQ(home.read("Korvel"), "a file where the user's folder belongs");
}

TEST(UserFiles, ANewUserFolderIsMadeOnTheWayAndTheSameFolderCopiesNothing)
{
    TempFolder oldPlace("korvel-old");
    TempFolder home("korvel-home");
    oldPlace.write("crops/custom/barley.txt", "CROP=Barley\r\n");
    const fs::path user = home.path() / "share" / "Korvel";
    EXPECT_TRUE(UserFiles::copyFromOldPlace(oldPlace.path(), user).empty());
    EXPECT_EQ(home.read("share/Korvel/crops/custom/barley.txt"), "CROP=Barley\r\n");
    EXPECT_TRUE(UserFiles::holdsUserFiles(user));

    // A folder that is both the old place and the user's (a test folder) is left alone.
    EXPECT_TRUE(UserFiles::copyFromOldPlace(oldPlace.path(), oldPlace.path()).empty());
    EXPECT_EQ(oldPlace.read("crops/custom/barley.txt"), "CROP=Barley\r\n");
}
