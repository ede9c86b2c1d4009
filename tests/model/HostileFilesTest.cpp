// Files that could hurt the program: crop names that would lead out of the soils folder, FIFOs and devices where
// a file is expected, and files that ask for more memory than any real crop library or trend needs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "PlainInputsTarget.h"
#include "TempFolder.h"
#include "model/BatchProcess.h"
#include "model/FileReader.h"
#include "model/writeFile.h"

using korvel::FileReader;
using korvel::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

std::string cropFile(const std::string& name, const std::string& rain = "10,11,12",
                     const std::string& irrigation = "0,1")
{
    return "CROP=" + name + "\r\n\r\nUNITS=bu.,bushels\r\n\r\nANNUAL_RAIN=" + rain + "\r\n\r\nEFF_IRRIG=" +
           irrigation + "\r\n\r\nYIELD_VALUES=1,2\r\n";
}

std::string soilRecord(const std::string& name, const std::string& rain = "10,11,12",
                       const std::string& irrigation = "0,1")
{
    return "SOIL=" + name + "\r\nANNUAL_RAIN=" + rain + "\r\nEFF_IRRIG=" + irrigation +
           "\r\nYIELD_VALUES=1\r\nRELATIVE_VALUES=0.5\r\n";
}

std::vector<std::string> names(const FileReader& reader)
{
    std::vector<std::string> out;
    for (const auto& crop : *reader.cropCollection)
        out.push_back(crop->cropType);
    return out;
}

std::size_t cells(const korvel::YieldTable& table)
{
    std::size_t n = 0;
    for (const auto& row : table)
        n += row.size();
    return n;
}

// Every table element the library holds: crop tables and soil tables.
std::size_t libraryCells(const FileReader& reader)
{
    std::size_t n = 0;
    for (const auto& crop : *reader.cropCollection) {
        n += cells(crop->yieldTable);
        for (const auto& soil : {crop->soil_ulysses, crop->soil_valent, crop->soil_valentine})
            for (long i = 1; i <= soil->Count(); ++i)
                n += cells(soil->Item(i));
    }
    return n;
}

using Names = std::vector<std::string>;
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

