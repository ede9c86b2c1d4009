#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Errors.h"
#include "model/Field.h"
#include "model/FieldCollection.h"
#include "model/SessionState.h"

using namespace korvel;

namespace {

std::shared_ptr<Field> fieldOf(const std::string& crop, double acres, double depth, double price, double yield)
{
    auto f = std::make_shared<Field>();
    f->acres = acres;
    f->Depth = depth;
    f->theCrop->cropType = crop;
    f->theCrop->cropUnitsArray = {"bu.", "bu."};
    f->theCrop->price = price;
    f->theCrop->Yield = yield;
    return f;
}

// A pumping plant that charges 1 dollar of labour per acre and nothing else.
void labourOnly(IrrigationCosts& ic)
{
    ic.active = true;
    ic.GPM = 800;
    ic.NPC = 10;
    ic.LaborPerHour = 2;
}

} // namespace

class Fields : public ::testing::Test {
protected:
    SessionState s;
    void SetUp() override { s.IrrigationEfficiency = 0.9; }
};

TEST_F(Fields, ReturnCostsAndProfit)
{
    auto f = fieldOf("Corn", 10, 18, 3, 150);
    f->theCrop->inputCosts.Returns = 2;
    f->theCrop->inputCosts.Herbicide = 5;
    f->theCrop->inputCosts.SeedOptimal = true;
    f->theCrop->inputCosts.SeedCost = 1;
    labourOnly(*f->irrigCosts);

    EXPECT_DOUBLE_EQ(f->getReturn(), 3 * 150 * 10 + 2 * 10);
    // The production cost sees gross inches (18 / 0.9 = 20), which the seed rule turns back into 18 net.
    const double production = 32000.0 / 1000 * 1 * 10 + 5 * 10;
    EXPECT_DOUBLE_EQ(f->getProductionCosts(s), production);
    EXPECT_EQ(f->theCrop->inputCosts.SeedRate, 32000);
    EXPECT_EQ(f->Depth, 18);
    EXPECT_EQ(f->TotalCost, 0); // not cached
    EXPECT_DOUBLE_EQ(f->getCosts(s), 10 + production);
    EXPECT_DOUBLE_EQ(f->TotalCost, 10 + production);
    EXPECT_DOUBLE_EQ(f->getProfit(s), 3 * 150 * 10 + 20 - (10 + production));
}

TEST_F(Fields, ZeroEfficiencyIsRefused)
{
    auto f = fieldOf("Corn", 10, 5, 3, 150);
    s.IrrigationEfficiency = 0;
    EXPECT_THROW(f->getCosts(s), NonFiniteResult);
    EXPECT_THROW(f->getProductionCosts(s), NonFiniteResult);
    EXPECT_EQ(f->TotalCost, 0);
}

TEST_F(Fields, AFieldComputesWithTheEfficiencyItKeeps)
{
    // Corn on 10 acres with 12 net inches and the optimal seeding rate; pumping by the hour.
    const auto corn = [] {
        auto f = fieldOf("Corn", 10, 12, 3, 150);
        f->theCrop->inputCosts.SeedOptimal = true;
        f->theCrop->inputCosts.SeedCost = 1;
        f->irrigCosts->active = true;
        f->irrigCosts->GPM = 450;
        f->irrigCosts->NPC = 1;
        f->irrigCosts->cost = 1;
        f->irrigCosts->RepairsPerAcreInch = 1;
        return f;
    };
    SessionState run;
    run.IrrigationEfficiency = 0.6;
    auto atTheRun = corn();
    const double costs = atTheRun->getCosts(run);

    auto kept = corn();
    kept->IrrigationEfficiency = 0.6;
    EXPECT_EQ(kept->efficiency(s), 0.6) << "not the session's 0.9";
    EXPECT_DOUBLE_EQ(kept->grossDepth(s), 20);
    EXPECT_EQ(kept->getCosts(s), costs);
    EXPECT_EQ(kept->theCrop->inputCosts.SeedRate, 26000) << "12 net inches, whatever the session's efficiency";
    EXPECT_EQ(kept->Copy()->efficiency(s), 0.6);
    EXPECT_DOUBLE_EQ(kept->irrigCosts->fieldHours(kept->Depth, kept->acres, kept->efficiency(s)), 200);

    // Without one of its own, a field takes the session's.
    EXPECT_EQ(corn()->efficiency(s), 0.9);
    EXPECT_DOUBLE_EQ(corn()->grossDepth(s), 12 / 0.9);
}

TEST_F(Fields, ZeroMeansNotComputed)
{
    auto fallow = fieldOf("Fallow", 10, 0, 0, 0);
    EXPECT_EQ(fallow->getCosts(s), 0);
    fallow->theCrop->inputCosts.Herbicide = 1; // a total of 0 is computed afresh at every call
    EXPECT_EQ(fallow->getCosts(s), 10);
    fallow->theCrop->inputCosts.Herbicide = 2; // a non-zero total stays until cleared
    EXPECT_EQ(fallow->getCosts(s), 10);
    fallow->TotalCost = 0;
    EXPECT_EQ(fallow->getCosts(s), 20);

    auto f = fieldOf("Corn", 1, 0, 2, 10);
    EXPECT_EQ(f->getReturn(), 20);
    f->theCrop->price = 3;
    EXPECT_EQ(f->getReturn(), 20);
}

