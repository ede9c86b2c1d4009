// Trend processes and their values, the trend variables' names and units, and the fixed-trend
// recomputation of one option.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/BatchProcess.h"
#include "model/Errors.h"
#include "model/FixedTrend.h"
#include "model/TempFolder.h"
#include "model/TrendVariables.h"

using namespace korvel;

namespace {

std::vector<std::string> texts(const std::vector<Variant>& values)
{
    std::vector<std::string> out;
    out.reserve(values.size());
    for (const Variant& v : values)
        out.push_back(v.toString());
    return out;
}

using Texts = std::vector<std::string>;

BatchProcessInput autoInput(const std::string& minimum, const std::string& maximum, const std::string& steps,
                            int variable = 0)
{
    BatchProcessInput in;
    in.mode = AutoValues;
    in.minimumText = minimum;
    in.maximumText = maximum;
    in.stepsText = steps;
    in.variable = variable;
    return in;
}

BatchProcessInput manualInput(const std::string& list, int variable = 0)
{
    BatchProcessInput in;
    in.mode = ManualValues;
    in.manualText = list;
    in.variable = variable;
    return in;
}

BatchProcessInput importInput(const std::string& file)
{
    BatchProcessInput in;
    in.mode = ImportValues;
    in.fileName = file;
    return in;
}

} // namespace

// --- Values of a process --------------------------------------------------------------------------

TEST(TrendValues, RangeRunsFromMinimumToMaximumInEqualSteps)
{
    EXPECT_EQ(texts(BatchValues::range(0, 100, 5)), (Texts{"0", "25", "50", "75", "100"}));
    EXPECT_EQ(texts(BatchValues::range(3.5, 4, 2)), (Texts{"3.5", "4"}));
    EXPECT_EQ(texts(BatchValues::range(-1, 1, 3)), (Texts{"-1", "0", "1"}));
    EXPECT_THROW(BatchValues::range(0, 1, 1), InvalidArgument);
}

TEST(TrendValues, TypedListKeepsOnlyItemsThatAreNumbersAsAWhole)
{
    EXPECT_EQ(texts(BatchValues::typedList("5, word, 7, , 9")), (Texts{"5", "7", "9"}));
    EXPECT_EQ(texts(BatchValues::typedList("1 2,3x,-4.5,1E2")), (Texts{"12", "-4.5", "1E2"}));
    EXPECT_TRUE(BatchValues::typedList("a,b,,").empty());
}

TEST(TrendValues, ValueFileLinesAreJoinedWithoutASeparatorAndBlanksRemoved)
{
    korvel::testing::TempFolder folder("korvel-trend");
    struct Case {
        const char* bytes;
        Texts values;
    };
    const Case cases[] = {
        {"10,2\r\n5", {"10", "25"}},                                      // a line break does not separate two values
        {"1,2\n3\n", {"1", "23"}},   {" 4 , 5 ,6 \r\n", {"4", "5", "6"}}, // blanks go, wherever they stand
        {"1,2,", {"1", "2", ""}},                                         // nothing is dropped, not even an empty item
        {"7\t,8", {"7\t", "8"}},                                          // tabs stay
    };
    for (const Case& c : cases) {
        const auto file = folder.write("values.txt", c.bytes);
        EXPECT_EQ(texts(BatchValues::fileValues(BatchValues::readValueFile(file))), c.values) << c.bytes;
    }
    EXPECT_EQ(BatchValues::readValueFile(folder.path() / "missing.txt"), "");
}

// --- Building and checking a process --------------------------------------------------------------

TEST(TrendProcessBuild, AutoRangeKeepsTheTextsItRead)
{
    BatchProcessBuild b = makeBatchProcess(autoInput("0", "100", "5", EfficiencyVariable));
    ASSERT_TRUE(b.process);
    EXPECT_EQ(texts(b.process->GetValueArray()), (Texts{"0", "25", "50", "75", "100"}));
    EXPECT_TRUE(b.process->GetValueArray()[1].isNumber());
    EXPECT_EQ(b.process->variables_type, AutoValues);
    EXPECT_EQ(b.process->variables_min, "0");
    EXPECT_EQ(b.process->variables_max, "100");
    EXPECT_EQ(b.process->variables_steps, "5");
    EXPECT_EQ(b.process->VariableIndex, EfficiencyVariable);
    EXPECT_EQ(b.process->variables_manual, "");

    b = makeBatchProcess(autoInput("12abc", "20", "2"));
    ASSERT_TRUE(b.process);
    EXPECT_EQ(b.process->variables_min, "12");
    EXPECT_EQ(texts(b.process->GetValueArray()), (Texts{"12", "20"}));
}

