// The crop-library reader: folders, reading order, "Fallow", custom marks, soil records, damaged files, and the
// limits that keep hostile files from leading out of the soils folder or taking much memory.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "TempFolder.h"
#include "model/Errors.h"
#include "model/FileReader.h"

using korvel::CropFileError;
using korvel::FileReader;
using korvel::IndexError;
using korvel::YieldTable;
using korvel::testing::TempFolder;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

// A well-formed crop file: rainfall 10 to 12, irrigation 0 to 1, six values (or the lists given).
std::string cropFile(const std::string& name, const std::string& units = "bu.,bushels",
                     const std::string& values = "1,2,3,4,5,6", const std::string& rain = "10,11,12",
                     const std::string& irrigation = "0,1")
{
    return "CROP=" + name + "\r\n\r\nUNITS=" + units + "\r\n\r\nANNUAL_RAIN=" + rain +
           "\r\n\r\nEFF_IRRIG=" + irrigation + "\r\n\r\nYIELD_VALUES=" + values + "\r\n";
}

std::string soilRecord(const std::string& name, const std::string& yields = "10,20,30,40,50,60",
                       const std::string& relative = "0.1,0.2,0.3,0.4,0.5,0.6", const std::string& rain = "10,11,12",
                       const std::string& irrigation = "0,1")
{
    return "SOIL=" + name + "\r\nANNUAL_RAIN=" + rain + "\r\nEFF_IRRIG=" + irrigation + "\r\nYIELD_VALUES=" + yields +
           "\r\nRELATIVE_VALUES=" + relative + "\r\n";
}

// A crop file or soil record whose table spans the whole of rain and irrigation, with one value.
std::string sizedCropFile(const std::string& name, const std::string& rain, const std::string& irrigation)
{
    return cropFile(name, "bu.,bushels", "1", rain, irrigation);
}

std::string sizedSoilRecord(const std::string& name, const std::string& rain, const std::string& irrigation)
{
    return soilRecord(name, "1", "0.5", rain, irrigation);
}

std::size_t cells(const YieldTable& table)
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

std::vector<std::string> names(const FileReader& reader)
{
    std::vector<std::string> out;
    for (const auto& crop : *reader.cropCollection)
        out.push_back(crop->cropType);
    return out;
}

using Names = std::vector<std::string>;

} // namespace

TEST(FileReader, ReadsLibraryThenFallowThenCustomInFileNameOrder)
{
    TempFolder dir;
    // written out of order: the listing is sorted by file name
    dir.write("crops/2-wheat.txt", cropFile("Wheat"));
    dir.write("crops/1-corn.txt", cropFile("Corn"));
    dir.write("crops/custom/b.txt", cropFile("Barley"));
    dir.write("crops/custom/a.txt", cropFile("Amaranth"));

    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    EXPECT_EQ(names(reader), (Names{"Corn", "Wheat", "Fallow", "Amaranth", "Barley"}));
    const auto& crops = *reader.cropCollection;
    EXPECT_FALSE(crops.Item(1)->Custom);
    EXPECT_FALSE(crops.Item(2)->Custom);
    EXPECT_FALSE(crops.Item(3)->Custom);
    EXPECT_TRUE(crops.Item(4)->Custom);
    EXPECT_TRUE(crops.Item(5)->Custom);

    const auto& fallow = *crops.Item(3);
    EXPECT_EQ(fallow.cropUnits, "");
    EXPECT_EQ(fallow.cropUnitsArray, (Names{"", ""}));
    EXPECT_TRUE(fallow.yieldTable.empty());

    EXPECT_EQ(reader.fileDirectory, (dir.path() / "crops" / "custom").string());
    ASSERT_EQ(reader.fileCollection.size(), 4u);
    EXPECT_EQ(reader.fileCollection[0].filename(), "1-corn.txt");
    EXPECT_EQ(reader.fileCollection[3].filename(), "b.txt");
}

