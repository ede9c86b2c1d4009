// The inputs file: its lines, the reading rule, and loading into a fake main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "FakeInputsWindow.h"
#include "TempFolder.h"
#include "faults/InjectedFault.h"
#include "model/InputsFile.h"
#include "model/InputsItems.h"

using korvel::Crop;
using korvel::CropScenario;
using korvel::InputsTarget;
using korvel::Variant;
using korvel::testing::FakeWindow;
using korvel::testing::InjectedFault;
using korvel::testing::TempFolder;
namespace InputsFile = korvel::InputsFile;

namespace {

using MainBox = InputsTarget::MainBox;
using IrrigationBox = InputsTarget::IrrigationBox;

// A window with typed general inputs and committed pumping costs.
void fillGeneral(FakeWindow& w)
{
    w.main[MainBox::txtArea] = "160";
    w.main[MainBox::txtMax] = "12";
    w.main[MainBox::txtEff] = "85.50";
    w.main[MainBox::txtAnnRain] = "18";
    w.preset = 2;
    w.irrigation.GPM = 750;
    w.irrigation.Lift = 120;
    w.irrigation.PSI = 35;
    w.irrigation.LaborPerHour = 10;
    w.irrigation.FixedPerAcre = 1.5;
    w.irrigation.RepairsPerAcreInch = 0.33;
    w.irrigation.NPC = 61.7;
    w.irrigation.cost = 5.1;
    w.irrigation.active = true;
    w.irrigation.FuelType = "Natural Gas";
    w.irrigation.dblEstHours = 1800;
}

void fillCosts(Crop& c, double price, double maxYield)
{
    c.price = price;
    c.maxYield = maxYield;
    auto& ic = c.inputCosts;
    ic.NitrogenCost = 0.44;
    ic.NitrogenApplied = 180;
    ic.NOptimal = true;
    ic.PCost = 0.8;
    ic.SeedRate = 32000;
    ic.SeedOptimal = true;
    ic.Tillage = 31.26;
    ic.HarvestBasePerAcre = 28.58;
    ic.HarvestExceedBu = 74;
    ic.HarvestHauling = "by the load";
    ic.AlfalfaStand = 3;
    ic.MiscCost = 12.5;
    ic.FertilizerApplication = 5.12;
}

void expectSameCosts(const Crop& got, const Crop& want)
{
    EXPECT_EQ(got.price, want.price);
    EXPECT_EQ(got.maxYield, want.maxYield);
    const auto& a = got.inputCosts;
    const auto& b = want.inputCosts;
    EXPECT_EQ(a.NitrogenCost, b.NitrogenCost);
    EXPECT_EQ(a.NitrogenApplied, b.NitrogenApplied);
    EXPECT_EQ(a.NOptimal, b.NOptimal);
    EXPECT_EQ(a.PCost, b.PCost);
    EXPECT_EQ(a.POptimal, b.POptimal);
    EXPECT_EQ(a.SeedRate, b.SeedRate);
    EXPECT_EQ(a.SeedOptimal, b.SeedOptimal);
    EXPECT_EQ(a.Tillage, b.Tillage);
    EXPECT_EQ(a.HarvestBasePerAcre, b.HarvestBasePerAcre);
    EXPECT_EQ(a.HarvestExceedBu, b.HarvestExceedBu);
    EXPECT_EQ(a.HarvestExceedRate, b.HarvestExceedRate);
    EXPECT_EQ(a.HarvestHauling, b.HarvestHauling);
    EXPECT_EQ(a.AlfalfaStand, b.AlfalfaStand);
    EXPECT_EQ(a.MiscCost, b.MiscCost);
    EXPECT_EQ(a.FertilizerApplication, b.FertilizerApplication);
}

// The names in the folder, sorted.
std::vector<std::string> folderNames(const TempFolder& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start) + "<no line end>");
            break;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

