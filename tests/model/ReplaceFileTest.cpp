// Replacing a file through a temporary file beside it: no leftover of a save cut short, however many, keeps a
// save from finding a temporary name; the leftovers of the same file that no save holds go, while a temporary
// file that a save is writing (locked) and every file that is not a leftover stay.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "TempFolder.h"
#include "model/ReplaceFile.h"

using korvel::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> folderNames(const TempFolder& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Holds a lock on a file as a save that is still writing it does.
class HeldBySave {
public:
    explicit HeldBySave(const fs::path& file) : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC))
    {
        EXPECT_GE(fd_, 0);
        EXPECT_EQ(::flock(fd_, LOCK_EX), 0);
    }
    ~HeldBySave() { ::close(fd_); }
    HeldBySave(const HeldBySave&) = delete;
    HeldBySave& operator=(const HeldBySave&) = delete;

private:
    int fd_;
};

} // namespace

// In the user's Korvel folder, where the earlier versions saved.
TEST(ReplaceFile, LeftoversNeverBlockASaveAndThoseOfTheSameFileThatNoSaveHoldsGo)
{
    TempFolder dir;
    // Every name an earlier version of the program tried, and some of this one's.
    dir.write("inputs.txt.tmp", "left over");
    for (int n = 1; n < 100; ++n)
        dir.write("inputs.txt." + std::to_string(n) + ".tmp", "left over");
    dir.write("inputs.txt.kvl-a1B2c3.tmp", "left over");
    dir.write("inputs.txt.kvl-Zz9Yy8.tmp", "being written");
    // Not leftovers of this file.
    const std::vector<std::string> others = {"inputs.txt.bak",         "inputs.txt.100.tmp", "inputs.txt.01.tmp",
                                             "inputs.txt.kvl-abc.tmp", "other.txt.tmp",      "inputs.txt.kvl-abcdef"};
    for (const std::string& name : others)
        dir.write(name, "not ours");
    fs::create_directory(dir.path() / "inputs.txt.kvl-Dir000.tmp");
    fs::create_symlink(dir.path() / "inputs.txt.bak", dir.path() / "inputs.txt.kvl-Lnk000.tmp");

    {
        const HeldBySave writing(dir.path() / "inputs.txt.kvl-Zz9Yy8.tmp");
        korvel::replaceFile(dir.path() / "inputs.txt", "new\r\n", korvel::Leftovers::AlsoEarlierNames);
        EXPECT_EQ(dir.read("inputs.txt"), "new\r\n");
        EXPECT_EQ(dir.read("inputs.txt.kvl-Zz9Yy8.tmp"), "being written") << "a save still holds it";
    }
    std::vector<std::string> expected = others;
    expected.insert(expected.end(), {"inputs.txt", "inputs.txt.kvl-Dir000.tmp", "inputs.txt.kvl-Lnk000.tmp",
                                     "inputs.txt.kvl-Zz9Yy8.tmp"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderNames(dir), expected) << "a folder or a link named like a leftover is no leftover";

    // Once nobody holds it, the next save removes it too.
    korvel::replaceFile(dir.path() / "inputs.txt", "again\r\n", korvel::Leftovers::AlsoEarlierNames);
    EXPECT_EQ(dir.read("inputs.txt"), "again\r\n");
    EXPECT_FALSE(fs::exists(dir.path() / "inputs.txt.kvl-Zz9Yy8.tmp"));
}

// In a folder the user chose (an export): files named as the earlier versions named their leftovers may be
// another program's, so only this program's own leftovers go.
TEST(ReplaceFile, ASaveElsewhereRemovesOnlyThisProgramsOwnLeftovers)
{
    TempFolder dir;
    const std::vector<std::string> kept = {"report.csv.tmp", "report.csv.1.tmp", "report.csv.99.tmp",
                                           "report.csv.kvl-Held00.tmp", "other.csv.kvl-a1B2c3.tmp"};
    for (const std::string& name : kept)
        dir.write(name, "someone's");
    dir.write("report.csv.kvl-a1B2c3.tmp", "left over");
    dir.write("report.csv.kvl-Zz9Yy8.tmp", "left over");
    {
        const HeldBySave writing(dir.path() / "report.csv.kvl-Held00.tmp");
        korvel::replaceFile(dir.path() / "report.csv", "a,b\r\n");
    }
    std::vector<std::string> expected = kept;
    expected.push_back("report.csv");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderNames(dir), expected);
    for (const std::string& name : kept)
        EXPECT_EQ(dir.read(name), "someone's") << name;
}

TEST(ReplaceFile, AFolderIsClearedOfTheLeftoversOfItsOwnFilesOnly)
{
    TempFolder dir;
    for (const char* name : {"Barley.txt.tmp", "Barley.txt.12.tmp", "Oats.txt.kvl-000000.tmp", "inputs.txt.tmp",
                             "report.csv.tmp", "notes.tmp", "Barley.txt"})
        dir.write(name, "x");
    {
        const HeldBySave writing(dir.path() / "Barley.txt.12.tmp");
        EXPECT_EQ(korvel::removeStaleTemporaries(dir.path(), ".txt"), 3u);
    }
    EXPECT_EQ(folderNames(dir),
              (std::vector<std::string>{"Barley.txt", "Barley.txt.12.tmp", "notes.tmp", "report.csv.tmp"}));
    EXPECT_EQ(korvel::removeStaleTemporaries(dir.path() / "missing", ".txt"), 0u);
}

TEST(ReplaceFile, TemporaryNames)
{
    struct Case {
        const char* name;
        bool temporary; // no reader takes it for one of its files
        bool ofInputs;  // a temporary file of inputs.txt
    };
    const Case cases[] = {
        {"inputs.txt.tmp", true, true},
        {"inputs.txt.1.tmp", true, true},
        {"inputs.txt.99.tmp", true, true},
        {"inputs.txt.kvl-a1B2c3.tmp", true, true},
        {"inputs.txt.100.tmp", true, false},
        {"inputs.txt.0.tmp", true, false},
        {"inputs.txt.kvl-a1B2c.tmp", true, false},
        {"inputs.txt.kvl-a1B2c_.tmp", true, false},
        {"Inputs.txt.tmp", true, false},
        {"inputs.txt", false, false},
        {"inputs.txt.tmp.bak", false, false},
        {".tmp", false, false},
        {"Barley.tmp", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(korvel::isTemporaryName(c.name), c.temporary);
        EXPECT_EQ(korvel::isTemporaryOf(c.name, "inputs.txt"), c.ofInputs);
    }
}
