#include "BenchFarm.h"

#include <cmath>
#include <string>

namespace korvel::bench {
namespace {

// A yield table with rows 0..24 inches of net irrigation and columns 0..21 inches of rainfall (zero below
// 11): a yield response that rises with water and levels off.
YieldTable responseTable(double dryYield, double wetYield, double scale)
{
    YieldTable table(25, std::vector<double>(22, 0.0));
    for (int r = 0; r <= 24; ++r)
        for (int c = 11; c <= 21; ++c) {
            const double water = r + 0.7 * (c - 11);
            const double y = dryYield + (wetYield - dryYield) * (1.0 - std::exp(-water / scale));
            table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = std::round(y * 10.0) / 10.0;
        }
    return table;
}

std::shared_ptr<Crop> crop(const std::string& name, const std::string& unit, double price, double maxYield,
                           const YieldTable& table, double rain)
{
    auto c = std::make_shared<Crop>();
    c->cropType = name;
    c->cropUnits = unit + "," + unit + "s";
    c->cropUnitsArray = {unit, unit + "s"};
    c->price = price;
    c->maxYield = maxYield;
    c->setYieldTable(table);
    c->setNormal(maxYield, rain);
    c->soilName = "Silt Loam";
    return c;
}

void fieldCosts(inputCosts& ic, double herbicide, double insecticide, double tillage, double planting, double misc)
{
    ic.Herbicide = herbicide;
    ic.Insecticide = insecticide;
    ic.Tillage = tillage;
    ic.Planting = planting;
    ic.FertilizerApplication = 6.5;
    ic.HerbicideApplication = 5.0;
    ic.InsecticideApplication = insecticide > 0 ? 5.0 : 0.0;
    ic.MiscCost = misc;
}

} // namespace

std::vector<std::shared_ptr<Crop>> sevenCrops(double rain)
{
    std::vector<std::shared_ptr<Crop>> crops;
    {
        auto c = crop("Corn", "bu.", 4.35, 230, responseTable(45, 240, 7.5), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 3.1;
        ic.SeedRate = 28000;
        ic.SeedOptimal = true;
        fieldCosts(ic, 32, 18, 22, 18, 25);
        ic.HarvestBasePerAcre = 28.0;
        ic.HarvestExceedBu = 100.0;
        ic.HarvestExceedRate = 0.18;
        ic.HarvestHauling = 0.16;
        ic.HarvestFlatRate = 0.0;
        crops.push_back(c);
    }
    {
        auto c = crop("Grain Sorghum", "bu.", 4.05, 140, responseTable(40, 145, 6.0), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.PApplied = 25;
        ic.SeedCost = 1.6;
        ic.SeedRate = 5;
        ic.SeedOptimal = true;
        fieldCosts(ic, 24, 6, 20, 15, 18);
        ic.HarvestBasePerAcre = 24.0;
        ic.HarvestExceedBu = 60.0;
        ic.HarvestExceedRate = 0.16;
        ic.HarvestHauling = 0.14;
        crops.push_back(c);
    }
    {
        auto c = crop("Wheat", "bu.", 6.10, 75, responseTable(30, 78, 5.0), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 0.22;
        ic.SeedRate = 90;
        ic.SeedOptimal = true;
        fieldCosts(ic, 12, 4, 24, 14, 15);
        ic.HarvestBasePerAcre = 22.0;
        ic.HarvestExceedBu = 30.0;
        ic.HarvestExceedRate = 0.15;
        ic.HarvestHauling = 0.15;
        crops.push_back(c);
    }
    {
        auto c = crop("Sunflower", "lb", 0.21, 2200, responseTable(700, 2300, 6.5), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.PApplied = 20;
        ic.SeedCost = 4.2;
        ic.SeedRate = 21000;
        ic.SeedOptimal = true;
        fieldCosts(ic, 22, 14, 20, 15, 16);
        ic.HarvestBasePerAcre = 26.0;
        ic.HarvestExceedBu = 1000.0;
        ic.HarvestExceedRate = 1.0;
        ic.HarvestHauling = 0.5;
        crops.push_back(c);
    }
    {
        auto c = crop("Alfalfa", "ton", 125, 7.5, responseTable(1.5, 7.8, 9.0), rain);
        auto& ic = c->inputCosts;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 4.5;
        ic.SeedRate = 15;
        ic.SeedOptimal = true;
        fieldCosts(ic, 18, 10, 30, 20, 20);
        ic.AlfalfaSwathing = 12.0;
        ic.AlfalfaSwathingNum = 4.0;
        ic.AlfalfaRaking = 6.0;
        ic.AlfalfaRakingNum = 4.0;
        ic.AlfalfaBaling = 1.1;
        ic.AlfalfaBalingNum = 25.0;
        ic.AlfalfaPerTon = 0.0;
        ic.AlfalfaStand = 4.0;
        crops.push_back(c);
    }
    {
        auto c = crop("Soybeans", "bu.", 10.90, 68, responseTable(20, 70, 6.0), rain);
        auto& ic = c->inputCosts;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 0.38;
        ic.SeedRate = 150000;
        ic.SeedOptimal = true;
        fieldCosts(ic, 28, 12, 20, 16, 18);
        ic.HarvestBasePerAcre = 26.0;
        ic.HarvestExceedBu = 30.0;
        ic.HarvestExceedRate = 0.2;
        ic.HarvestHauling = 0.15;
        crops.push_back(c);
    }
    {
        auto c = crop("Fallow", "bu.", 0, 0, YieldTable(25, std::vector<double>(22, 0.0)), rain);
        fieldCosts(c->inputCosts, 14, 0, 10, 0, 4);
        c->inputCosts.FertilizerApplication = 0;
        crops.push_back(c);
    }
    return crops;
}

IrrigationCosts farmIrrigation()
{
    IrrigationCosts ic;
    ic.GPM = 800;
    ic.Lift = 150;
    ic.PSI = 30;
    ic.LaborPerHour = 12;
    ic.FixedPerAcre = 15;
    ic.RepairsPerAcreInch = 0.8;
    ic.NPC = 12.5;
    ic.cost = 3.5;
    ic.dblEstHours = 2000;
    ic.active = true;
    ic.FuelType = "Diesel";
    return ic;
}

} // namespace korvel::bench