TEST_F(Fields, CopyOwnsItsCropAndCostsAndKeepsTheCostCache)
{
    auto f = fieldOf("Corn", 10, 5, 3, 150);
    f->annualRain = 18;
    f->theCrop->inputCosts.Herbicide = 5;
    f->getProfit(s);
    auto c = f->Copy();
    EXPECT_EQ(c->acres, 10);
    EXPECT_EQ(c->Depth, 5);
    EXPECT_EQ(c->annualRain, 18);
    EXPECT_EQ(c->TotalCost, 50);
    EXPECT_EQ(c->TotalReturn, 0);
    EXPECT_NE(c->theCrop, f->theCrop);
    EXPECT_NE(c->irrigCosts, f->irrigCosts);
    EXPECT_EQ(c->theCrop->soil_ulysses, f->theCrop->soil_ulysses);
    c->theCrop->inputCosts.Herbicide = 9; // without clearing the cache the old costs stay in force
    EXPECT_EQ(c->getCosts(s), 50);
    f->theCrop->price = 4;
    EXPECT_EQ(c->getReturn(), 3 * 150 * 10); // the copy's own crop, computed afresh
}

class Allocations : public Fields {};

TEST_F(Allocations, SumsInFieldOrderAndCachesTheCost)
{
    FieldCollection fc;
    auto a = fieldOf("Corn", 50, 10, 3, 150);
    auto b = fieldOf("Wheat", 50, 5, 4, 60);
    a->theCrop->inputCosts.Herbicide = 7;
    b->theCrop->inputCosts.MiscCost = 3;
    labourOnly(*b->irrigCosts);
    fc.Add(a);
    fc.Add(b);
    EXPECT_EQ(fc.Item(1), a); // the field objects themselves
    EXPECT_THROW(fc.Item(0), IndexError);
    EXPECT_THROW(fc.Item(3), IndexError);

    const double profit = fc.getProfit(s);
    EXPECT_EQ(profit, (0.0 + a->getReturn() + b->getReturn()) - (0.0 + a->getCosts(s) + b->getCosts(s)));
    EXPECT_DOUBLE_EQ(profit, a->getProfit(s) + b->getProfit(s));
    EXPECT_EQ(fc.TotalCost, 350 + 200);

    auto copy = fc.Copy();
    EXPECT_EQ(copy->TotalCost, fc.TotalCost);
    copy->Item(1)->theCrop->inputCosts.Herbicide = 100;
    copy->Item(1)->TotalCost = 0;
    EXPECT_EQ(copy->getCosts(s), 550); // the allocation's own cache still holds
    copy->TotalCost = 0;
    EXPECT_EQ(copy->getCosts(s), 5000 + 200);
    EXPECT_EQ(fc.getCosts(s), 550);
}

TEST_F(Allocations, CopyCarriesTrendListsAndPlaceholderMarkButNotIsNothing)
{
    FieldCollection fc;
    fc.Add(fieldOf("Corn", 1, 1, 1, 1));
    fc.isNew = true;
    fc.AddBatchDescription("Crop Price", 3.5, {"$", "/ bu."});
    fc.AddBatchDescription("Annual Rainfall", 18, {"", "in."});
    auto c = fc.Copy();
    EXPECT_TRUE(c->isNew);
    EXPECT_EQ(c->theVariable, (std::vector<std::string>{"Crop Price", "Annual Rainfall"}));
    EXPECT_EQ(c->theValue, (std::vector<double>{3.5, 18}));
    EXPECT_EQ(c->theUnits[0][1], "/ bu.");
    EXPECT_NE(c->Item(1), fc.Item(1));

    FieldCollection fresh;
    fresh.isNothing = true;
    fresh.Add(fieldOf("Corn", 1, 1, 1, 1));
    EXPECT_FALSE(fresh.isNothing);
    fresh.isNothing = true;
    EXPECT_FALSE(fresh.Copy()->isNothing);
}

TEST_F(Allocations, ResetBatchClearsCachesAndDescriptionsButKeepsTheOverrides)
{
    FieldCollection fc;
    auto f = fieldOf("Corn", 10, 5, 3, 150);
    f->theCrop->inputCosts.UseBatch = true;
    f->theCrop->inputCosts.BatchGeneralCosts = 100;
    f->irrigCosts->UseBatch = true;
    f->irrigCosts->BatchIrrigationCosts = 2;
    fc.Add(f);
    fc.AddBatchDescription("Crop Price", 3, {"$", ""});
    EXPECT_EQ(fc.getCosts(s), 1000 + 100);
    fc.getReturn();
    fc.ResetBatch();
    EXPECT_TRUE(f->theCrop->inputCosts.UseBatch) << "the option was computed with its overrides";
    EXPECT_EQ(f->theCrop->inputCosts.BatchGeneralCosts, 100);
    EXPECT_TRUE(f->irrigCosts->UseBatch);
    EXPECT_EQ(f->irrigCosts->BatchIrrigationCosts, 2);
    EXPECT_EQ(f->TotalCost, 0);
    EXPECT_EQ(f->TotalReturn, 0);
    EXPECT_TRUE(fc.theVariable.empty() && fc.theValue.empty() && fc.theUnits.empty());
    f->theCrop->inputCosts.BatchGeneralCosts = 50;
    EXPECT_EQ(fc.getCosts(s), 1100); // until its TotalCost is set to 0
    fc.TotalCost = 0;
    EXPECT_EQ(fc.getCosts(s), 500 + 100);
}

TEST_F(Allocations, DistinctCropsInOrderOfFirstField)
{
    FieldCollection fc;
    for (const char* n : {"Corn", "Wheat", "Corn", "Fallow"})
        fc.Add(fieldOf(n, 1, 0, 0, 0));
    EXPECT_EQ(fc.getCrops(), (std::vector<std::string>{"Corn", "Wheat", "Fallow"}));
    FieldCollection one;
    one.Add(fieldOf("corn", 1, 0, 0, 0));
    EXPECT_EQ(one.getCrops(), (std::vector<std::string>{"corn"}));
    EXPECT_THROW(FieldCollection().getCrops(), IndexError);
}
