// The whole run over plain inputs: the literal loop's list followed by the single-crop plans, what the run
// tells its observer, the runs that end without a search or on Cancel, and the crops prepared for their soil.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "RankedListCompare.h"
#include "ReferenceLoop.h"
#include "SyntheticFarm.h"
#include "model/EvaluationRun.h"
#include "model/Numbers.h"

namespace korvel::testing {
namespace {

// Records what the run tells it; with cancelAtClose, Cancel comes as the search closes its progress window
// (during its last allocation, for the run).
class RecordingObserver : public EvaluationRun::Observer {
public:
    explicit RecordingObserver(SessionState& s, bool cancelAtClose = false) : s_(s), cancelAtClose_(cancelAtClose) {}
    void close() override
    {
        if (cancelAtClose_)
            s_.CancelRequested = true;
    }
    void cropsPrepared(const std::shared_ptr<CropScenario>& crops) override { prepared = crops; }
    void searchBegins(std::size_t depthSplits) override { searchSteps = static_cast<long>(depthSplits); }

    std::shared_ptr<CropScenario> prepared;
    long searchSteps = -1;

private:
    SessionState& s_;
    bool cancelAtClose_;
};

struct RowValues {
    const char* name;
    double price;
    double maxYield;
};
constexpr RowValues kRows[] = {{"Corn", 5.25, 210}, {"Fallow", 0, 0}, {"Alfalfa", 95, 6.5}, {"Wheat", 6.1, 70}};
constexpr double kRain = 17;

// The inputs of a three-field run of the rows above; `crops` receives the library crops in row order.
EvaluationRun::Inputs threeFieldRun(std::mt19937_64& rng, std::vector<std::shared_ptr<Crop>>& crops)
{
    EvaluationRun::Inputs in;
    in.preset = 2; // "33 - 33 - 33"
    in.acres = 320;
    in.volume = num::roundHalfEven(320 * 14.5);
    in.efficiencyPercent = 80;
    in.rain = kRain;
    in.factor = 10;
    in.listSize = 100;
    for (const RowValues& row : kRows) {
        crops.push_back(randomCrop(rng, row.name, kRain));
        in.crops.push_back({crops.back(), row.price, row.maxYield});
    }
    in.irrigation = std::make_shared<IrrigationCosts>(randomIrrigation(rng));
    return in;
}

TEST(EvaluationRun, RanksWhatTheLiteralLoopRanksThenEachCropAlone)
{
    std::mt19937_64 rng(20240613);
    std::vector<std::shared_ptr<Crop>> library;
    const EvaluationRun::Inputs in = threeFieldRun(rng, library);

    // The same run written out: copies of the crops prepared by hand, the literal loop, the single-crop plans.
    Farm farm;
    std::vector<std::shared_ptr<Crop>> prepared;
    for (std::size_t i = 0; i < library.size(); ++i) {
        auto c = library[i]->Copy();
        c->price = kRows[i].price;
        c->maxYield = kRows[i].maxYield;
        c->setNormal(c->maxYield, kRain);
        c->soilName = "Silt Loam";
        prepared.push_back(c);
    }
    buildRun(farm, in.preset, in.factor, in.acres, 14.5, 0.8, kRain, prepared);
    *farm.irrigCosts = *in.irrigation;
    const auto expected =
        referenceEvaluate(farm.depthSplits, farm.combos, *farm.landSplit, kRain, 100, *farm.irrigCosts, farm.s);
    submitSingleCropPlans(farm, *expected);

    SessionState s;
    RecordingObserver observer(s);
    const EvaluationRun::Result result = EvaluationRun::run(in, s, observer);
    EXPECT_EQ(result.end, EvaluationRun::End::Finished);
    EXPECT_EQ(s.IrrigationEfficiency, 0.8);
    EXPECT_EQ(s.LandSplit->splits, farm.landSplit->splits) << "the session holds the run's land split in acres";
    ASSERT_TRUE(observer.prepared);
    ASSERT_EQ(observer.prepared->Count(), 4);
    EXPECT_EQ(observer.prepared->Item(3), library[2]) << "the run's crops are the library crops themselves";
    EXPECT_EQ(library[0]->price, 5.25);
    EXPECT_EQ(observer.searchSteps, farm.depthSplits.Count());
    ASSERT_NE(result.list, nullptr);
    EXPECT_EQ(firstDifferenceWithProfits(*expected, *result.list, s), "");
}

TEST(EvaluationRun, WithoutALandSplitNothingRunsAndACancelAtTheEndLeavesOutTheSingleCropPlans)
{
    std::mt19937_64 rng(5);
    std::vector<std::shared_ptr<Crop>> library;
    EvaluationRun::Inputs in = threeFieldRun(rng, library);
    const double price = library[0]->price;

    in.preset = -1;
    SessionState s;
    RecordingObserver noPreset(s);
    const EvaluationRun::Result none = EvaluationRun::run(in, s, noPreset);
    EXPECT_EQ(none.end, EvaluationRun::End::NoLandSplit);
    EXPECT_EQ(none.list->getSize(), 0);
    EXPECT_FALSE(noPreset.prepared) << "nothing is prepared for a run that cannot start";
    EXPECT_EQ(noPreset.searchSteps, -1);
    EXPECT_EQ(library[0]->price, price) << "the crops keep their values";

    in.preset = 2;
    library[0]->Yield = 12.5;
    RecordingObserver cancel(s, true);
    const EvaluationRun::Result cancelled = EvaluationRun::run(in, s, cancel);
    EXPECT_EQ(cancelled.end, EvaluationRun::End::Cancelled);
    ASSERT_EQ(cancelled.list->getSize(), 100) << "every allocation was searched";
    for (const auto& entry : cancelled.list->entries())
        EXPECT_NE(entry->Count(), 1) << "a single-crop plan after a Cancel";
    EXPECT_EQ(library[0]->Yield, 12.5);
    EXPECT_TRUE(s.CancelRequested) << "the flag stays set for the caller";
}

TEST(EvaluationRun, CropsTakeTheirRowsValuesAndTheRelativeTableOfTheirSoil)
{
    const YieldTable own = {{0, 100, 120}, {0, 150, 180}};
    const YieldTable yields = {{0, 90, 95}, {0, 160, 170}};
    const YieldTable relative = {{0, 0.5, 0.55}, {0, 0.9, 1}};
    struct Case {
        const char* soil;
        const char* soilName;
        bool relativeTable;
    };
    // Fine Sand has both tables, Loamy Sand only its first, Silt Loam none; any other name is Silt Loam.
    const Case cases[] = {{"Fine Sand", "Fine Sand", true},
                          {"Loamy Sand", "Silt Loam", false},
                          {"Silt Loam", "Silt Loam", false},
                          {"Clay", "Silt Loam", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.soil);
        auto crop = std::make_shared<Crop>();
        crop->cropType = "Corn";
        crop->setYieldTable(own);
        crop->soil_valent->Add(yields, "yield");
        crop->soil_valent->Add(relative, "relative");
        crop->soil_valentine->Add(yields, "yield");
        const auto scenario = EvaluationRun::returnCrops({{crop, 4.5, 225}}, c.soil, 2);
        ASSERT_EQ(scenario->Count(), 1);
        EXPECT_EQ(scenario->Item(1), crop);
        EXPECT_EQ(crop->price, 4.5);
        EXPECT_EQ(crop->maxYield, 225);
        EXPECT_EQ(crop->normalFactor, 225.0 / 180) << "normalised on the table held before";
        EXPECT_EQ(crop->soilName, c.soilName);
        EXPECT_EQ(crop->yieldTable.table(), c.relativeTable ? relative : own);
    }
}

} // namespace
} // namespace korvel::testing