TEST(FileReader, EveryCallStartsANewLibrary)
{
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    const auto firstCorn = reader.cropCollection->Item(1);
    firstCorn->price = 6.5;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    EXPECT_EQ(names(reader), (Names{"Corn", "Fallow"}));
    EXPECT_NE(reader.cropCollection->Item(1), firstCorn);
    EXPECT_EQ(reader.cropCollection->Item(1)->price, 0.0);
}

TEST(FileReader, FallowFollowsTheCropsReadNotTheFiles)
{
    const std::string eightLines = "CROP=Bad\r\n\r\nUNITS=a,b\r\n\r\nANNUAL_RAIN=10,11,12\r\n\r\nEFF_IRRIG=0,1\r\n\r\n";
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
        Names expected;
    };
    const std::vector<Case> cases = {
        {"a failing library file moves Fallow after the first custom crop",
         {{"crops/a.txt", cropFile("Corn")},
          {"crops/b.txt", eightLines},
          {"crops/c.txt", cropFile("Wheat")},
          {"crops/custom/x.txt", cropFile("Barley")},
          {"crops/custom/y.txt", cropFile("Rye")}},
         {"Corn", "Wheat", "Barley", "Fallow", "Rye"}},
        {"three failing library files and one custom crop: no Fallow",
         {{"crops/a.txt", eightLines},
          {"crops/b.txt", eightLines},
          {"crops/c.txt", eightLines},
          {"crops/custom/x.txt", cropFile("Barley")}},
         {"Barley"}},
        {"an empty library folder: no Fallow", {{"crops/custom/x.txt", cropFile("Barley")}}, {"Barley"}},
        {"the folder placeholder is neither read nor counted",
         {{"crops/corn.txt", cropFile("Corn")}, {"crops/.gitkeep", ""}, {"crops/custom/.gitkeep", ""}},
         {"Corn", "Fallow"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        std::filesystem::create_directories(dir.path() / "crops");
        for (const auto& [path, text] : c.files)
            dir.write(path, text);
        FileReader reader;
        ASSERT_TRUE(reader.Initialize(dir.path()));
        EXPECT_EQ(names(reader), c.expected);
    }
}

TEST(FileReader, FoldersMissingOrInTheWay)
{
    {
        TempFolder dir; // no crops folder: an empty library the caller reports
        FileReader reader;
        EXPECT_FALSE(reader.Initialize(dir.path()));
        EXPECT_EQ(reader.cropCollection->Count(), 0);
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "crops"));
    }
    {
        TempFolder dir; // the custom folder is created when missing
        dir.write("crops/corn.txt", cropFile("Corn"));
        FileReader reader;
        EXPECT_TRUE(reader.Initialize(dir.path()));
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "crops" / "custom"));
        EXPECT_EQ(names(reader), (Names{"Corn", "Fallow"}));
    }
    // A custom folder that cannot be made or read: the shipped crops alone, and the system's reason.
    // A plain file named custom in crops is a library file too: it reads as no crop, which keeps "Fallow" out.
    const std::tuple<const char*, std::string, Names> unusable[] = {
        {"a file where the custom folder belongs", "Not a directory", {"Corn"}},
        {"a custom folder that links to itself", "Too many levels of symbolic links", {"Corn", "Fallow"}},
    };
    for (const auto& [what, reason, expected] : unusable) {
        SCOPED_TRACE(what);
        TempFolder dir;
        dir.write("crops/corn.txt", cropFile("Corn"));
        if (reason == "Not a directory")
            dir.write("crops/custom", "not a folder");
        else
            fs::create_symlink("custom", dir.path() / "crops" / "custom");
        FileReader reader;
        EXPECT_TRUE(reader.Initialize(dir.path()));
        EXPECT_EQ(names(reader), expected);
        EXPECT_EQ(reader.customFolderProblem, reason);

        fs::remove(dir.path() / "crops" / "custom");
        EXPECT_TRUE(reader.Initialize(dir.path()));
        EXPECT_EQ(reader.customFolderProblem, "") << "a later reading finds the folder usable again";
    }
}