// The items of a text by the reading rule, each shown as n:<number>, t:<text> or e.
std::vector<std::string> items(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    while (!InputsFile::atEnd(in)) {
        const Variant v = InputsFile::readValue(in);
        out.push_back(v.isEmpty() ? "e" : v.isNumber() ? "n:" + v.toString() : "t:" + v.toString());
    }
    return out;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(InputsFile, ReadingRule)
{
    EXPECT_EQ(items("12\r\n"), (Lines{"n:12"}));
    EXPECT_EQ(items("\r\n\r\n"), (Lines{"e", "e"}));
    EXPECT_EQ(items("1,500\r\n"), (Lines{"n:1", "n:500"}));
    EXPECT_EQ(items("1,,2\r\n"), (Lines{"n:1", "e", "n:2"}));
    EXPECT_EQ(items("  85.50  \r\nNatural Gas\r\n"), (Lines{"n:85.5", "t:Natural Gas"}));
    EXPECT_EQ(items("  Barley  ,x \r\n"), (Lines{"t:Barley  ", "t:x "})); // blanks after a text are part of it
    EXPECT_EQ(items("True\r\nfalse\r\n"), (Lines{"t:True", "t:false"}));
    EXPECT_EQ(items("\"a, b\" ,c\r\n"), (Lines{"t:a, b", "t:c"}));
    EXPECT_EQ(items("\"12\"\r\n"), (Lines{"t:12"}));
    EXPECT_EQ(items("\"say \"\"hi\"\"\",x\r\n"), (Lines{"t:say \"hi\"", "t:x"})); // a doubled quote stands for one
    EXPECT_EQ(items("-2.5E+3\r\n1e400x\r\n"), (Lines{"n:-2500", "t:1e400x"}));
    EXPECT_EQ(items("a\rb\nc"), (Lines{"t:a", "t:b", "t:c"})); // CR, LF, or none at the end
    std::istringstream empty("");
    EXPECT_THROW(InputsFile::readValue(empty), InputsFile::ReadPastEnd);
}

TEST(InputsFile, SavesOneValuePerLineAndReadsItBack)
{
    TempFolder dir;
    FakeWindow saved;
    fillGeneral(saved);
    fillCosts(*saved.addCrop("Corn"), 6.52, 220);
    fillCosts(*saved.addCrop("Wheat"), 6.2, 75);
    saved.addCrop("Fallow");
    saved.batch = true;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), saved));

    const std::string text = dir.read("inputs.txt");
    const Lines l = lines(text);
    ASSERT_EQ(l.size(), 5u + 11u + 3u * 34u + 1u);
    EXPECT_EQ((Lines(l.begin(), l.begin() + 5)), (Lines{"2", "160", "12", "85.50", "18"}));
    EXPECT_EQ((Lines(l.begin() + 5, l.begin() + 16)),
              (Lines{"750", "120", "35", "10", "1.5", "0.33", "61.7", "5.1", "True", "Natural Gas", "1800"}));
    EXPECT_EQ(l[16], "Corn");
    EXPECT_EQ(l[17], "6.52");
    EXPECT_EQ(l[18], "220");
    EXPECT_EQ(l[50], "Wheat");
    EXPECT_EQ(l[84], "Fallow");
    EXPECT_EQ(l.back(), "batch_enabled");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "inputs.txt.tmp"));

    FakeWindow loaded;
    const auto corn = loaded.addCrop("Corn");
    const auto wheat = loaded.addCrop("Wheat");
    loaded.addCrop("Fallow");
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), loaded));
    EXPECT_EQ(loaded.log, (Lines{"txtAnnRain=18", "txtEff=85.5", "Option1(2)", "txtArea=160", "txtMax=12", "txtGPM=750",
                                 "txtEstHours=1800", "txtLift=120", "txtPSI=35", "cboFuelType=Natural Gas",
                                 "txtCost=5.1", "txtLaborPerHour=10", "txtRepairsPerAcre=0.33"}));
    EXPECT_EQ(loaded.irrigation.FixedPerAcre, 1.5);
    EXPECT_EQ(loaded.irrigation.NPC, 61.7);
    EXPECT_TRUE(loaded.irrigation.active);
    expectSameCosts(*corn, *saved.library->Item(1));
    expectSameCosts(*wheat, *saved.library->Item(2));
    EXPECT_EQ(loaded.refreshes, 1);
    EXPECT_TRUE(loaded.batch);
    EXPECT_EQ(loaded.MainInputs.totalAcres, Variant(160));
    EXPECT_EQ(loaded.MainInputs.irrigEff, Variant(85.5));

    // Saving what was loaded gives the same file, apart from the efficiency now shown as 85.5.
    loaded.library = saved.library;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), loaded));
    std::string again = text;
    again.replace(again.find("85.50"), 5, "85.5");
    EXPECT_EQ(dir.read("inputs.txt"), again);
}

