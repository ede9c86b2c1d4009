#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/Crop.h"
#include "model/Errors.h"
#include "model/IrrigationCosts.h"
#include "model/Numbers.h"
#include "model/SessionState.h"
#include "model/inputCosts.h"

using namespace korvel;

namespace {

Crop cropOf(const std::string& name, const std::string& unit = "bu.")
{
    Crop c;
    c.cropType = name;
    c.cropUnitsArray = {unit, unit};
    return c;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find("\r\n", start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return out;
}

struct Session {
    SessionState s;
    Session() { s.IrrigationEfficiency = 0.9; }
};

} // namespace

class ProductionCosts : public ::testing::Test, protected Session {};

TEST_F(ProductionCosts, OptimalNutrientRatesFollowTheCropName)
{
    const struct {
        const char* crop;
        double n, p;
    } factors[] = {
        {"Corn", 1.35, 0.43},  {"Grain Sorghum", 1.25, 0.44}, {"Wheat", 1.75, 0.55}, {"Sunflower", 0.05, 0.018},
        {"Alfalfa", 0, 14.88}, {"Soybeans", 0, 0.87},         {"Fallow", 0, 0},      {"My Corn", 0, 0},
    };
    for (const auto& f : factors) {
        inputCosts ic;
        ic.NOptimal = ic.POptimal = true;
        ic.NitrogenCost = 0.5;
        ic.PCost = 0.25;
        ic.NPerAcre = ic.PPerAcre = 5;
        Crop crop = cropOf(f.crop);
        double g = 0;
        double cost = ic.getCosts(10, 100, crop, g, s.IrrigationEfficiency);
        EXPECT_DOUBLE_EQ(ic.NPerAcre, f.n * 100) << f.crop;
        EXPECT_DOUBLE_EQ(ic.PPerAcre, f.p * 100) << f.crop;
        EXPECT_DOUBLE_EQ(cost, f.n * 100 * 0.5 * 10 + f.p * 100 * 0.25 * 10) << f.crop;
    }
    inputCosts applied;
    applied.NitrogenCost = 0.5;
    applied.NitrogenApplied = 180;
    applied.PCost = 0.25;
    applied.PApplied = 40;
    Crop corn = cropOf("Corn");
    double g = 0;
    EXPECT_DOUBLE_EQ(applied.getCosts(2, 150, corn, g, s.IrrigationEfficiency), 0.5 * 180 * 2 + 0.25 * 40 * 2);
    EXPECT_EQ(applied.NPerAcre, 180);
    EXPECT_EQ(applied.PPerAcre, 40);
}

TEST_F(ProductionCosts, OptimalSeedRateByNetIrrigation)
{
    const struct {
        const char* crop;
        double gross;
        double rate;
    } cases[] = {
        {"Corn", 20, 32000},
        {"Corn", 19.9, 29000},
        {"Corn", 0, 17000},
        {"Corn", -1, 555},
        {"Soybeans", 6 / 0.9, 140000},
        {"Sunflower", 13, 21000},
        {"Grain Sorghum", 0, 1.56},
        {"Grain Sorghum", 30, 7.81},
        {"Wheat", -5, 90},
        {"Alfalfa", 30, 3},
        {"Milo", 20, 555},
    };
    for (const auto& c : cases) {
        inputCosts ic;
        ic.SeedOptimal = true;
        ic.SeedRate = 555;
        double g = c.gross;
        ic.getSeedCost(1, 0, c.crop, g, s.IrrigationEfficiency);
        EXPECT_EQ(ic.SeedRate, c.rate) << c.crop << " " << c.gross;
        EXPECT_DOUBLE_EQ(g, c.gross * 0.9);
    }
    // The caller's gross inches come back as net inches.
    inputCosts corn;
    corn.SeedOptimal = true;
    corn.SeedCost = 2.5;
    double g = 20;
    EXPECT_DOUBLE_EQ(corn.getSeedCost(10, 0, "Corn", g, s.IrrigationEfficiency), 32000.0 / 1000 * 2.5 * 10);
    EXPECT_EQ(g, 18);
    // Seed priced per pound: no division by 1000.
    inputCosts wheat;
    wheat.SeedOptimal = true;
    wheat.SeedCost = 0.2;
    g = 10;
    EXPECT_DOUBLE_EQ(wheat.getSeedCost(10, 0, "Wheat", g, s.IrrigationEfficiency), 90 * 0.2 * 10);
}

TEST_F(ProductionCosts, CostsAddUpInTheirOrder)
{
    inputCosts ic;
    ic.NitrogenCost = 0.43;
    ic.NitrogenApplied = 171.3;
    ic.PCost = 0.37;
    ic.PApplied = 33.1;
    ic.SeedCost = 3.1;
    ic.SeedRate = 27100;
    ic.Herbicide = 21.7;
    ic.Insecticide = 13.3;
    ic.Tillage = 17.9;
    ic.Planting = 11.1;
    ic.FertilizerApplication = 6.7;
    ic.HerbicideApplication = 4.3;
    ic.InsecticideApplication = 5.9;
    ic.HarvestBasePerAcre = 27.1;
    ic.HarvestExceedBu = 100;
    ic.HarvestExceedRate = 0.17;
    ic.HarvestHauling = 0.13;
    ic.MiscCost = 9.7;
    ic.Returns = 12.5;
    Crop corn = cropOf("Corn");
    const double a = 37.3, y = 187.7;
    double g = 13.1;
    const double harvest = (27.1 + 0.17 * (y - 100) + 0.13 * y) * a;
    double expected = 0.43 * 171.3 * a;
    expected = expected + 0.37 * 33.1 * a;
    expected = expected + 27100.0 / 1000 * 3.1 * a / 1;
    expected = expected + 21.7 * a;
    expected = expected + 13.3 * a;
    expected = expected + (17.9 * a) / 1;
    expected = expected + (11.1 * a) / 1;
    expected = expected + 6.7 * a;
    expected = expected + 4.3 * a;
    expected = expected + 5.9 * a;
    expected = expected + harvest;
    expected = expected + 9.7 * a;
    EXPECT_EQ(ic.getCosts(a, y, corn, g, s.IrrigationEfficiency), expected); // bit for bit
    EXPECT_EQ(ic.getHarvestCost(a, y, "Corn"), harvest);
    EXPECT_DOUBLE_EQ(ic.getReturns(a), 12.5 * a);
}

TEST_F(ProductionCosts, ForageStandSpreadsEstablishmentCosts)
{
    auto forage = [] {
        inputCosts ic;
        ic.SeedCost = 4;
        ic.SeedRate = 15;
        ic.Tillage = 40;
        ic.Planting = 20;
        ic.Herbicide = 10;
        return ic;
    };
    Crop alfalfa = cropOf("Alfalfa", "ton");
    const double full = 15 * 4 + 40 + 20; // seed, tillage and planting on one acre
    {
        inputCosts ic = forage();
        ic.AlfalfaStand = 4;
        double g = 0;
        EXPECT_DOUBLE_EQ(ic.getCosts(1, 0, alfalfa, g, s.IrrigationEfficiency), full / 4 + 10);
    }
    for (const Variant& stand : {Variant(), Variant(0)}) {
        inputCosts ic = forage();
        ic.AlfalfaStand = stand;
        double g = 0;
        EXPECT_DOUBLE_EQ(ic.getCosts(1, 0, alfalfa, g, s.IrrigationEfficiency), full + 10);
        EXPECT_EQ(ic.AlfalfaStand, Variant(1));
    }
    // Only the unit "ton" spreads; only the name "Alfalfa" is harvested by the forage operations.
    inputCosts custom = forage();
    custom.AlfalfaStand = 2;
    custom.HarvestFlatRate = 3;
    custom.AlfalfaPerTon = 100;
    Crop hay = cropOf("Hay", "ton");
    double g = 0;
    EXPECT_DOUBLE_EQ(custom.getCosts(1, 5, hay, g, s.IrrigationEfficiency),
                     (15.0 / 1000 * 4 + 40 + 20) / 2 + 10 + 3 * 5);
    inputCosts bushels = forage();
    bushels.AlfalfaStand = 2;
    Crop corn = cropOf("Corn");
    EXPECT_DOUBLE_EQ(bushels.getCosts(1, 0, corn, g, s.IrrigationEfficiency), 15.0 / 1000 * 4 + 40 + 20 + 10);
    EXPECT_EQ(bushels.AlfalfaStand, Variant(2));
}

TEST_F(ProductionCosts, HarvestRules)
{
    inputCosts sun;
    sun.HarvestBasePerAcre = 20;
    sun.HarvestExceedRate = 1;
    sun.HarvestExceedBu = 1000;
    sun.HarvestHauling = 0.5;
    sun.HarvestFlatRate = 0;
    EXPECT_DOUBLE_EQ(sun.getHarvestCost(1, 1500, "Sunflower"), 32.5);
    EXPECT_DOUBLE_EQ(sun.getHarvestCost(2, 1500, "Sunflower"), 65);
    sun.HarvestFlatRate = 4;
    EXPECT_DOUBLE_EQ(sun.getHarvestCost(2, 1500, "Sunflower"), 4 * 15 * 2);

    inputCosts general;
    general.HarvestBasePerAcre = 20;
    general.HarvestExceedBu = 100;
    general.HarvestExceedRate = 0.2;
    EXPECT_DOUBLE_EQ(general.getHarvestCost(1, 50, "Corn"), 20 - 10); // below the threshold: lowers the charge

    inputCosts alfalfa;
    alfalfa.AlfalfaSwathing = 10;
    alfalfa.AlfalfaSwathingNum = 3;
    alfalfa.AlfalfaRaking = 5;
    alfalfa.AlfalfaRakingNum = 3;
    alfalfa.AlfalfaBaling = 1.5;
    alfalfa.AlfalfaBalingNum = 40;
    alfalfa.HarvestFlatRate = 99;
    EXPECT_DOUBLE_EQ(alfalfa.getHarvestCost(2, 5, "Alfalfa"), (30 + 15 + 60) * 2);
    alfalfa.AlfalfaPerTon = 12;
    EXPECT_DOUBLE_EQ(alfalfa.getHarvestCost(2, 5, "Alfalfa"), 12 * 5 * 2);

    alfalfa.AlfalfaBaling = "n/a";
    alfalfa.AlfalfaPerTon = 0;
    EXPECT_THROW(alfalfa.getHarvestCost(2, 5, "Alfalfa"), TypeMismatch);
}

TEST_F(ProductionCosts, TrendOverrideAndFailures)
{
    inputCosts ic;
    ic.UseBatch = true;
    ic.BatchGeneralCosts = 250;
    ic.NitrogenCost = 1;
    ic.NitrogenApplied = 100;
    ic.NPerAcre = 7;
    Crop unitless;
    double g = 20;
    EXPECT_EQ(ic.getCosts(40, 999, unitless, g, s.IrrigationEfficiency), 10000);
    EXPECT_EQ(ic.NPerAcre, 7);
    EXPECT_EQ(g, 20);

    ic.UseBatch = false;
    EXPECT_THROW(ic.getCosts(40, 100, unitless, g, s.IrrigationEfficiency), IndexError); // a crop without a unit
    ic.HarvestHauling = "abc";
    Crop corn = cropOf("Corn");
    EXPECT_THROW(ic.getCosts(40, 100, corn, g, s.IrrigationEfficiency), TypeMismatch);
}

TEST(ProductionCostData, CopyAndSavedLines)
{
    inputCosts ic;
    ic.NitrogenCost = 0.43;
    ic.NOptimal = true;
    ic.SeedRate = 32000;
    ic.HerbicideApplication = 3;
    ic.InsecticideApplication = 4;
    ic.Returns = 5;
    ic.HarvestBasePerAcre = 20;
    ic.AlfalfaStand = "4";
    ic.MiscCost = 6;
    ic.FertilizerApplication = 7;
    ic.AlfalfaFlat = 9;
    ic.NPerAcre = 1.5;
    ic.UseBatch = true;
    ic.BatchGeneralCosts = 250;
    ic.theString = "x";

    const auto l = lines(ic.writeData());
    ASSERT_EQ(l.size(), 31u);
    EXPECT_EQ(l[0], "0.43");
    EXPECT_EQ(l[2], "True");
    EXPECT_EQ(l[5], "False");
    EXPECT_EQ(l[7], "32000");
    EXPECT_EQ(l[13], "3");
    EXPECT_EQ(l[14], "4");
    EXPECT_EQ(l[15], "5");
    EXPECT_EQ(l[16], "20");
    EXPECT_EQ(l[17], ""); // an empty value
    EXPECT_EQ(l[28], "4");
    EXPECT_EQ(l[29], "6");
    EXPECT_EQ(l[30], "7"); // FertilizerApplication comes last

    inputCosts c = ic.Copy();
    EXPECT_EQ(c.AlfalfaFlat, 0);
    EXPECT_EQ(c.writeData(), ic.writeData());
    EXPECT_EQ(c.NPerAcre, 1.5);
    EXPECT_TRUE(c.UseBatch);
    EXPECT_EQ(c.BatchGeneralCosts, 250);
    EXPECT_EQ(c.theString, "x");
    EXPECT_EQ(c.AlfalfaStand, Variant("4"));
}

class IrrigationCost : public ::testing::Test, protected Session {
protected:
    IrrigationCosts ic;
    void SetUp() override
    {
        ic.GPM = 800;
        ic.Lift = 200;
        ic.PSI = 30;
        ic.NPC = 12.5;
        ic.cost = 3.00;
        ic.LaborPerHour = 10.00;
        ic.RepairsPerAcreInch = 0.50;
        ic.active = true;
    }
};

TEST_F(IrrigationCost, LabourFuelAndRepairs)
{
    // Gross 10 inches, 54.404 water horsepower, 56.25 hours: labour 50, fuel 734.45, repairs 50.
    const double cost = ic.getCosts(9, 10, s.IrrigationEfficiency);
    EXPECT_NEAR(cost, 50 + (269.3 * 800 / 3960) / 12.5 * 56.25 * 3 + 50, 1e-9);
    EXPECT_EQ(num::formatPattern(cost, "###,##0.00"), "834.45");
    EXPECT_NEAR(ic.hours, 56.25, 1e-12);
}

TEST_F(IrrigationCost, GuardsGiveNothingAndLeaveTheHours)
{
    const struct {
        const char* what;
        double inches;
        bool active;
        double gpm, npc;
    } cases[] = {
        {"inactive", 9, false, 800, 12.5}, {"no water", 0, true, 800, 12.5},  {"negative", -1, true, 800, 12.5},
        {"no flow", 9, true, 0, 12.5},     {"no fuel rate", 9, true, 800, 0},
    };
    for (const auto& c : cases) {
        ic.active = c.active;
        ic.GPM = c.gpm;
        ic.NPC = c.npc;
        ic.hours = 7;
        EXPECT_EQ(ic.getCosts(c.inches, 10, s.IrrigationEfficiency), 0) << c.what;
        EXPECT_EQ(ic.hours, 7) << c.what;
    }
}

TEST_F(IrrigationCost, TrendOverrideChargesPerNetAcreInch)
{
    ic.UseBatch = true;
    ic.BatchIrrigationCosts = 2.5;
    ic.active = false;
    ic.GPM = 0;
    ic.hours = 7;
    EXPECT_DOUBLE_EQ(ic.getCosts(6, 10, s.IrrigationEfficiency), 150);
    EXPECT_EQ(ic.hours, 7);
}

TEST_F(IrrigationCost, FieldHoursAreTheFieldsOwnAndLeaveTheHeldHours)
{
    ic.hours = 7;
    EXPECT_NEAR(ic.fieldHours(9, 10, s.IrrigationEfficiency), 56.25, 1e-12);
    EXPECT_EQ(ic.fieldHours(0, 10, s.IrrigationEfficiency), 0) << "a field without water pumps nothing";
    ic.UseBatch = true; // a cost override does not change how long the water takes
    ic.BatchIrrigationCosts = 2.5;
    EXPECT_NEAR(ic.fieldHours(9, 10, s.IrrigationEfficiency), 56.25, 1e-12);
    ic.active = false;
    EXPECT_EQ(ic.fieldHours(9, 10, s.IrrigationEfficiency), 0);
    EXPECT_EQ(ic.hours, 7);
}

TEST_F(IrrigationCost, ZeroEfficiencyIsRefusedAndOtherFaultsArePassedOver)
{
    s.IrrigationEfficiency = 0;
    EXPECT_THROW(ic.getCosts(9, 10, s.IrrigationEfficiency), NonFiniteResult);
    EXPECT_EQ(ic.getCosts(0, 10, s.IrrigationEfficiency), 0); // the guards come first
    s.IrrigationEfficiency = 0.9;
    ic.cost = 1e308; // the fuel cost overflows: that step is passed over
    EXPECT_NEAR(ic.getCosts(9, 10, s.IrrigationEfficiency), 100, 1e-9);
    EXPECT_NEAR(ic.hours, 56.25, 1e-12);
}

TEST_F(IrrigationCost, SeasonCapacityCopyAndSavedLines)
{
    ic.dblEstHours = 1000;
    EXPECT_NEAR(ic.getMaxInches(100), 17.677, 0.0005);
    EXPECT_EQ(ic.getMaxInches(0), 0);

    ic.hours = 3;
    ic.dblMaxInches = 4;
    ic.UseBatch = true;
    ic.BatchIrrigationCosts = 2;
    ic.FuelType = "Diesel";
    auto c = ic.Copy();
    EXPECT_EQ(c->hours, 3);
    EXPECT_EQ(c->dblMaxInches, 4);
    EXPECT_TRUE(c->UseBatch);
    EXPECT_EQ(c->BatchIrrigationCosts, 2);
    EXPECT_EQ(c->writeData(), "800\r\n200\r\n30\r\n10\r\n0\r\n0.5\r\n12.5\r\n3\r\nTrue\r\nDiesel\r\n1000");
    EXPECT_EQ(IrrigationCosts().writeData(), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nFalse\r\n\r\n0");
}