TEST(FileReader, ShippedCropsAndSoilsComeFromTheDataFolderCustomCropsFromTheUserFolder)
{
    TempFolder data("korvel-data");
    TempFolder home("korvel-home");
    data.write("crops/corn.txt", cropFile("Corn"));
    data.write("crops/soils/corn.txt", soilRecord("Ulysses"));
    data.write("crops/custom/left-behind.txt", cropFile("Stale")); // an earlier version's place: not read
    const fs::path user = home.path() / "Korvel";                  // made by the first use

    FileReader reader;
    ASSERT_TRUE(reader.Initialize(data.path(), user));
    EXPECT_EQ(names(reader), (Names{"Corn", "Fallow"}));
    EXPECT_TRUE(fs::is_directory(user / "crops" / "custom"));
    EXPECT_EQ(reader.fileDirectory, (user / "crops" / "custom").string());
    EXPECT_EQ(reader.cropCollection->Item(1)->soil_ulysses->Count(), 2);

    home.write("Korvel/crops/custom/barley.txt", cropFile("Barley"));
    ASSERT_TRUE(reader.Initialize(data.path(), user));
    EXPECT_EQ(names(reader), (Names{"Corn", "Fallow", "Barley"}));
    EXPECT_TRUE(reader.cropCollection->Item(3)->Custom);

    // A user folder that cannot be made: the shipped library all the same, and the reader says why.
    home.write("blocked", "a file where the user's folder belongs");
    EXPECT_TRUE(reader.Initialize(data.path(), home.path() / "blocked"));
    EXPECT_EQ(names(reader), (Names{"Corn", "Fallow"}));
    EXPECT_EQ(reader.customFolderProblem, "Not a directory");
    EXPECT_EQ(reader.fileDirectory, (home.path() / "blocked" / "crops" / "custom").string());
}