TEST(InputsFile, NoFileChangesNothing)
{
    TempFolder dir;
    FakeWindow w;
    fillGeneral(w);
    const auto corn = w.addCrop("Corn");
    corn->price = 7;
    EXPECT_FALSE(InputsFile::loadInputs(dir.path(), w));
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(w.irrigation.GPM, 750);
    EXPECT_EQ(corn->price, 7);
    EXPECT_EQ(w.refreshes, 0);
    EXPECT_FALSE(w.batch);
}

TEST(InputsFile, BlocksOfUnknownCropsArePassedOverAndKnownCropsWithoutBlocksKeepTheirValues)
{
    TempFolder dir;
    FakeWindow saved;
    fillGeneral(saved);
    fillCosts(*saved.addCrop("Corn"), 6.52, 220);
    fillCosts(*saved.addCrop("Wheat"), 6.2, 75);
    saved.addCrop("Fallow");
    auto barley = saved.addCrop("Barley"); // a custom crop deleted before the next start
    fillCosts(*barley, 4, 90);
    barley->inputCosts.HarvestHauling = "";
    saved.batch = true;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), saved));

    FakeWindow loaded;
    const auto corn = loaded.addCrop("Corn");
    const auto sorghum = loaded.addCrop("Grain Sorghum"); // a library crop newer than the file
    sorghum->price = 5.75;
    sorghum->inputCosts.Tillage = 9;
    const auto wheat = loaded.addCrop("Wheat");
    loaded.addCrop("Fallow");
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), loaded));
    expectSameCosts(*corn, *saved.library->Item(1));
    expectSameCosts(*wheat, *saved.library->Item(2));
    EXPECT_EQ(sorghum->price, 5.75);
    EXPECT_EQ(sorghum->inputCosts.Tillage, 9);
    EXPECT_TRUE(loaded.batch); // the line after Barley's 34 lines is still read
    EXPECT_EQ(loaded.refreshes, 1);
}

TEST(InputsFile, ACropNameEndingInABlankGetsItsBlockBack)
{
    TempFolder dir;
    FakeWindow saved;
    fillGeneral(saved);
    fillCosts(*saved.addCrop("Barley "), 4, 90); // a crop file's name is kept as it stands
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), saved));

    FakeWindow loaded;
    const auto barley = loaded.addCrop("Barley ");
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), loaded));
    expectSameCosts(*barley, *saved.library->Item(1));
}

TEST(InputsFile, LoadingNeverSwitchesTrendProcessingOff)
{
    TempFolder dir;
    FakeWindow saved;
    fillGeneral(saved);
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), saved));
    EXPECT_EQ(lines(dir.read("inputs.txt")).size(), 16u);
    FakeWindow loaded;
    loaded.batch = true;
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), loaded));
    EXPECT_TRUE(loaded.batch);
}