TEST(TrendProcessBuild, RefusalsNameTheFirstProblem)
{
    korvel::testing::TempFolder folder("korvel-trend");
    const std::string blanks = folder.write("blanks.txt", "   \r\n").string();
    const std::string trailing = folder.write("trailing.txt", "1,2,").string();
    const std::string word = folder.write("word.txt", "1,two").string();
    std::string values = "1";
    for (std::size_t i = 1; i < BatchValues::kMostValues + 1; ++i)
        values += ",1";
    const std::string tooMany = folder.write("too-many.txt", values).string();
    const std::string tooLong =
        folder.write("too-long.txt", "1" + std::string(BatchValues::kLongestValueFile, ' ')).string();
    BatchProcessInput none;
    none.mode = -1;
    struct Case {
        const char* what;
        BatchProcessInput input;
        BatchProcessProblem problem;
        std::string item;
    };
    const Case cases[] = {
        {"maximum 0", autoInput("-10", "0", "2"), BatchProcessProblem::MaximumNotAboveMinimum, ""},
        {"maximum equal", autoInput("5", "5", "2"), BatchProcessProblem::MaximumNotAboveMinimum, ""},
        {"maximum below", autoInput("9", "3", "4"), BatchProcessProblem::MaximumNotAboveMinimum, ""},
        {"empty boxes", autoInput("", "", "2"), BatchProcessProblem::MaximumNotAboveMinimum, ""},
        {"bound too large", autoInput("1", "1e999", "2"), BatchProcessProblem::NotANumber, "1e999"},
        {"no file", importInput(""), BatchProcessProblem::NoFile, ""},
        {"missing file", importInput((folder.path() / "none.txt").string()), BatchProcessProblem::NoFile, ""},
        {"blank file", importInput(blanks), BatchProcessProblem::NotANumber, ""},
        {"trailing comma", importInput(trailing), BatchProcessProblem::NotANumber, ""},
        {"word in file", importInput(word), BatchProcessProblem::NotANumber, "two"},
        {"more values than a trend can use", importInput(tooMany), BatchProcessProblem::TooManyValues, ""},
        {"a file too long to read", importInput(tooLong), BatchProcessProblem::TooManyValues, ""},
        {"blank list", manualInput("   "), BatchProcessProblem::NoValues, ""},
        {"list of words", manualInput("a, b"), BatchProcessProblem::NoValues, ""},
        {"no mode", none, BatchProcessProblem::NoValueMode, ""},
        {"rain 10.9", manualInput("11, 10.9", RainfallVariable), BatchProcessProblem::RainfallBelow, ""},
        {"rain 21.1", manualInput("21.1", RainfallVariable), BatchProcessProblem::RainfallAbove, ""},
        {"first offender", manualInput("25, 5", RainfallVariable), BatchProcessProblem::RainfallAbove, ""},
        {"range into 10", autoInput("10", "21", "3", RainfallVariable), BatchProcessProblem::RainfallBelow, ""},
    };
    for (const Case& c : cases) {
        const BatchProcessBuild b = makeBatchProcess(c.input);
        EXPECT_FALSE(b.process) << c.what;
        EXPECT_EQ(b.problem, c.problem) << c.what;
        EXPECT_EQ(b.offendingItem, c.item) << c.what;
    }
}

