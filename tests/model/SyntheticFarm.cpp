#include "SyntheticFarm.h"

#include <cmath>

#include "model/Field.h"
#include "model/FieldCollection.h"
#include "model/MakingCropCombos.h"
#include "model/MakingSplits.h"
#include "model/Numbers.h"

namespace korvel::testing {
namespace {

double uniform(std::mt19937_64& rng, double lo, double hi)
{
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}
bool coin(std::mt19937_64& rng, double p = 0.5)
{
    return std::bernoulli_distribution(p)(rng);
}
// Money-like values: whole cents.
double cents(std::mt19937_64& rng, double lo, double hi)
{
    return std::round(uniform(rng, lo, hi) * 100.0) / 100.0;
}
Variant maybe(std::mt19937_64& rng, double lo, double hi)
{
    if (coin(rng, 0.15))
        return Variant();
    return Variant(cents(rng, lo, hi));
}

} // namespace

std::shared_ptr<Crop> randomCrop(std::mt19937_64& rng, const std::string& name, double rain, const CropOptions& options)
{
    auto crop = std::make_shared<Crop>();
    crop->cropType = name;
    const bool forage = name == "Alfalfa";
    const std::string unit = forage ? "ton" : name == "Sunflower" ? "lb" : "bu.";
    crop->cropUnits = unit + "," + unit + "s";
    crop->cropUnitsArray = {unit, unit + "s"};
    crop->price = forage ? cents(rng, 60, 140) : name == "Sunflower" ? cents(rng, 0.1, 0.3) : cents(rng, 2, 12);
    crop->maxYield = forage                ? std::round(uniform(rng, 4, 9))
                     : name == "Sunflower" ? std::round(uniform(rng, 1200, 2600))
                                           : std::round(uniform(rng, 40, 250));
    crop->soilName = "Silt Loam";
    crop->Custom = name == "Pinto Beans";

    // Rows: net irrigation 0 to lastRow inches; columns: rainfall 0 to 21 inches, zero below 11.
    const int lastRow = std::uniform_int_distribution<int>(14, 26)(rng);
    const double top = options.fractions ? 1.0 : crop->maxYield * uniform(rng, 0.8, 1.1);
    const double scale = uniform(rng, 4.0, 10.0);
    YieldTable table(static_cast<std::size_t>(lastRow) + 1, std::vector<double>(22, 0.0));
    if (name != "Fallow" || coin(rng)) {
        for (int r = 0; r <= lastRow; ++r)
            for (int c = 11; c <= 21; ++c) {
                const double water = r + 0.6 * (c - 11) + 3.0;
                double v = top * (1.0 - std::exp(-water / scale));
                v = options.fractions ? std::round(v * 100.0) / 100.0 : std::round(v * 10.0) / 10.0;
                table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = std::max(v, 0.0);
            }
        crop->setYieldTable(table);
    } else if (coin(rng)) {
        crop->setYieldTable(table); // a "Fallow" table of zeros; an empty one otherwise
    }
    crop->setNormal(crop->maxYield, rain);

    inputCosts& ic = crop->inputCosts;
    if (!options.noCosts) {
        ic.NitrogenCost = cents(rng, 0.3, 0.7);
        ic.NitrogenApplied = std::round(uniform(rng, 0, 220));
        ic.PCost = cents(rng, 0.2, 0.6);
        ic.PApplied = std::round(uniform(rng, 0, 60));
        ic.SeedCost = cents(rng, 0.5, 4);
        ic.SeedRate = std::round(uniform(rng, 1, 30000));
        ic.Herbicide = cents(rng, 0, 30);
        ic.Insecticide = cents(rng, 0, 20);
        ic.Tillage = cents(rng, 0, 40);
        ic.Planting = cents(rng, 0, 25);
        ic.FertilizerApplication = cents(rng, 0, 10);
        ic.HerbicideApplication = cents(rng, 0, 8);
        ic.InsecticideApplication = cents(rng, 0, 8);
        ic.HarvestBasePerAcre = maybe(rng, 10, 30);
        ic.HarvestExceedBu = maybe(rng, 20, 150);
        ic.HarvestExceedRate = maybe(rng, 0, 0.3);
        ic.HarvestHauling = maybe(rng, 0, 0.4);
        ic.HarvestFlatRate = coin(rng, 0.3) ? maybe(rng, 0.1, 0.5) : Variant(0.0);
        ic.AlfalfaSwathing = maybe(rng, 5, 15);
        ic.AlfalfaSwathingNum = maybe(rng, 2, 5);
        ic.AlfalfaRaking = maybe(rng, 3, 8);
        ic.AlfalfaRakingNum = maybe(rng, 2, 5);
        ic.AlfalfaBaling = maybe(rng, 0.5, 2);
        ic.AlfalfaBalingNum = maybe(rng, 10, 40);
        ic.AlfalfaPerTon = coin(rng, 0.3) ? maybe(rng, 8, 20) : Variant(0.0);
        const int stand = std::uniform_int_distribution<int>(0, 3)(rng);
        ic.AlfalfaStand = stand == 0 ? Variant() : stand == 1 ? Variant(0.0) : Variant(stand + 1);
        ic.Returns = coin(rng, 0.3) ? cents(rng, 0, 40) : 0.0;
        ic.MiscCost = cents(rng, 0, 20);
    }
    if (options.optimalRates) {
        ic.NOptimal = ic.POptimal = ic.SeedOptimal = true;
    } else {
        ic.NOptimal = coin(rng);
        ic.POptimal = coin(rng);
        ic.SeedOptimal = coin(rng);
    }
    ic.AlfalfaFlat = cents(rng, 1, 5); // never copied
    ic.theString = "kept";
    crop->Yield = 12.5; // overwritten by setYield
    return crop;
}

IrrigationCosts randomIrrigation(std::mt19937_64& rng)
{
    IrrigationCosts ic;
    ic.GPM = std::round(uniform(rng, 400, 1200));
    ic.Lift = std::round(uniform(rng, 50, 300));
    ic.PSI = std::round(uniform(rng, 10, 50));
    ic.LaborPerHour = cents(rng, 8, 20);
    ic.FixedPerAcre = cents(rng, 0, 30);
    ic.RepairsPerAcreInch = cents(rng, 0.1, 1.5);
    ic.NPC = 12.5;
    ic.cost = cents(rng, 1, 4);
    ic.dblEstHours = std::round(uniform(rng, 500, 2500));
    ic.dblMaxInches = 3.5;
    ic.active = coin(rng, 0.85);
    ic.FuelType = "Diesel";
    ic.hours = 7.0;
    return ic;
}

void buildRun(Farm& farm, int preset, int factor, double acres, double grossInches, double efficiency, double rain,
              const std::vector<std::shared_ptr<Crop>>& crops)
{
    farm.s.SplitFactor = static_cast<std::int16_t>(factor);
    farm.s.IrrigationEfficiency = efficiency;
    farm.acres = acres;
    farm.rain = rain;
    MakingSplits::makeLandSplit(farm.s, preset);
    farm.s.LandSplit = MakingSplits::scaleLandSplit(*farm.s.LandSplit, acres);
    farm.landSplit = farm.s.LandSplit;
    const int n = farm.landSplit->Count();
    farm.netWater = num::roundHalfEven(acres * grossInches) * efficiency;
    const SplitCollection water = MakingSplits::makeWaterSplits(farm.s, n, farm.netWater);
    farm.depthSplits = MakingSplits::makeDepthSplits(water, *farm.landSplit);
    for (const auto& c : crops)
        farm.crops.Add(c);
    farm.combos = MakingCropCombos::makeCropCombos(farm.crops, n);
}

void submitSingleCropPlans(Farm& farm, BestMix& list)
{
    // The run hands over the crop itself and the irrigation costs themselves, and submitting computes on
    // them; fresh copies here let two lists receive the same plans.
    const auto irrigation = farm.irrigCosts->Copy();
    for (const auto& libraryCrop : farm.crops) {
        const auto crop = libraryCrop->Copy();
        FieldCollection plan;
        auto field = std::make_shared<Field>();
        field->acres = farm.acres;
        field->Depth = crop->cropType == "Fallow" ? 0.0 : farm.netWater / farm.acres;
        field->annualRain = farm.rain;
        field->theCrop = crop;
        field->irrigCosts = irrigation;
        field->IrrigationEfficiency = farm.s.IrrigationEfficiency;
        plan.Add(field);
        crop->setYield(field->Depth, field->annualRain);
        list.submit(plan, farm.s);
    }
}

} // namespace korvel::testing