TEST(InputsFile, TextsTheReadingRuleWouldNotGiveBackAreQuotedAndComeBack)
{
    TempFolder dir;
    FakeWindow saved;
    fillGeneral(saved);
    saved.main[MainBox::txtArea] = "1,500";
    saved.main[MainBox::txtMax] = " 12"; // reads as the number 12: written as typed
    saved.irrigation.FuelType = "Gas, LP";
    fillCosts(*saved.addCrop("Corn"), 6.52, 220);
    fillCosts(*saved.addCrop("007"), 4, 90);
    fillCosts(*saved.addCrop("\"Red\", early"), 3.5, 80);
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), saved));
    const Lines l = lines(dir.read("inputs.txt"));
    EXPECT_EQ((Lines(l.begin(), l.begin() + 5)), (Lines{"2", "\"1,500\"", " 12", "85.50", "18"}));
    EXPECT_EQ(l[14], "\"Gas, LP\"");
    EXPECT_EQ(l[16], "Corn");
    EXPECT_EQ(l[50], "\"007\"");
    EXPECT_EQ(l[84], "\"\"\"Red\"\", early\"");

    FakeWindow loaded;
    const auto corn = loaded.addCrop("Corn");
    const auto bond = loaded.addCrop("007");
    const auto red = loaded.addCrop("\"Red\", early");
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), loaded));
    EXPECT_EQ(loaded.mainText(MainBox::txtArea), "1,500");
    EXPECT_EQ(loaded.mainText(MainBox::txtMax), "12");
    EXPECT_EQ(loaded.mainText(MainBox::txtEff), "85.5");
    EXPECT_EQ(loaded.irrigation.FuelType, "Gas, LP");
    EXPECT_EQ(loaded.irrigationBoxes[IrrigationBox::cboFuelType], "Gas, LP");
    EXPECT_EQ(loaded.irrigation.dblEstHours, 1800);
    expectSameCosts(*corn, *saved.library->Item(1));
    expectSameCosts(*bond, *saved.library->Item(2));
    expectSameCosts(*red, *saved.library->Item(3));
}