TEST(TrendProcessBuild, ListsAndFilesKeepTheirTextsAndRainfallBoundsPass)
{
    BatchProcessBuild b = makeBatchProcess(manualInput("11, 16,21", RainfallVariable));
    ASSERT_TRUE(b.process);
    EXPECT_EQ(texts(b.process->GetValueArray()), (Texts{"11", "16", "21"}));
    EXPECT_TRUE(b.process->GetValueArray()[0].isText());
    EXPECT_EQ(b.process->variables_manual, "11, 16,21");
    EXPECT_EQ(b.process->variables_type, ManualValues);
    EXPECT_EQ(b.process->numericValues(), (std::vector<double>{11, 16, 21}));

    korvel::testing::TempFolder folder("korvel-trend");
    const std::string file = folder.write("prices.txt", "4.5, 5\r\n.5,6").string();
    b = makeBatchProcess(importInput(file));
    ASSERT_TRUE(b.process);
    EXPECT_EQ(texts(b.process->GetValueArray()), (Texts{"4.5", "5.5", "6"}));
    EXPECT_EQ(b.process->inputfilename, file);
    EXPECT_EQ(b.process->variables_type, ImportValues);

    // As many values as a trend can use, and no more than the file's first characters are read.
    std::string most = "1";
    for (std::size_t i = 1; i < BatchValues::kMostValues; ++i)
        most += ",2";
    b = makeBatchProcess(importInput(folder.write("most.txt", most).string()));
    ASSERT_TRUE(b.process);
    EXPECT_EQ(b.process->GetValueArray().size(), BatchValues::kMostValues);
    const auto huge = folder.write("huge.txt", std::string(3 * BatchValues::kLongestValueFile, '7'));
    EXPECT_EQ(BatchValues::readValueFile(huge).size(), BatchValues::kLongestValueFile + 1);
}

TEST(TrendProcessBuild, AutoStepsAreBroughtIntoRangeBeforeBecomingWhole)
{
    struct Case {
        const char* steps;
        std::size_t values;
    };
    const Case cases[] = {{"1e300", BatchValues::kMostValues},
                          {"40000", BatchValues::kMostValues},
                          {"-1e300", 2},
                          {"1", 2},
                          {"", 2},
                          {"3.5", 4}};
    for (const Case& c : cases) {
        const BatchProcessBuild b = makeBatchProcess(autoInput("0", "1", c.steps));
        ASSERT_TRUE(b.process) << c.steps;
        EXPECT_EQ(b.process->GetValueArray().size(), c.values) << c.steps;
        EXPECT_EQ(b.process->variables_steps, std::to_string(c.values)) << c.steps;
        EXPECT_EQ(b.process->GetValueArray().back().number(), 1.0) << c.steps;
    }
}

TEST(TrendProcess, CopyAndChangeCarryEverythingButTheContentString)
{
    BatchProcess p;
    p.SetValueArray({Variant(1.0), Variant("2")});
    p.cropIndex = 3;
    p.VariableIndex = 2;
    p.ContentString = "mine";
    p.variables_type = ManualValues;
    p.variables_min = "1";
    p.variables_max = "9";
    p.variables_steps = "4";
    p.variables_manual = "1, 2";
    p.inputfilename = "f.txt";

    const BatchProcess copy = p.Copy();
    EXPECT_EQ(copy.ContentString, "");
    BatchProcess target;
    target.ContentString = "theirs";
    target.Change(p);
    for (const BatchProcess* q : {&copy, static_cast<const BatchProcess*>(&target)}) {
        EXPECT_EQ(texts(q->GetValueArray()), (Texts{"1", "2"}));
        EXPECT_EQ(q->cropIndex, 3);
        EXPECT_EQ(q->VariableIndex, 2);
        EXPECT_EQ(q->variables_type, ManualValues);
        EXPECT_EQ(q->variables_min, "1");
        EXPECT_EQ(q->variables_max, "9");
        EXPECT_EQ(q->variables_steps, "4");
        EXPECT_EQ(q->variables_manual, "1, 2");
        EXPECT_EQ(q->inputfilename, "f.txt");
    }
    EXPECT_EQ(target.ContentString, "theirs");

    p.SetValueArray({Variant("x")});
    EXPECT_THROW(p.numericValues(), TypeMismatch);
}

// --- Trend variables ------------------------------------------------------------------------------