TEST(FileReader, OnlyTheCustomFolderMarksCropsCustom)
{
    // An installation path that happens to contain "custom" leaves the library crops library crops.
    TempFolder dir("customer");
    dir.write("crops/corn.txt", cropFile("Corn"));
    dir.write("crops/custom-looking name.txt", cropFile("Wheat"));
    dir.write("crops/custom/x.txt", cropFile("Barley"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    ASSERT_EQ(names(reader), (Names{"Corn", "Wheat", "Fallow", "Barley"}));
    EXPECT_FALSE(reader.cropCollection->Item(1)->Custom);
    EXPECT_FALSE(reader.cropCollection->Item(2)->Custom);
    EXPECT_TRUE(reader.cropCollection->Item(4)->Custom);
}

TEST(FileReader, ParseEqualsTakesEverythingAfterTheFirstEquals)
{
    EXPECT_EQ(FileReader::parseEquals("CROP=Corn"), "Corn");
    EXPECT_EQ(FileReader::parseEquals("A=b=c"), "b=c");
    EXPECT_EQ(FileReader::parseEquals("KEY="), "");
    EXPECT_EQ(FileReader::parseEquals("=x"), "x");
    EXPECT_EQ(FileReader::parseEquals("CROP= Grain Sorghum "), " Grain Sorghum ");
    EXPECT_THROW(FileReader::parseEquals("CROP Corn"), CropFileError);
    EXPECT_THROW(FileReader::parseEquals(""), CropFileError);
}

TEST(FileReader, MakeYieldArrayLaysValuesFromTheFirstRainfallColumn)
{
    const YieldTable t = FileReader::makeYieldArray("10,11,12", "0,1", "1,2,3,4,5,6");
    ASSERT_EQ(t.size(), 2u);
    ASSERT_EQ(t[0].size(), 13u);
    for (std::size_t c = 0; c < 10; ++c) {
        EXPECT_EQ(t[0][c], 0.0);
        EXPECT_EQ(t[1][c], 0.0);
    }
    EXPECT_EQ((std::vector<double>(t[0].begin() + 10, t[0].end())), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ((std::vector<double>(t[1].begin() + 10, t[1].end())), (std::vector<double>{4, 5, 6}));

    // fewer values leave zeros; values read leniently; the middle list entries are never looked at
    const YieldTable few = FileReader::makeYieldArray("10,rain,12", "0,?,1", "12abc,abc,,4.5,5");
    EXPECT_EQ(few[0][10], 12.0);
    EXPECT_EQ(few[0][11], 0.0);
    EXPECT_EQ(few[0][12], 0.0);
    EXPECT_EQ(few[1][10], 4.5);
    EXPECT_EQ(few[1][11], 5.0);
    EXPECT_EQ(few[1][12], 0.0);

    // no values at all: an empty table of the right size
    const YieldTable none = FileReader::makeYieldArray("11,21", "0,24", "");
    EXPECT_EQ(none.size(), 25u);
    EXPECT_EQ(none[24].size(), 22u);

    // list ends rounded to whole inches, halves to even
    EXPECT_EQ(FileReader::makeYieldArray("10,12.5", "0,1.5", "").size(), 3u);
    EXPECT_EQ(FileReader::makeYieldArray("10,12.5", "0,1.5", "")[0].size(), 13u);
}

TEST(FileReader, MakeYieldArrayRejectsWhatDoesNotFit)
{
    struct Case {
        const char* rain;
        const char* irrigation;
        const char* values;
        bool indexError; // else CropFileError
    };
    const Case cases[] = {
        {"10,11,12", "0,1", "1,2,3,4,5,6,7", true}, // one value too many
        {"10,11,12", "0,1", "1,2,3,4,5,6,", true},  // a trailing comma is one more (empty) value
        {"12,11,10", "0,1", "1", true},             // first rainfall past the last column
        {"-1,2", "0,1", "1", true},                 // a negative first column
        {"10,12.4", "0,1", "1,2,3,4", true},        // a last rainfall no column equals: runs past the row
        {"ten,11,12", "0,1", "1", false},           // the entries that are used must be numbers
        {"10,11,twelve", "0,1", "1", false},
        {"10,11,12", "0,one", "1", false},
        {"", "0,1", "1", false},
        {"10,11,12", "", "1", false},
        {"10,11,12", "0,-1", "", false},      // no rows
        {"10,11,12", "0,1000000", "", false}, // an absurd table size
        {"10,1e300", "0,1", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rain) + " | " + c.irrigation + " | " + c.values);
        if (c.indexError)
            EXPECT_THROW(FileReader::makeYieldArray(c.rain, c.irrigation, c.values), IndexError);
        else
            EXPECT_THROW(FileReader::makeYieldArray(c.rain, c.irrigation, c.values), CropFileError);
    }
}

TEST(FileReader, UnitsAlwaysGiveASingularAndAPlural)
{
    TempFolder dir;
    dir.write("crops/a.txt", cropFile("Alfalfa", "ton,tons"));
    dir.write("crops/b.txt", cropFile("Beans", "bu."));
    dir.write("crops/c.txt", cropFile("Clover", ""));
    dir.write("crops/d.txt", cropFile("Dill", "a,b,c"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    const auto& crops = *reader.cropCollection;
    EXPECT_EQ(crops.Item(1)->cropUnitsArray, (Names{"ton", "tons"}));
    EXPECT_EQ(crops.Item(1)->cropUnits, "ton,tons");
    EXPECT_EQ(crops.Item(2)->cropUnitsArray, (Names{"bu.", ""}));
    EXPECT_EQ(crops.Item(2)->cropUnits, "bu.");
    EXPECT_EQ(crops.Item(3)->cropUnitsArray, (Names{"", ""}));
    EXPECT_EQ(crops.Item(4)->cropUnitsArray, (Names{"a", "b", "c"}));
}

TEST(FileReader, DamagedCropFilesAreReadAsWrittenOrSkipped)
{
    const std::string good = cropFile("Good");
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
    std::string manyValues = "1";
    for (int i = 0; i < 2000000; ++i)
        manyValues += ",1";
    const std::size_t twentyMegabytes = 20'000'000;

    struct Case {
        const char* what;
        std::string text;
        bool read;
    };
    const std::vector<Case> cases = {
        {"empty file", "", false},
        {"truncated after line 5", "CROP=T\r\n\r\nUNITS=a,b\r\n\r\nANNUAL_RAIN=10,11,12\r\n", false},
        {"eight lines", good.substr(0, good.rfind("YIELD")), false},
        {"line 9 without its line end", good.substr(0, good.size() - 2), true},
        {"LF line ends", "CROP=Good\n\nUNITS=a,b\n\nANNUAL_RAIN=10,11,12\n\nEFF_IRRIG=0,1\n\nYIELD_VALUES=1,2\n", true},
        {"a key line without =",
         "CROP Good\r\n\r\nUNITS=a,b\r\n\r\nANNUAL_RAIN=10,11,12\r\n\r\nEFF_IRRIG=0,1\r\n\r\n"
         "YIELD_VALUES=1\r\n",
         false},
        {"nine empty lines", "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n", false},
        {"non-numeric rainfall", cropFile("Good").replace(good.find("10,11,12"), 8, "10,11,xx"), false},
        {"too many values", cropFile("Good", "a,b", "1,2,3,4,5,6,7"), false},
        {"too few values", cropFile("Good", "a,b", "1,2"), true},
        {"non-numeric values", cropFile("Good", "a,b", "x,y,z"), true},
        {"a value too large for a number", cropFile("Good", "a,b", "1,1e999"), false},
        {"binary garbage", garbage, false},
        {"a huge line of values", cropFile("Good", "a,b", manyValues), false},
        {"megabytes after line 9", good + std::string(twentyMegabytes, 'x'), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        dir.write("crops/1.txt", cropFile("Corn"));
        dir.write("crops/2.txt", c.text);
        FileReader reader;
        ASSERT_TRUE(reader.Initialize(dir.path()));
        if (c.read)
            EXPECT_EQ(names(reader), (Names{"Corn", "Good", "Fallow"}));
        else
            EXPECT_EQ(names(reader), (Names{"Corn"})); // one crop read of two library files: no Fallow
    }
}

TEST(FileReader, SoilRecordsAttachByNameInLowerCase)
{
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    dir.write("crops/soils/corn.txt", soilRecord("Ulysses") + soilRecord("Sandy") + soilRecord("VALENT", "1,1") +
                                          soilRecord("valentine") + soilRecord("Valent", "2,2"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    const auto& corn = *reader.cropCollection->Item(1);
    ASSERT_EQ(corn.soil_ulysses->Count(), 2);
    EXPECT_EQ(corn.soil_ulysses->Item("yield")[1][12], 60.0);
    EXPECT_EQ(corn.soil_ulysses->Item("relative")[1][12], 0.6);
    EXPECT_EQ(corn.soil_ulysses->Item(2)[0][10], 0.1);
    ASSERT_EQ(corn.soil_valentine->Count(), 2);
    ASSERT_EQ(corn.soil_valent->Count(), 2);
    EXPECT_EQ(corn.soil_valent->Item("yield")[0][10], 2.0); // the later record replaced the earlier
    // Fallow and crops without a soil file have empty collections
    EXPECT_EQ(reader.cropCollection->Item(2)->soil_ulysses->Count(), 0);
}

TEST(FileReader, ACustomCropNamedLikeALibraryCropKeepsItsOwnTable)
{
    // The soil file belongs to the library crop of that name; a custom "corn" of the user's own would otherwise
    // have its table replaced by the library crop's soil table in every run.
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    dir.write("crops/custom/corn.txt", cropFile("corn"));
    dir.write("crops/custom/oats.txt", cropFile("Oats"));
    dir.write("crops/soils/corn.txt", soilRecord("Ulysses"));
    dir.write("crops/soils/oats.txt", soilRecord("Ulysses"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    ASSERT_EQ(names(reader), (Names{"Corn", "Fallow", "corn", "Oats"}));
    EXPECT_EQ(reader.cropCollection->Item(1)->soil_ulysses->Count(), 2);
    EXPECT_EQ(reader.cropCollection->Item(3)->soil_ulysses->Count(), 0);
    EXPECT_EQ(reader.cropCollection->Item(4)->soil_ulysses->Count(), 2) << "a custom crop's own soil file is read";
}

TEST(FileReader, AFailingSoilRecordKeepsTheRecordsBeforeIt)
{
    struct Case {
        const char* what;
        std::string tail;
    };
    const std::vector<Case> cases = {
        {"an empty line after the last record", "\r\n"},
        {"a line without =", "SOIL Valent\r\nA=1\r\nB=0\r\nC=1\r\nD=1\r\n"},
        {"a record cut short", "SOIL=Valent\r\nANNUAL_RAIN=10,11,12\r\n"},
        {"too many values", soilRecord("Valent", "1,2,3,4,5,6,7")},
        {"non-numeric irrigation", "SOIL=Valent\r\nANNUAL_RAIN=10,12\r\nEFF_IRRIG=0,x\r\nY=1\r\nR=1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        dir.write("crops/corn.txt", cropFile("Corn"));
        dir.write("crops/soils/corn.txt", soilRecord("Ulysses") + c.tail + soilRecord("Valentine"));
        FileReader reader;
        ASSERT_TRUE(reader.Initialize(dir.path()));
        ASSERT_EQ(names(reader), (Names{"Corn", "Fallow"}));
        const auto& corn = *reader.cropCollection->Item(1);
        EXPECT_EQ(corn.soil_ulysses->Count(), 2);
        EXPECT_EQ(corn.soil_valent->Count(), 0);
        EXPECT_EQ(corn.soil_valentine->Count(), 0); // reading stopped at the failure
    }
}

TEST(FileReader, ListFilesIsSortedAndLeavesOutFoldersThePlaceholderAndTemporaryFiles)
{
    TempFolder dir;
    dir.write("b", "");
    dir.write("A", "");
    dir.write("a.txt", "");
    dir.write(".gitkeep", "");
    dir.write(".hidden.txt", "");
    dir.write("a.txt.tmp", "");
    dir.write("a.txt.3.tmp", "");
    dir.write("a.txt.kvl-x1Y2z3.tmp", "");
    dir.write("notes.tmp", "");
    std::filesystem::create_directories(dir.path() / "sub");
    std::vector<std::string> found;
    for (const auto& p : FileReader::listFiles(dir.path()))
        found.push_back(p.filename().string());
    EXPECT_EQ(found, (Names{".hidden.txt", "A", "a.txt", "b"}));
    EXPECT_TRUE(FileReader::listFiles(dir.path() / "missing").empty());
}

TEST(FileReader, TheSoilFileIsAPlainNameInsideTheSoilsFolder)
{
    const fs::path soils = "/program/crops/soils";
    EXPECT_EQ(FileReader::soilFile(soils, "Grain Sorghum"), soils / "grain sorghum.txt");
    EXPECT_EQ(FileReader::soilFile(soils, ".."), soils / "...txt"); // a plain, if odd, name
    EXPECT_EQ(FileReader::soilFile(soils, ""), soils / ".txt");
    for (const std::string& name : {std::string("../../x"), std::string("/etc/passwd"), std::string("a/b"),
                                    std::string("..\\x"), "corn\0/../../x"s})
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

TEST(FileReader, TablesAreAtMostAHundredInchesEachWay)
{
    const std::string largest = "0," + std::to_string(FileReader::kLargestTableInch);
    const YieldTable table = FileReader::makeYieldArray(largest, largest, "1");
    EXPECT_EQ(table.size(), 101u);
    EXPECT_EQ(table[100].size(), 101u);
    const std::string tooLarge = "0," + std::to_string(FileReader::kLargestTableInch + 1);
    EXPECT_THROW(FileReader::makeYieldArray(tooLarge, largest, "1"), CropFileError);
    EXPECT_THROW(FileReader::makeYieldArray(largest, tooLarge, "1"), CropFileError);

    // Small files declaring huge tables are skipped, whatever their number.
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    for (int i = 0; i < 200; ++i)
        dir.write("crops/custom/" + std::to_string(i) + ".txt", sizedCropFile("Huge", "0,1000", "0,1000"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    EXPECT_EQ(names(reader), (Names{"Corn", "Fallow"}));
}

TEST(FileReader, TheLibraryHoldsAtMostItsTableCellsAndCrops)
{
    // Full-size custom crops with three full-size soil records each fill the library: the crop that no longer
    // fits is skipped, and so is every full-size one after it, while a small one at the end still fits.
    TempFolder dir;
    dir.write("crops/corn.txt", cropFile("Corn"));
    const std::string full = "0," + std::to_string(FileReader::kLargestTableInch);
    for (int i = 100; i < 300; ++i) {
        const std::string name = "Big " + std::to_string(i);
        dir.write("crops/custom/" + std::to_string(i) + ".txt", sizedCropFile(name, full, full));
        dir.write("crops/soils/" + FileReader::soilFile("", name)->string(),
                  sizedSoilRecord("Ulysses", full, full) + sizedSoilRecord("Valent", full, full) +
                      sizedSoilRecord("Valentine", full, full));
    }
    dir.write("crops/custom/x.txt", cropFile("Rye"));
    FileReader reader;
    ASSERT_TRUE(reader.Initialize(dir.path()));
    const std::size_t fullCrop = std::size_t{7} * 101 * 101; // its own table and six soil tables
    const std::size_t fitting = (FileReader::kMostTableCells - 26) / fullCrop;
    Names expected = {"Corn", "Fallow"};
    for (std::size_t i = 0; i < fitting; ++i)
        expected.push_back("Big " + std::to_string(100 + i));
    expected.push_back("Rye");
    EXPECT_EQ(names(reader), expected);
    EXPECT_EQ(reader.cropCollection->Item(3)->soil_valentine->Count(), 2);
    const std::size_t held = libraryCells(reader);
    EXPECT_LE(held, FileReader::kMostTableCells);
    EXPECT_GT(held + std::size_t{101} * 101, FileReader::kMostTableCells) << "the library was filled up";

    // Past the most crops, the files are not read.
    TempFolder many;
    many.write("crops/corn.txt", cropFile("Corn"));
    for (std::size_t i = 0; i < FileReader::kMostCrops + 5; ++i)
        many.write("crops/custom/" + std::to_string(10000 + i) + ".txt", cropFile("C" + std::to_string(i)));
    ASSERT_TRUE(reader.Initialize(many.path()));
    ASSERT_EQ(reader.cropCollection->Count(), static_cast<long>(FileReader::kMostCrops) + 1); // with Fallow
    EXPECT_EQ(reader.cropCollection->Item(reader.cropCollection->Count())->cropType,
              "C" + std::to_string(FileReader::kMostCrops - 2));
    EXPECT_EQ(reader.filesLeftOut, 6u) << "the files not read are counted";
    TempFolder few;
    few.write("crops/corn.txt", cropFile("Corn"));
    ASSERT_TRUE(reader.Initialize(few.path()));
    EXPECT_EQ(reader.filesLeftOut, 0u) << "a new reading counts afresh";
}

TEST(FileReader, ALineLongerThanACropFileNeedsFailsItsFile)
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
