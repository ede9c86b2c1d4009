#include "ui/main/CostPreviews.h"

#include <cmath>

#include "model/Crop.h"
#include "model/IrrigationCosts.h"
#include "model/inputCosts.h"

namespace korvel::ui::CostPreviews {

namespace {

// The production cost of one acre yielding nothing, without irrigation, of a crop that is not a forage stand:
// what is left of the cost is exactly the inputs that were put into costs.
double costOfOneBareAcre(const std::string& cropType, inputCosts costs)
{
    Crop crop;
    crop.cropType = cropType;
    crop.cropUnitsArray = {"unit", "units"};
    double noIrrigation = 0;
    return costs.getCosts(1, 0, crop, noIrrigation, 1.0);
}

} // namespace

double generalInputCosts(const std::string& cropType, const GeneralInputs& in)
{
    inputCosts c;
    c.NitrogenCost = in.nitrogenCost;
    c.NitrogenApplied = in.nitrogenRate;
    c.PCost = in.phosphorusCost;
    c.PApplied = in.phosphorusRate;
    c.SeedCost = in.seedCost;
    c.SeedRate = in.seedRate;
    c.Herbicide = in.herbicide;
    c.Insecticide = in.insecticide;
    return costOfOneBareAcre(cropType, c);
}

double operationCosts(double tillage, double planting, double fertilizerApplication, double insecticideApplication,
                      double herbicideApplication)
{
    inputCosts c;
    c.Tillage = tillage;
    c.Planting = planting;
    c.FertilizerApplication = fertilizerApplication;
    c.InsecticideApplication = insecticideApplication;
    c.HerbicideApplication = herbicideApplication;
    return costOfOneBareAcre(std::string(), c);
}

double pumpingCostPerAcreInch(double gpm, double lift, double psi, double fuelCost, double repairsPerAcreInch,
                              double npc)
{
    if (!(gpm > 0))
        return repairsPerAcreInch;
    IrrigationCosts plant;
    plant.GPM = gpm;
    plant.Lift = lift;
    plant.PSI = psi;
    plant.cost = fuelCost;
    plant.RepairsPerAcreInch = repairsPerAcreInch;
    plant.NPC = npc;
    plant.active = true;
    // One net inch on one acre at full efficiency is one gross acre-inch.
    return plant.getCosts(1, 1, 1.0);
}

std::optional<double> seasonInches(double gpm, double hours, double acres)
{
    const double inches = gpm * 60 * hours / 27154.2876 / acres;
    if (!std::isfinite(inches))
        return std::nullopt;
    return inches;
}

std::optional<double> fuelEnergy(const QString& fuel)
{
    if (fuel == QLatin1String("Diesel"))
        return 12.5;
    if (fuel == QLatin1String("Natural Gas"))
        return 61.7;
    if (fuel == QLatin1String("Propane"))
        return 6.89;
    if (fuel == QLatin1String("Electricity"))
        return 0.885;
    return std::nullopt;
}

} // namespace korvel::ui::CostPreviews