TEST(TrendVariableTexts, NamesUnitsAndLabelsPerVariable)
{
    const std::vector<std::string> bushels = {"bu.", "bushels"};
    struct Case {
        int id;
        const char* variableName;
        const char* fixedName;
        const char* description;
        TrendUnits units;
        const char* label;
    };
    const Case cases[] = {
        {0, "Crop Price", "Crop Price", "Crop Price - Corn", {"$", "/ bu."}, "($ / bu.)"},
        {1,
         "General Production Costs",
         "General Product Costs",
         "General Production Costs - Corn",
         {"$", "/ ac"},
         "($ / ac)"},
        {2, "Maximum Yield", "Maximum Yield", "Maximum Yield - Corn", {"", "bushels / acre"}, "(bushels / acre)"},
        {3,
         "Irrigation System Efficiency",
         "Irrigation System Efficiency",
         "Irrigation System Efficiency",
         {"", "%"},
         "(%)"},
        {4, "Irrigation Costs", "Irrigation Costs", "Irrigation Costs", {"$", "/ ac-in"}, "($ / ac-in)"},
        {5, "Annual Rainfall", "Annual Rainfall", "Annual Rainfall", {"", "inches"}, "(inches)"},
        {6, "", "", "", {"", ""}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrendVariables::variableTrendName(c.id), c.variableName) << c.id;
        EXPECT_EQ(TrendVariables::fixedTrendName(c.id), c.fixedName) << c.id;
        EXPECT_EQ(TrendVariables::fixedTrendDescription(c.id, "Corn"), c.description) << c.id;
        EXPECT_EQ(TrendVariables::units(c.id, bushels), c.units) << c.id;
        EXPECT_EQ(TrendVariables::unitLabel(c.id, bushels), c.label) << c.id;
    }
    EXPECT_EQ(TrendVariables::optionCaption(1), "Total Production Costs*");
    EXPECT_EQ(TrendVariables::optionCaption(5), "Effective Annual Rainfall");
    // A crop without units ("Fallow" has empty ones, a broken one none) gives empty unit texts.
    EXPECT_EQ(TrendVariables::units(0, {}), (TrendUnits{"$", "/ "}));
}

// --- Fixed trend ----------------------------------------------------------------------------------

namespace {

// Fractions of the maximum yield by whole inches of net irrigation 0..3; 10 % less below 16 inches of rain.
YieldTable fractionTable()
{
    const double base[] = {0.5, 0.7, 0.9, 1.0};
    YieldTable t;
    for (double b : base) {
        std::vector<double> row;
        for (int rain = 0; rain <= 21; ++rain)
            row.push_back(rain >= 16 ? b : b * 0.9);
        t.push_back(row);
    }
    return t;
}

std::shared_ptr<Field> tableField(const std::string& name, double acres, double depth, double price, double maxYield,
                                  double herbicide)
{
    auto f = std::make_shared<Field>();
    f->acres = acres;
    f->Depth = depth;
    f->annualRain = 16;
    Crop& c = *f->theCrop;
    c.cropType = name;
    c.cropUnitsArray = {"bu.", "bushels"};
    c.setYieldTable(fractionTable());
    c.price = price;
    c.maxYield = maxYield;
    c.inputCosts.Herbicide = herbicide;
    c.setYield(depth, 16);
    return f;
}

// Corn: 10 acres at 1.5 net inches, $4, 200 bu. maximum: 0.8 × 200 = 160 bu./ac, return 6,400, herbicide 100.
// Wheat: 5 acres at 2 net inches, $6, 80 bu. maximum: 0.9 × 80 = 72 bu./ac, return 2,160, herbicide 20.
// Net return 6,300 + 2,140 = 8,440 at an efficiency of 80 %.
std::shared_ptr<FieldCollection> cornAndWheat()
{
    auto option = std::make_shared<FieldCollection>();
    option->Add(tableField("Corn", 10, 1.5, 4, 200, 10));
    option->Add(tableField("Wheat", 5, 2, 6, 80, 4));
    return option;
}

struct CountingProgress : EvaluationObserver {
    int pumps = 0;
    int advances = 0;
    int closes = 0;
    int cancelAtPump = -1; // sets the cancel flag at this pump (0-based)
    SessionState* s = nullptr;
    void pumpMessages() override
    {
        if (pumps++ == cancelAtPump)
            s->CancelRequested = true;
    }
    void advance() override { ++advances; }
    void close() override { ++closes; }
};

TrendTarget cornTarget()
{
    return {"Corn", "Corn", TrendVariables::units(0, {"bu.", "bushels"})};
}

} // namespace