TEST(InputsFile, ItemsAsWritten)
{
    struct Case {
        std::string line;
        Variant value; // as the reading rule gives it back
    };
    const double largest = std::numeric_limits<double>::max();
    // A text field: plain unless the reading rule would not give the same text back.
    const std::vector<std::pair<std::string, Case>> texts = {
        {"Natural Gas", {"Natural Gas", "Natural Gas"}},
        {"Barley ", {"Barley ", "Barley "}},
        {"12\" pipe", {"12\" pipe", "12\" pipe"}},
        {"True", {"True", "True"}},
        {"7", {"7", 7}},
        {"", {"", Variant()}},
        {"Gas, LP", {"\"Gas, LP\"", "Gas, LP"}},
        {" Barley", {"\" Barley\"", " Barley"}},
        {"\"Q\"", {"\"\"\"Q\"\"\"", "\"Q\""}},
        {"007", {"\"007\"", "007"}},
        {"1.50", {"\"1.50\"", "1.50"}},
        {"a\r\nb", {"\"a\r\nb\"", "a\r\nb"}},
    };
    for (const auto& [text, c] : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(InputsFile::textItem(text), c.line);
        std::istringstream in(c.line + "\r\n");
        EXPECT_EQ(InputsFile::readValue(in), c.value);
        EXPECT_TRUE(InputsFile::atEnd(in));
    }
    // A box's text: a number in another spelling stays as typed and comes back as the same number.
    const std::vector<std::pair<std::string, std::string>> boxes = {
        {"160", "160"},
        {" 160", " 160"},
        {"85.50", "85.50"},
        {"1e3", "1e3"},
        {"abc", "abc"},
        {"", ""},
        {"1,500", "\"1,500\""},
        {"  ", "\"  \""},
        {"12,", "\"12,\""},
        {"\"12\"", "\"\"\"12\"\"\""},
        {"-0", "\"-0\""},                                   // the box would get "0" back
        {"0.12345678901234567", "\"0.12345678901234567\""}, // more digits than the box would get back
    };
    for (const auto& [text, line] : boxes) {
        SCOPED_TRACE(text);
        EXPECT_EQ(InputsFile::boxItem(Variant(text)), line);
    }
    // A number: 15 digits when they read back, else as many as it takes.
    const std::vector<std::pair<double, std::string>> numbers = {
        {6.52, "6.52"},
        {32000, "32000"},
        {1e16, "1E+16"},
        {0.0, "0"},
        {-0.0, "-0"},
        {0.1 + 0.2, "0.30000000000000004"},
        {largest, "1.7976931348623157E+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    };
    for (const auto& [x, line] : numbers) {
        SCOPED_TRACE(line);
        EXPECT_EQ(InputsFile::numberItem(x), line);
        std::istringstream in(line + "\r\n");
        EXPECT_EQ(InputsFile::readValue(in), Variant(x));
    }
    // A value kept as read comes back as the same kind of value.
    EXPECT_EQ(InputsFile::valueItem(Variant()), "");
    EXPECT_EQ(InputsFile::valueItem(Variant(28.58)), "28.58");
    EXPECT_EQ(InputsFile::valueItem(Variant("by the load")), "by the load");
    EXPECT_EQ(InputsFile::valueItem(Variant("12")), "12");
    EXPECT_EQ(InputsFile::valueItem(Variant("012")), "\"012\"");
}

TEST(InputsFile, AFileSavedByTheEarlierVersionLoadsAndIsSavedAgainAlike)
{
    // Shipped library with default costs, a custom Barley, trend processing on; Corn's price 6.525.
    std::ifstream in(std::filesystem::path(KORVEL_FIXTURES_DIR) / "inputs-earlier-version.txt", std::ios::binary);
    const std::string earlier((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(earlier.empty());
    TempFolder dir;
    dir.write("inputs.txt", earlier);

    FakeWindow w;
    for (const char* name : {"Corn", "Grain Sorghum", "Wheat", "Sunflower", "Alfalfa", "Soybeans", "Fallow", "Barley"})
        w.addCrop(name);
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), w));
    EXPECT_EQ(w.mainText(MainBox::txtArea), "1500");
    EXPECT_EQ(w.mainText(MainBox::txtEff), "85.5");
    EXPECT_EQ(w.preset, 2);
    EXPECT_EQ(w.irrigation.FuelType, "Natural Gas");
    EXPECT_EQ(w.irrigation.NPC, 61.7);
    const Crop& corn = *w.rows[0];
    EXPECT_EQ(corn.price, 6.525);
    EXPECT_EQ(corn.inputCosts.SeedRate, 31415.9265358979);
    EXPECT_EQ(corn.inputCosts.HarvestExceedRate, Variant(0.214));
    EXPECT_EQ(w.rows[4]->inputCosts.AlfalfaStand, Variant(3));
    EXPECT_EQ(w.rows[7]->inputCosts.Returns, -3.25);
    EXPECT_TRUE(w.batch);

    // Nothing in it needs quoting: the file is written again byte for byte, the efficiency as the number it read.
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), w));
    std::string expected = earlier;
    expected.replace(expected.find("\r\n85.50\r\n"), 9, "\r\n85.5\r\n");
    EXPECT_EQ(dir.read("inputs.txt"), expected);
}

TEST(InputsFile, ACropNamedLikeTheTrendMarkGetsItsBlock)
{
    for (const bool batch : {false, true}) {
        SCOPED_TRACE(batch);
        TempFolder dir;
        FakeWindow saved;
        fillGeneral(saved);
        fillCosts(*saved.addCrop("Corn"), 6.52, 220);
        fillCosts(*saved.addCrop("batch_enabled"), 4, 90);
        saved.batch = batch;
        ASSERT_TRUE(InputsFile::saveInputs(dir.path(), saved));

        FakeWindow loaded;
        loaded.addCrop("Corn");
        const auto odd = loaded.addCrop("batch_enabled");
        ASSERT_TRUE(InputsFile::loadInputs(dir.path(), loaded));
        expectSameCosts(*odd, *saved.library->Item(2));
        EXPECT_EQ(loaded.batch, batch);

        // Without a row of that name, the line switches trend processing on as it always did.
        FakeWindow without;
        without.addCrop("Corn");
        ASSERT_TRUE(InputsFile::loadInputs(dir.path(), without));
        EXPECT_TRUE(without.batch);
    }
}

