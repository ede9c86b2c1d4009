// The fixed trend against its steps written out one by one: for each value (or pair of values) a copy of the
// base option changed by UpdateOption, ranked as a copy of its own by the insertion written down, and kept in the
// grid as another copy. The list and the grid must agree with it option by option, field by field, caches
// included, on random options and processes with ties among the values.
#include <gtest/gtest.h>

#include <random>

#include "LiteralRankedList.h"
#include "RankedListCompare.h"
#include "SyntheticFarm.h"
#include "model/FixedTrend.h"

namespace korvel::testing {
namespace {

// An option of two to four fields on random crops.
std::shared_ptr<FieldCollection> randomOption(std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    const char* names[] = {"Corn", "Wheat", "Alfalfa", "Fallow", "Sunflower"};
    const auto irrigation = std::make_shared<IrrigationCosts>(randomIrrigation(rng));
    auto option = std::make_shared<FieldCollection>();
    const int fields = 2 + static_cast<int>(rng() % 3);
    for (int i = 0; i < fields; ++i) {
        auto f = std::make_shared<Field>();
        f->acres = 40.0 * (1 + static_cast<double>(rng() % 3));
        f->theCrop = randomCrop(rng, names[rng() % 5], 16);
        f->Depth = f->theCrop->cropType == "Fallow" ? 0.0 : static_cast<double>(rng() % 120) / 10.0;
        f->annualRain = 16;
        f->irrigCosts = irrigation->Copy();
        f->theCrop->setYield(f->Depth, f->annualRain);
        option->Add(f);
    }
    return option;
}

// Values of a variable, some repeated so that options tie.
std::vector<double> randomValues(std::mt19937_64& rng, int variable)
{
    std::vector<double> values;
    const int count = 1 + static_cast<int>(rng() % 9);
    for (int k = 0; k < count; ++k) {
        const double pick = static_cast<double>(rng() % 4);
        switch (variable) {
        case 3: values.push_back(60 + 10 * pick); break;  // efficiency, percent
        case 5: values.push_back(12 + 2 * pick); break;   // rainfall, inches
        default: values.push_back(1 + 1.5 * pick); break; // prices, costs, yields
        }
    }
    return values;
}

TEST(FixedTrendEquivalence, ListAndGridAreThoseOfTheStepsWrittenOut)
{
    std::mt19937_64 rng(41);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        SessionState expectedState, actualState;
        expectedState.IrrigationEfficiency = actualState.IrrigationEfficiency = 0.85;
        // Two copies of one option (sharing its soil tables), as on the results view.
        const auto option = randomOption(rng());
        const auto expectedBase = option->Copy();
        const auto actualBase = option->Copy();
        expectedBase->getProfit(expectedState);
        actualBase->getProfit(actualState);

        std::vector<FixedTrendProcess> processes;
        const int count = 1 + static_cast<int>(rng() % 2);
        for (int p = 0; p < count; ++p) {
            const int variable = static_cast<int>(rng() % 7); // 6 changes nothing
            const std::string crop = actualBase->Item(1 + static_cast<long>(rng() % 2))->theCrop->cropType;
            processes.push_back({{crop, crop, {"$", "/ unit"}}, variable, randomValues(rng, variable)});
        }

        const LiteralFixedTrend expected = literalFixedTrend(*expectedBase, processes, expectedState);
        EvaluationObserver quiet;
        const FixedTrendRun run = runFixedTrend(*actualBase, processes, actualState, quiet);
        ASSERT_TRUE(run.completed);

        BestMix expectedList;
        expectedList.SetBestArray(expected.list);
        ASSERT_EQ(firstDifferenceWithProfits(expectedList, *run.list, actualState), "");

        const TrendGrid& grid = actualState.TrendResultGrid;
        ASSERT_EQ(grid.rows() * grid.columns(), expected.grid.size());
        for (std::size_t i = 0; i < grid.rows(); ++i)
            for (std::size_t j = 0; j < grid.columns(); ++j) {
                BestMix want, got;
                want.SetBestArray({expected.grid[i * grid.columns() + j]});
                got.SetBestArray({grid.at(i, j)});
                ASSERT_EQ(firstDifference(want, got), "") << "grid (" << i << ", " << j << ")";
            }
        BestMix wantBase, gotBase;
        wantBase.SetBestArray({expectedBase});
        gotBase.SetBestArray({actualBase});
        EXPECT_EQ(firstDifference(wantBase, gotBase), "") << "the base option";
    }
}

} // namespace
} // namespace korvel::testing