class FixedTrendTest : public ::testing::Test {
protected:
    void SetUp() override { s.IrrigationEfficiency = 0.8; }
    SessionState s;
};

TEST_F(FixedTrendTest, EachVariableRecomputesTheOptionAsComputedByHand)
{
    auto base = cornAndWheat();
    ASSERT_NEAR(base->getProfit(s), 8440, 1e-9);
    struct Case {
        int variable;
        double value;
        double cornPrice, cornDepth, cornRain, cornYield, wheatDepth, wheatYield;
        double profit;
        const char* description;
    };
    const Case cases[] = {
        // price of corn: 5 × 160 × 10 − 100 + 2,140
        {0, 5, 5, 1.5, 16, 160, 2, 72, 10040, "Crop Price - Corn"},
        // corn costs $50 an acre in place of its herbicide: 6,400 − 500 + 2,140
        {1, 50, 4, 1.5, 16, 160, 2, 72, 8040, "General Production Costs - Corn"},
        // corn maximum 225: 0.8 × 225 = 180 bu./ac, 7,200 − 100 + 2,140
        {2, 225, 4, 1.5, 16, 180, 2, 72, 9240, "Maximum Yield - Corn"},
        // 100 % at 80 %: every net depth × 1.25; corn 1.875" gives 0.875 × 200 = 175, wheat 2.5" 0.95 × 80 = 76;
        // 7,000 − 100 + 2,280 − 20
        {3, 100, 4, 1.875, 16, 175, 2.5, 76, 9160, "Irrigation System Efficiency"},
        // $3 per acre-inch: corn 3 × 10 × 1.5 = 45, wheat 3 × 5 × 2 = 30
        {4, 3, 4, 1.5, 16, 160, 2, 72, 8440 - 45 - 30, "Irrigation Costs"},
        // 12 inches of rain: corn 0.72 × 200 = 144 (5,760 − 100), wheat 0.81 × 80 = 64.8 (1,944 − 20)
        {5, 12, 4, 1.5, 12, 144, 2, 64.8, 7584, "Annual Rainfall"},
    };
    for (const Case& c : cases) {
        auto option = base->Copy();
        option->getProfit(s); // caches filled, as in an option shown on the results view
        option->ResetBatch();
        const auto result = UpdateOption(cornTarget(), c.variable, c.value, *option, s);
        ASSERT_EQ(result->Count(), 2);
        const Field& corn = *result->Item(1);
        const Field& wheat = *result->Item(2);
        EXPECT_EQ(corn.theCrop->price, c.cornPrice) << c.variable;
        EXPECT_NEAR(corn.Depth, c.cornDepth, 1e-12) << c.variable;
        EXPECT_EQ(corn.annualRain, c.cornRain) << c.variable;
        EXPECT_NEAR(corn.theCrop->Yield, c.cornYield, 1e-9) << c.variable;
        EXPECT_NEAR(wheat.Depth, c.wheatDepth, 1e-12) << c.variable;
        EXPECT_NEAR(wheat.theCrop->Yield, c.wheatYield, 1e-9) << c.variable;
        EXPECT_EQ(wheat.theCrop->price, 6) << c.variable;
        EXPECT_NEAR(result->getProfit(s), c.profit, 1e-6) << c.variable;
        ASSERT_EQ(result->theVariable.size(), 1u);
        EXPECT_EQ(result->theVariable[0], c.description);
        EXPECT_EQ(result->theValue[0], c.value);
        EXPECT_EQ(s.TrendVariableName, TrendVariables::fixedTrendName(c.variable));
        EXPECT_EQ(s.TrendCropName, c.variable <= 2 ? "Corn" : "");
    }
    // The base was never touched.
    EXPECT_EQ(base->Item(1)->theCrop->price, 4);
    EXPECT_NEAR(base->getProfit(s), 8440, 1e-9);
}

