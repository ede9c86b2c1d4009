// Files that could hurt the program: FIFOs and devices where a file is expected, and an inputs file far larger
// than any the program writes. (The crop library's own limits are tested with the reader.)
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "FakeInputsWindow.h"
#include "TempFolder.h"
#include "model/BatchProcess.h"
#include "model/FileReader.h"
#include "model/InputsFile.h"

using korvel::FileReader;
using korvel::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

using InputsTargetBox = korvel::InputsTarget::MainBox;

// Runs read on another thread. A read still blocked after a few seconds (opening a FIFO waits for a writer)
// fails the test; the FIFOs are then opened for writing, one by one as the read reaches them, so that the
// read ends and the test fails rather than hangs.
bool readsWithoutBlocking(const std::function<void()>& read, const std::vector<fs::path>& fifos)
{
    std::future<void> done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
        done.get();
        return true;
    }
    while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        for (const fs::path& fifo : fifos) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); // fails at once while nobody reads
            if (fd >= 0)
                ::close(fd);
        }
    done.get();
    return false;
}

} // namespace

TEST(HostileFiles, OnlyRegularFilesAreRead)
{
    TempFolder dir;
    dir.write("crops/corn.txt",
              "CROP=Corn\n\nUNITS=bu.,bushels\n\nANNUAL_RAIN=11,21\n\nEFF_IRRIG=0,24\n\nYIELD_VALUES=1\n");
    fs::create_directories(dir.path() / "crops" / "custom");
    fs::create_directories(dir.path() / "crops" / "soils");
    fs::create_directories(dir.path() / "trend");
    const std::vector<fs::path> fifos = {dir.path() / "inputs.txt", dir.path() / "trend" / "values.txt",
                                         dir.path() / "crops" / "custom" / "fifo.txt",
                                         dir.path() / "crops" / "soils" / "corn.txt"};
    for (const fs::path& fifo : fifos)
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0) << fifo;

    korvel::testing::FakeWindow target({"Corn", "Fallow"});
    bool loaded = true;
    EXPECT_TRUE(readsWithoutBlocking([&] { loaded = korvel::InputsFile::loadInputs(dir.path(), target); }, fifos));
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(target.main.empty());
    EXPECT_EQ(target.refreshes, 0);

    for (const fs::path& valueFile : {fifos[1], fs::path("/dev/zero"), dir.path() / "trend"}) {
        SCOPED_TRACE(valueFile.string());
        korvel::BatchProcessInput input;
        input.mode = korvel::ImportValues;
        input.fileName = valueFile.string();
        korvel::BatchProcessBuild built;
        EXPECT_TRUE(readsWithoutBlocking([&] { built = korvel::makeBatchProcess(input); }, fifos));
        EXPECT_EQ(built.problem, korvel::BatchProcessProblem::NoFile); // "Please select a file!"
    }

    FileReader reader;
    EXPECT_TRUE(readsWithoutBlocking([&] { reader.Initialize(dir.path()); }, fifos));
    ASSERT_EQ(reader.cropCollection->Count(), 2); // Corn and Fallow
    EXPECT_EQ(reader.cropCollection->Item(1)->soil_ulysses->Count(), 0);

    // A folder where the inputs file belongs is no inputs file either.
    TempFolder other;
    fs::create_directories(other.path() / "inputs.txt");
    EXPECT_FALSE(korvel::InputsFile::loadInputs(other.path(), target));
}

TEST(HostileFiles, AnOversizedInputsFileIsNotRead)
{
    TempFolder dir;
    // A whole file, then lines that name no crop, which a load passes over one by one.
    std::string text = "2\r\n160\r\n12\r\n85\r\n18\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nTrue\r\nDiesel\r\n0\r\n";
    korvel::testing::FakeWindow target({"Corn"});
    dir.write("inputs.txt", text);
    ASSERT_TRUE(korvel::InputsFile::loadInputs(dir.path(), target));
    EXPECT_EQ(target.main[InputsTargetBox::txtArea], "160");

    while (text.size() <= (16u << 20))
        text += "no such crop\r\n";
    dir.write("inputs.txt", text);
    korvel::testing::FakeWindow untouched({"Corn"});
    EXPECT_FALSE(korvel::InputsFile::loadInputs(dir.path(), untouched));
    EXPECT_TRUE(untouched.main.empty());
}