TEST(InputsFile, PresetLine)
{
    struct Case {
        const char* line;
        Lines log;
        bool loaded;
    };
    const std::vector<Case> cases = {
        {"7", {"txtAnnRain=18", "txtEff=85"}, false},
        {"-1", {"txtAnnRain=18", "txtEff=85"}, false},
        {"x", {"txtAnnRain=18", "txtEff=85"}, false},
        {"", {"txtAnnRain=18", "txtEff=85", "Option1(0)", "txtArea=160", "txtMax=12"}, true},
        {"4.5", {"txtAnnRain=18", "txtEff=85", "Option1(4)", "txtArea=160", "txtMax=12"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TempFolder dir;
        dir.write("inputs.txt", std::string(c.line) + "\r\n160\r\n12\r\n85\r\n18\r\n" +
                                    "750\r\n120\r\n35\r\n10\r\n0\r\n0.33\r\n61.7\r\n5.1\r\nTrue\r\n" +
                                    "Natural Gas\r\n1800\r\n");
        FakeWindow w;
        EXPECT_EQ(InputsFile::loadInputs(dir.path(), w), c.loaded);
        const Lines firstFive(w.log.begin(), w.log.begin() + std::min<std::ptrdiff_t>(std::ssize(w.log), 5));
        EXPECT_EQ(firstFive, c.log);
        EXPECT_EQ(w.refreshes, c.loaded ? 1 : 0);
    }
}

TEST(InputsFile, CropsOfTheSameNameTakeTheirBlocksInLibraryOrder)
{
    TempFolder dir;
    FakeWindow saved;
    fillGeneral(saved);
    fillCosts(*saved.addCrop("Corn"), 6.52, 220);
    fillCosts(*saved.addCrop("Wheat"), 6.2, 75);
    fillCosts(*saved.addCrop("Corn"), 4.1, 150); // a custom crop named like the library crop
    saved.library->Item(3)->inputCosts.Tillage = 9;
    saved.batch = true;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), saved));

    FakeWindow same;
    const auto corn = same.addCrop("Corn");
    const auto wheat = same.addCrop("Wheat");
    const auto customCorn = same.addCrop("Corn");
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), same));
    expectSameCosts(*corn, *saved.library->Item(1));
    expectSameCosts(*wheat, *saved.library->Item(2));
    expectSameCosts(*customCorn, *saved.library->Item(3));

    // The custom crop deleted before the load: its block is passed over.
    FakeWindow deleted;
    const auto onlyCorn = deleted.addCrop("Corn");
    const auto wheatAgain = deleted.addCrop("Wheat");
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), deleted));
    expectSameCosts(*onlyCorn, *saved.library->Item(1));
    expectSameCosts(*wheatAgain, *saved.library->Item(2));
    EXPECT_TRUE(deleted.batch);

    // A third Corn added after the save: it has no block and keeps its values.
    const auto thirdCorn = same.addCrop("Corn");
    thirdCorn->price = 7;
    ASSERT_TRUE(InputsFile::loadInputs(dir.path(), same));
    expectSameCosts(*customCorn, *saved.library->Item(3));
    EXPECT_EQ(thirdCorn->price, 7);
}

TEST(InputsFile, IrrigationCostsActiveAsSaved)
{
    for (const char* active : {"False", "true", "0", ""}) {
        SCOPED_TRACE(active);
        TempFolder dir;
        dir.write("inputs.txt", "1\r\n160\r\n12\r\n85\r\n18\r\n750\r\n120\r\n35\r\n10\r\n0\r\n0.33\r\n61.7\r\n5.1\r\n" +
                                    std::string(active) + "\r\nNatural Gas\r\n1800\r\n");
        FakeWindow w;
        w.irrigation.active = std::string(active) == "False";
        ASSERT_TRUE(InputsFile::loadInputs(dir.path(), w));
        EXPECT_EQ(w.irrigation.active, std::string(active) == "true");
    }
}