TEST_F(FixedTrendTest, ACropNoFieldGrowsChangesNothingButIsStillDescribed)
{
    auto option = cornAndWheat();
    const auto result = UpdateOption({"Sunflower", "Sunflower", {"$", "/ lb"}}, 0, 99, *option, s);
    EXPECT_NEAR(result->getProfit(s), 8440, 1e-9);
    ASSERT_EQ(result->theVariable.size(), 1u);
    EXPECT_EQ(result->theVariable[0], "Crop Price - Sunflower");
    EXPECT_EQ(result->theUnits[0], (TrendUnits{"$", "/ lb"}));
    // An unknown variable only clears the cost cache.
    const auto same = UpdateOption(cornTarget(), 9, 1, *option, s);
    EXPECT_EQ(same->theVariable.size(), 1u);
}

TEST_F(FixedTrendTest, EfficiencyKeepsTheGrossWaterOfTheOptionsOwnEfficiency)
{
    // An option of a variable-trend step at 60 %, recomputed at 95 % while the last run used 80 %.
    auto option = cornAndWheat();
    for (const auto& field : *option)
        field->IrrigationEfficiency = 0.6;
    const auto result = UpdateOption(cornTarget(), EfficiencyVariable, 95, *option, s);
    for (const auto& field : *result) {
        EXPECT_EQ(field->efficiency(s), 0.95);
        EXPECT_NEAR(field->grossDepth(s), field == result->Item(1) ? 2.5 : 10.0 / 3, 1e-12);
    }
    EXPECT_NEAR(result->Item(1)->Depth, 1.5 / 0.6 * 0.95, 1e-12);
}

TEST_F(FixedTrendTest, ZeroEfficiencyIsRefused)
{
    s.IrrigationEfficiency = 0;
    auto option = cornAndWheat();
    EXPECT_THROW(UpdateOption(cornTarget(), EfficiencyVariable, 90, *option, s), NonFiniteResult);
}

TEST_F(FixedTrendTest, OneProcessRanksEveryValueAndFillsAOneDimensionalGrid)
{
    // The option of a variable trend's step on corn's production costs ($50 an acre), carrying the description
    // of an earlier fixed trend: the run keeps the override it was computed with, drops the description, and
    // leaves the option itself as it was.
    auto base = cornAndWheat();
    base->Item(1)->theCrop->inputCosts.UseBatch = true;
    base->Item(1)->theCrop->inputCosts.BatchGeneralCosts = 50;
    base->AddBatchDescription("old", 1, {"", ""});
    const double corn = base->Item(1)->getCosts(s);
    s.CancelRequested = true; // left from a cancelled evaluation: the run clears it first
    CountingProgress progress;
    progress.s = &s;
    const FixedTrendRun run = runFixedTrend(*base, {{cornTarget(), 0, {3, 5, 4, 6, 2}}}, s, progress);
    ASSERT_TRUE(run.completed);
    EXPECT_FALSE(s.CancelRequested);
    EXPECT_EQ(progress.pumps, 5);
    EXPECT_EQ(progress.advances, 5);
    EXPECT_EQ(progress.closes, 1);
    EXPECT_EQ(base->theVariable, std::vector<std::string>{"old"});
    EXPECT_TRUE(base->Item(1)->theCrop->inputCosts.UseBatch);
    EXPECT_EQ(base->Item(1)->TotalCost, corn);

    ASSERT_EQ(run.list->getSize(), 5);
    std::vector<double> ranked;
    for (const auto& e : run.list->entries())
        ranked.push_back(e->theValue.at(0));
    EXPECT_EQ(ranked, (std::vector<double>{6, 5, 4, 3, 2}));

    const TrendGrid& grid = s.TrendResultGrid;
    EXPECT_EQ(grid.dimensions(), 1);
    ASSERT_EQ(grid.rows(), 5u);
    EXPECT_EQ(grid.columns(), 1u);
    EXPECT_EQ(grid.at(1)->theVariable, std::vector<std::string>{"Crop Price - Corn"});
    EXPECT_EQ(grid.at(1)->theValue.at(0), 5);
    // 5 × 160 × 10 − 50 × 10 + 2,140
    EXPECT_NEAR(grid.at(1)->getProfit(s), 9640, 1e-9);
    EXPECT_NE(grid.at(1), run.list->entries()[1]) << "the grid holds its own copies";
    EXPECT_EQ(base->Item(1)->theCrop->price, 4);
}

