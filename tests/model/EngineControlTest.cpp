// Progress, message pumps and Cancel around the search, and inputs the search cannot serve from tables.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>
#include <thread>

#include "RankedListCompare.h"
#include "ReferenceLoop.h"
#include "SyntheticFarm.h"
#include "model/Errors.h"
#include "model/FieldCalculator.h"
#include "model/MakingCropCombos.h"

namespace korvel::testing {
namespace {

// Records every call and checks that it comes on the thread that started the search.
class RecordingObserver : public EvaluationObserver {
public:
    std::thread::id owner = std::this_thread::get_id();
    int pumps = 0, advances = 0, closes = 0;
    bool foreignThread = false;
    std::vector<char> calls; // 'p', 'a', 'c' in order
    std::function<void(RecordingObserver&)> onPump, onAdvance;

    void pumpMessages() override
    {
        note('p');
        ++pumps;
        if (onPump)
            onPump(*this);
    }
    void advance() override
    {
        note('a');
        ++advances;
        if (onAdvance)
            onAdvance(*this);
    }
    void close() override
    {
        note('c');
        ++closes;
    }

private:
    void note(char c)
    {
        foreignThread = foreignThread || std::this_thread::get_id() != owner;
        calls.push_back(c);
    }
};

std::unique_ptr<Farm> smallFarm(unsigned seed, int preset = 3, int factor = 4)
{
    std::mt19937_64 rng(seed);
    auto farm = std::make_unique<Farm>();
    std::vector<std::shared_ptr<Crop>> crops = {randomCrop(rng, "Corn", 16), randomCrop(rng, "Alfalfa", 16),
                                                randomCrop(rng, "Fallow", 16)};
    buildRun(*farm, preset, factor, 400, 14, 0.85, 16, crops);
    *farm->irrigCosts = randomIrrigation(rng);
    return farm;
}

std::shared_ptr<BestMix> run(Farm& farm, EvaluationObserver* observer, int bestCount = 100)
{
    return FieldCalculator::EvaluateCombinations(farm.depthSplits, farm.combos, *farm.landSplit, farm.rain, bestCount,
                                                 *farm.irrigCosts, farm.s, observer);
}

TEST(EngineControl, OneProgressStepPerSplitAllOnTheCallingThreadThenClose)
{
    auto farm = smallFarm(1);
    RecordingObserver observer;
    auto list = run(*farm, &observer);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(observer.advances, farm->depthSplits.Count());
    EXPECT_EQ(observer.closes, 1);
    EXPECT_EQ(observer.calls.front(), 'p'); // the first pump comes before the cancel flag is cleared
    EXPECT_EQ(observer.calls.back(), 'c');
    EXPECT_FALSE(observer.foreignThread);
}

TEST(EngineControl, CancelBeforeTheSearchStartsIsForgotten)
{
    auto farm = smallFarm(2);
    farm->s.CancelRequested = true; // a click that waited in the queue
    RecordingObserver observer;
    observer.onPump = [&](RecordingObserver& o) {
        if (o.pumps == 1)
            farm->s.CancelRequested = true; // handled during the first pump, before the flag is cleared
    };
    auto list = run(*farm, &observer);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(farm->s.CancelRequested.load());
    auto expected = referenceEvaluate(farm->depthSplits, farm->combos, *farm->landSplit, farm->rain, 100,
                                      *farm->irrigCosts, farm->s);
    EXPECT_EQ(firstDifference(*expected, *list), "");
}

// Cancel while the search runs: nothing is returned, the flag stays set and the window is closed. The farm
// gives every allocation the same profit, so nothing can be skipped and the search is far from done when
// the first message pump after the start sets the flag.
std::unique_ptr<Farm> tiedFarm()
{
    std::mt19937_64 rng(3);
    CropOptions none;
    none.noCosts = true;
    auto farm = std::make_unique<Farm>();
    farm->s.IrrigationEfficiency = 0.8;
    farm->rain = 15;
    farm->landSplit = std::make_shared<Split>();
    for (int i = 0; i < 4; ++i)
        farm->landSplit->addSplit(25);
    for (const auto& name : {"Corn", "Wheat", "Sunflower", "Alfalfa", "Soybeans", "Grain Sorghum", "Fallow"}) {
        auto crop = randomCrop(rng, name, 15, none);
        crop->price = 0.0;
        farm->crops.Add(crop);
    }
    farm->combos = MakingCropCombos::makeCropCombos(farm->crops, 4);
    for (int d = 0; d < 200000; ++d) {
        auto split = std::make_shared<Split>();
        for (int i = 0; i < 4; ++i)
            split->addSplit((d + i) % 13);
        farm->depthSplits.Add(split, 4);
    }
    return farm;
}

TEST(EngineControl, CancelDuringTheSearchReturnsNothing)
{
    auto farm = tiedFarm();
    RecordingObserver observer;
    observer.onPump = [&](RecordingObserver& o) {
        if (o.pumps == 2)
            farm->s.CancelRequested = true;
    };
    auto list = run(*farm, &observer);
    EXPECT_EQ(list, nullptr);
    EXPECT_TRUE(farm->s.CancelRequested.load());
    EXPECT_EQ(observer.closes, 1);
    EXPECT_LT(observer.advances, farm->depthSplits.Count());
    EXPECT_FALSE(observer.foreignThread);
}

// A search started by a handler that the message pump of another search runs: it works on threads of its own,
// the outer search's being busy, and gives what the literal loop gives; then the outer one is cancelled.
TEST(EngineControl, ASearchInsideAnotherHasWorkersOfItsOwn)
{
    auto outer = tiedFarm();
    auto inner = smallFarm(9);
    std::shared_ptr<BestMix> nested;
    RecordingObserver observer;
    observer.onPump = [&](RecordingObserver& o) {
        if (o.pumps != 2)
            return;
        nested = run(*inner, nullptr);
        outer->s.CancelRequested = true;
    };
    EXPECT_EQ(run(*outer, &observer), nullptr);
    ASSERT_NE(nested, nullptr);
    auto expected = referenceEvaluate(inner->depthSplits, inner->combos, *inner->landSplit, inner->rain, 100,
                                      *inner->irrigCosts, inner->s);
    EXPECT_EQ(firstDifference(*expected, *nested), "");
    // Both pools are free again: the next search runs as usual.
    EXPECT_EQ(firstDifference(*expected, *run(*inner, nullptr)), "");
}

// Cancel handled after the last split is done: every allocation was submitted, so the full list comes back
// and the flag stays set for the run to see.
TEST(EngineControl, CancelAfterTheLastAllocationKeepsTheList)
{
    auto farm = smallFarm(4);
    RecordingObserver observer;
    const long splits = farm->depthSplits.Count();
    observer.onAdvance = [&](RecordingObserver& o) {
        if (o.advances == splits)
            farm->s.CancelRequested = true;
    };
    auto list = run(*farm, &observer);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(farm->s.CancelRequested.load());
    auto expected = referenceEvaluate(farm->depthSplits, farm->combos, *farm->landSplit, farm->rain, 100,
                                      *farm->irrigCosts, farm->s);
    EXPECT_EQ(firstDifference(*expected, *list), "");
}

TEST(EngineControl, NothingToSearchGivesPlaceholders)
{
    auto farm = smallFarm(5, 5, 6); // one field at factor 6: no water split at all
    ASSERT_EQ(farm->depthSplits.Count(), 0);
    RecordingObserver observer;
    auto list = run(*farm, &observer, 3);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->entries().size(), 3u);
    for (const auto& e : list->entries())
        EXPECT_TRUE(e->isNew);
    EXPECT_EQ(observer.advances, 0);
    EXPECT_EQ(observer.closes, 1);