TEST(InputsFile, AFailedSaveLeavesThePreviousFile)
{
    TempFolder dir;
    FakeWindow w;
    fillGeneral(w);
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), w));
    const std::string before = dir.read("inputs.txt");

    // a value that cannot be written as a number
    w.main[MainBox::txtArea] = "999";
    w.addCrop("Corn")->price = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(InputsFile::saveInputs(dir.path(), w));
    EXPECT_EQ(dir.read("inputs.txt"), before);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "inputs.txt.tmp"));

    // no user's folder yet: the save makes it; one that cannot be made (a file in its way) fails the save
    w.library = std::make_shared<CropScenario>();
    TempFolder home;
    EXPECT_TRUE(InputsFile::saveInputs(home.path() / "share" / "Korvel", w));
    EXPECT_EQ(lines(home.read("share/Korvel/inputs.txt"))[1], "999");
    home.write("blocked", "a file");
    EXPECT_FALSE(InputsFile::saveInputs(home.path() / "blocked", w));
    EXPECT_EQ(home.read("blocked"), "a file");

    // a folder named like a temporary file is neither used nor destroyed; the leftover of a save cut short goes
    std::filesystem::create_directory(dir.path() / "inputs.txt.tmp");
    dir.write("inputs.txt.1.tmp", "left over");
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), w));
    EXPECT_EQ(lines(dir.read("inputs.txt"))[1], "999");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "inputs.txt.tmp"));
    EXPECT_EQ(folderNames(dir), (std::vector<std::string>{"inputs.txt", "inputs.txt.tmp"}));
}

// Run with the fault library preloaded (ctest entry korvel_model_save_faults).
TEST(InputsFileSaveFaults, EveryFailingStepKeepsThePreviousFileAndLeavesNoTemporaryFile)
{
    ASSERT_TRUE(InjectedFault::available()) << "run with the fault library preloaded";
    TempFolder dir;
    FakeWindow w;
    fillGeneral(w);
    w.addCrop("Corn")->price = 4.5;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), w));
    const std::string before = dir.read("inputs.txt");

    w.main[MainBox::txtArea] = "999";
    for (const char* call : korvel::testing::kSaveFaults) {
        SCOPED_TRACE(call);
        {
            InjectedFault fault(call, "inputs.txt");
            EXPECT_FALSE(InputsFile::saveInputs(dir.path(), w));
            EXPECT_GT(fault.failures(), 0) << "the step was never taken";
        }
        EXPECT_EQ(dir.read("inputs.txt"), before);
        EXPECT_EQ(folderNames(dir), std::vector<std::string>{"inputs.txt"});
    }

    // A fault on another file leaves this save alone.
    {
        InjectedFault fault("fsync", "other.txt");
        EXPECT_TRUE(InputsFile::saveInputs(dir.path(), w));
        EXPECT_EQ(fault.failures(), 0);
    }
    EXPECT_EQ(lines(dir.read("inputs.txt"))[1], "999");
    EXPECT_EQ(folderNames(dir), std::vector<std::string>{"inputs.txt"});
}

TEST(InputsFile, ANewSaveWithoutAPresetKeepsThePreviousOne)
{
    TempFolder dir;
    FakeWindow w;
    w.preset = -1;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), w));
    EXPECT_EQ(lines(dir.read("inputs.txt"))[0], "");
    w.preset = 3;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), w));
    w.preset = -1;
    ASSERT_TRUE(InputsFile::saveInputs(dir.path(), w));
    EXPECT_EQ(lines(dir.read("inputs.txt"))[0], "3");
}