TEST_F(FixedTrendTest, TwoProcessesRecomputeEveryPairInATwoDimensionalGrid)
{
    auto base = cornAndWheat();
    CountingProgress progress;
    progress.s = &s;
    const FixedTrendProcess price{cornTarget(), 0, {3, 4, 5, 6, 7}};
    const FixedTrendProcess rain{{"Corn", "Corn", {"", "inches"}}, RainfallVariable, {12, 16, 20}};
    const FixedTrendRun run = runFixedTrend(*base, {price, rain}, s, progress);
    ASSERT_TRUE(run.completed);
    EXPECT_EQ(run.list->getSize(), 15);
    EXPECT_EQ(progress.advances, 15);
    EXPECT_EQ(progress.pumps, 5 + 15);
    const TrendGrid& grid = s.TrendResultGrid;
    EXPECT_EQ(grid.dimensions(), 2);
    EXPECT_EQ(grid.rows(), 5u);
    EXPECT_EQ(grid.columns(), 3u);
    const FieldCollection& cell = *grid.at(2, 0);
    EXPECT_EQ(cell.theVariable, (std::vector<std::string>{"Crop Price - Corn", "Annual Rainfall"}));
    EXPECT_EQ(cell.theValue, (std::vector<double>{5, 12}));
    // Corn at $5 with 12 inches: 5 × 144 × 10 − 100; wheat 1,944 − 20
    EXPECT_NEAR(grid.at(2, 0)->getProfit(s), 7200 - 100 + 1924, 1e-6);
    EXPECT_THROW(grid.at(5, 0), IndexError);
    EXPECT_EQ(s.TrendVariableName, "Annual Rainfall");
    EXPECT_EQ(s.TrendCropName, "");
}

TEST_F(FixedTrendTest, CancelStopsWithoutResultsAndClearsTheFlag)
{
    // Before the second value of one process, and after a combination with two.
    struct Case {
        std::vector<FixedTrendProcess> processes;
        int cancelAtPump;
        int advances;
    };
    const FixedTrendProcess price{cornTarget(), 0, {3, 4, 5}};
    const Case cases[] = {{{price}, 1, 1}, {{price, price}, 2, 2}};
    for (const Case& c : cases) {
        SessionState fresh;
        fresh.IrrigationEfficiency = 0.8;
        auto base = cornAndWheat();
        CountingProgress progress;
        progress.s = &fresh;
        progress.cancelAtPump = c.cancelAtPump;
        const FixedTrendRun run = runFixedTrend(*base, c.processes, fresh, progress);
        EXPECT_FALSE(run.completed);
        EXPECT_FALSE(run.list);
        EXPECT_EQ(progress.advances, c.advances);
        EXPECT_EQ(progress.closes, 1);
        EXPECT_FALSE(fresh.CancelRequested);
        EXPECT_EQ(fresh.TrendResultGrid.dimensions(), 0);
    }
}

TEST_F(FixedTrendTest, RefusesRunsItCannotRank)
{
    auto base = cornAndWheat();
    CountingProgress progress;
    std::vector<double> many(200);
    const FixedTrendProcess big{cornTarget(), 0, many};
    EXPECT_EQ(fixedTrendCount({big, big}), 40000);
    EXPECT_THROW(runFixedTrend(*base, {big, big}, s, progress), InvalidArgument);
    EXPECT_THROW(runFixedTrend(*base, {}, s, progress), InvalidArgument);
    EXPECT_THROW(runFixedTrend(*base, {{cornTarget(), 0, {}}}, s, progress), InvalidArgument);
    EXPECT_EQ(progress.closes, 3);
}

TEST(SelectedOptionState, CreatedEmptyWhenFirstRead)
{
    SessionState s;
    EXPECT_FALSE(s.SelectedOption);
    const auto option = selectedOption(s);
    ASSERT_TRUE(option);
    EXPECT_EQ(option->Count(), 0);
    EXPECT_EQ(selectedOption(s), option);
}