TEST(HostileFiles, TheSoilFileIsAPlainNameInsideTheSoilsFolder)
{
    const fs::path soils = "/program/crops/soils";
    EXPECT_EQ(FileReader::soilFile(soils, "Grain Sorghum"), soils / "grain sorghum.txt");
    EXPECT_EQ(FileReader::soilFile(soils, ".."), soils / "...txt"); // a plain, if odd, name
    EXPECT_EQ(FileReader::soilFile(soils, ""), soils / ".txt");
    for (const std::string& name : {std::string("../../x"), std::string("/etc/passwd"), std::string("a/b"),
                                    std::string("..\\x"), std::string("corn\0/../../x", 14)})
        EXPECT_FALSE(FileReader::soilFile(soils, name)) << name;

    // Soil records placed where such names would lead are never read.
    TempFolder dir;
    const std::string outside = (dir.path() / "elsewhere" / "abs").string();
    ASSERT_EQ(outside.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << "lower case needed here";
    dir.write("crops/1.txt", cropFile("../../up"));
    dir.write("crops/2.txt", cropFile(outside));
    dir.write("crops/3.txt", cropFile("Corn"));
    dir.write("up.txt", soilRecord("Ulysses"));
    dir.write("elsewhere/abs.txt", soilRecord("Ulysses"));
    dir.write("crops/soils/corn.txt", soilRecord("Ulysses"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    ASSERT_EQ(names(reader), (Names{"../../up", outside, "Corn", "Fallow"}));
    EXPECT_EQ(reader.cropCollection->Item(1)->soil_ulysses->Count(), 0);
    EXPECT_EQ(reader.cropCollection->Item(2)->soil_ulysses->Count(), 0);
    EXPECT_EQ(reader.cropCollection->Item(3)->soil_ulysses->Count(), 2);
}

TEST(HostileFiles, OnlyRegularFilesAreRead)
{
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    fs::create_directories(dir.path() / "crops" / "custom");
    fs::create_directories(dir.path() / "crops" / "soils");
    fs::create_directories(dir.path() / "trend");
    const std::vector<fs::path> fifos = {dir.path() / "inputs.txt", dir.path() / "trend" / "values.txt",
                                         dir.path() / "crops" / "custom" / "fifo.txt",
                                         dir.path() / "crops" / "soils" / "corn.txt"};
    for (const fs::path& fifo : fifos)
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0) << fifo;

    korvel::testing::PlainInputsTarget target({"Corn", "Fallow"});
    bool loaded = true;
    EXPECT_TRUE(readsWithoutBlocking([&] { loaded = korvel::writeFile::loadInputs(dir.path(), target); }, fifos));
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
    ASSERT_EQ(names(reader), (Names{"Corn", "Fallow"}));
    EXPECT_EQ(reader.cropCollection->Item(1)->soil_ulysses->Count(), 0);

    // A folder where the inputs file belongs is no inputs file either.
    TempFolder other;
    fs::create_directories(other.path() / "inputs.txt");
    EXPECT_FALSE(korvel::writeFile::loadInputs(other.path(), target));
}

TEST(HostileFiles, TablesAreAtMostAHundredInchesEachWay)
{
    const std::string largest = "0," + std::to_string(FileReader::kLargestTableInch);
    const korvel::YieldTable table = FileReader::makeYieldArray(largest, largest, "1");
    EXPECT_EQ(table.size(), 101u);
    EXPECT_EQ(table[100].size(), 101u);
    const std::string tooLarge = "0," + std::to_string(FileReader::kLargestTableInch + 1);
    EXPECT_THROW(FileReader::makeYieldArray(tooLarge, largest, "1"), korvel::CropFileError);
    EXPECT_THROW(FileReader::makeYieldArray(largest, tooLarge, "1"), korvel::CropFileError);

    // Small files declaring huge tables are skipped, whatever their number.
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    for (int i = 0; i < 200; ++i)
        dir.write("crops/custom/" + std::to_string(i) + ".txt", cropFile("Huge", "0,1000", "0,1000"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    EXPECT_EQ(names(reader), (Names{"Corn", "Fallow"}));
}

TEST(HostileFiles, TheLibraryHoldsAtMostItsTableCellsAndCrops)
{
    // Full-size custom crops with three full-size soil records each fill the library: the crop that no longer
    // fits is skipped, and so is every full-size one after it, while a small one at the end still fits.
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    const std::string full = "0," + std::to_string(FileReader::kLargestTableInch);
    for (int i = 100; i < 300; ++i) {
        const std::string name = "Big " + std::to_string(i);
        dir.write("crops/custom/" + std::to_string(i) + ".txt", cropFile(name, full, full));
        dir.write("crops/soils/" + FileReader::soilFile("", name)->string(),
                  soilRecord("Ulysses", full, full) + soilRecord("Valent", full, full) +
                      soilRecord("Valentine", full, full));
    }
    dir.write("crops/custom/x.txt", cropFile("Rye"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    const std::size_t fullCrop = 7 * 101 * 101; // its own table and six soil tables
    const std::size_t fitting = (FileReader::kMostTableCells - 26) / fullCrop;
    Names expected = {"Corn", "Fallow"};
    for (std::size_t i = 0; i < fitting; ++i)
        expected.push_back("Big " + std::to_string(100 + i));
    expected.push_back("Rye");
    EXPECT_EQ(names(reader), expected);
    EXPECT_EQ(reader.cropCollection->Item(3)->soil_valentine->Count(), 2);
    const std::size_t held = libraryCells(reader);
    EXPECT_LE(held, FileReader::kMostTableCells);
    EXPECT_GT(held + 101 * 101, FileReader::kMostTableCells) << "the library was filled up";

    // Past the most crops, the files are not read.
    TempFolder many;
    many.write("crops/corn.txt", cropFile("Corn"));
    for (std::size_t i = 0; i < FileReader::kMostCrops + 5; ++i)
        many.write("crops/custom/" + std::to_string(10000 + i) + ".txt", cropFile("C" + std::to_string(i)));
    ASSERT_TRUE(reader.Initialize(many.path()));
    ASSERT_EQ(reader.cropCollection->Count(), static_cast<long>(FileReader::kMostCrops) + 1); // with Fallow
    EXPECT_EQ(reader.cropCollection->Item(reader.cropCollection->Count())->cropType,
              "C" + std::to_string(FileReader::kMostCrops - 2));
}

TEST(HostileFiles, ALineLongerThanACropFileNeedsFailsItsFile)
{
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    dir.write("crops/long.txt", "CROP=" + std::string(FileReader::kLongestLine, 'x') + "\r\n" + cropFile("Long"));
    dir.write("crops/soils/corn.txt", soilRecord("Ulysses") + "SOIL=" + std::string(FileReader::kLongestLine, 'v') +
                                          "\r\n" + soilRecord("Valent"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    EXPECT_EQ(names(reader), (Names{"Corn"})); // one crop of two library files: no Fallow
    EXPECT_EQ(reader.cropCollection->Item(1)->soil_ulysses->Count(), 2);
    EXPECT_EQ(reader.cropCollection->Item(1)->soil_valent->Count(), 0);

    std::istringstream longest("CROP=" + std::string(FileReader::kLongestLine - 5, 'x') + "\r\nnext");
    std::string line;
    ASSERT_TRUE(FileReader::readLine(longest, line));
    EXPECT_EQ(line.size(), FileReader::kLongestLine);
    ASSERT_TRUE(FileReader::readLine(longest, line));
    EXPECT_EQ(line, "next");
    EXPECT_FALSE(FileReader::readLine(longest, line));
}

TEST(HostileFiles, AnOversizedInputsFileIsNotRead)
{
    TempFolder dir;
    // A whole file, then lines that name no crop, which a load passes over one by one.
    std::string text = "2\r\n160\r\n12\r\n85\r\n18\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nTrue\r\nDiesel\r\n0\r\n";
    korvel::testing::PlainInputsTarget target({"Corn"});
    dir.write("inputs.txt", text);
    ASSERT_TRUE(korvel::writeFile::loadInputs(dir.path(), target));
    EXPECT_EQ(target.main[InputsTargetBox::txtArea], "160");

    while (text.size() <= (16u << 20))
        text += "no such crop\r\n";
    dir.write("inputs.txt", text);
    korvel::testing::PlainInputsTarget untouched({"Corn"});
    EXPECT_FALSE(korvel::writeFile::loadInputs(dir.path(), untouched));
    EXPECT_TRUE(untouched.main.empty());
}