    auto noCrops = smallFarm(6);
    noCrops->combos.clear();
    RecordingObserver second;
    second.onPump = [&](RecordingObserver& o) {
        if (o.pumps == 2)
            noCrops->s.CancelRequested = true; // no combination, so no cancel test
    };
    list = run(*noCrops, &second, 2);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->entries().size(), 2u);
    EXPECT_EQ(second.advances, noCrops->depthSplits.Count());
    EXPECT_EQ(second.closes, 1);
}

TEST(EngineControl, FailuresAreThoseOfTheLiteralLoop)
{
    // A rainfall beyond every table: the first yield lookup fails.
    auto farm = smallFarm(7);
    farm->rain = 40;
    EXPECT_THROW(referenceEvaluate(farm->depthSplits, farm->combos, *farm->landSplit, farm->rain, 100,
                                   *farm->irrigCosts, farm->s),
                 YieldLookupError);
    RecordingObserver observer;
    EXPECT_THROW(run(*farm, &observer), YieldLookupError);
    EXPECT_EQ(observer.closes, 1);

    // A depth split with fewer parts than fields.
    auto shortSplit = smallFarm(8);
    auto split = std::make_shared<Split>();
    split->addSplit(4.0);
    shortSplit->depthSplits.Add(split, 1);
    EXPECT_THROW(referenceEvaluate(shortSplit->depthSplits, shortSplit->combos, *shortSplit->landSplit,
                                   shortSplit->rain, 100, *shortSplit->irrigCosts, shortSplit->s),
                 IndexError);
    EXPECT_THROW(run(*shortSplit, nullptr), IndexError);
}

// Values that are not finite (here an infinite price) are left to the literal loop inside the search:
// same list, and the same pumps and cancel points, one allocation after the other.
TEST(EngineControl, NonFiniteValuesFollowTheLiteralLoopExactly)
{
    auto farm = smallFarm(9, 0, 10);
    farm->combos.front()->Item(1)->price = std::numeric_limits<double>::infinity();
    farm->crops.Item(1)->price = std::numeric_limits<double>::infinity();
    auto rebuilt = MakingCropCombos::makeCropCombos(farm->crops, farm->landSplit->Count());
    farm->combos = rebuilt;

    RecordingObserver literal, engine;
    auto expected = referenceEvaluate(farm->depthSplits, farm->combos, *farm->landSplit, farm->rain, 5,
                                      *farm->irrigCosts, farm->s, &literal);
    auto actual = run(*farm, &engine, 5);
    ASSERT_NE(actual, nullptr);
    EXPECT_EQ(firstDifference(*expected, *actual), "");
    EXPECT_EQ(literal.calls, engine.calls);

    // Cancel handled in the pump before the third allocation: that allocation is still submitted, the
    // search stops before the next one.
    RecordingObserver cancelLiteral, cancelEngine;
    for (auto* o : {&cancelLiteral, &cancelEngine})
        o->onPump = [&](RecordingObserver& r) {
            if (r.pumps == 5)
                farm->s.CancelRequested = true;
        };
    EXPECT_EQ(referenceEvaluate(farm->depthSplits, farm->combos, *farm->landSplit, farm->rain, 5, *farm->irrigCosts,
                                farm->s, &cancelLiteral),
              nullptr);
    EXPECT_EQ(run(*farm, &cancelEngine, 5), nullptr);
    EXPECT_EQ(cancelLiteral.calls, cancelEngine.calls);
    EXPECT_TRUE(farm->s.CancelRequested.load());
}

} // namespace
} // namespace korvel::testing
