#include "model/inputCosts.h"

#include "model/Crop.h"
#include "model/Errors.h"
#include "model/InputsItems.h"
#include "model/Numbers.h"
#include "model/ProductionCostFields.h"

namespace korvel {

namespace {

struct NutrientFactors {
    double nitrogen;
    double phosphorus;
};

// Pounds of nutrient per unit of yield; any other crop name has no factor.
NutrientFactors nutrientFactors(const std::string& cropType)
{
    if (cropType == "Corn")
        return {1.35, 0.43};
    if (cropType == "Grain Sorghum")
        return {1.25, 0.44};
    if (cropType == "Wheat")
        return {1.75, 0.55};
    if (cropType == "Sunflower")
        return {0.05, 0.018};
    if (cropType == "Alfalfa")
        return {0, 14.88};
    if (cropType == "Soybeans")
        return {0, 0.87};
    return {0, 0};
}

// The optimal seeding rate of a crop for n net inches, from the wettest threshold down.
bool optimalSeedRate(const std::string& cropType, double n, double& rate)
{
    if (cropType == "Wheat") {
        rate = 90;
        return true;
    }
    if (cropType == "Alfalfa") {
        rate = 3;
        return true;
    }
    const double* row = nullptr;
    static const double corn[6] = {32000, 29000, 26000, 23000, 20000, 17000};
    static const double soybeans[6] = {200000, 185000, 170000, 155000, 140000, 125000};
    static const double sunflower[6] = {25500, 24000, 22500, 21000, 19500, 18000};
    static const double sorghum[6] = {7.81, 6.56, 5.31, 4.06, 2.81, 1.56};
    if (cropType == "Corn")
        row = corn;
    else if (cropType == "Soybeans")
        row = soybeans;
    else if (cropType == "Sunflower")
        row = sunflower;
    else if (cropType == "Grain Sorghum")
        row = sorghum;
    else
        return false;
    static const double thresholds[6] = {18, 15, 12, 9, 6, 0};
    for (int i = 0; i < 6; ++i) {
        if (n >= thresholds[i]) {
            rate = row[i];
            return true;
        }
    }
    return false;
}

} // namespace

inputCosts inputCosts::Copy() const
{
    inputCosts c = *this;
    c.AlfalfaFlat = 0.0;
    return c;
}

std::string inputCosts::writeData() const
{
    std::string text;
    for (std::size_t i = 0; i < kProductionCostFields.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += std::visit(Overloaded{[this](double inputCosts::*m) { return InputsFile::numberItem(this->*m); },
                                      [this](bool inputCosts::*m) { return num::boolText(this->*m); },
                                      [this](Variant inputCosts::*m) { return InputsFile::valueItem(this->*m); }},
                           kProductionCostFields[i].member);
    }
    return text;
}

double inputCosts::getCosts(double acres, double bushels, const Crop& theCrop, double& grossIrrig, double efficiency)
{
    if (UseBatch)
        return BatchGeneralCosts * acres;

    double standDivisor = 1;
    if (theCrop.priceUnits() == "ton") {
        if (AlfalfaStand.number() == 0)
            AlfalfaStand = Variant(1);
        standDivisor = AlfalfaStand.number();
    }

    const NutrientFactors f = nutrientFactors(theCrop.cropType);
    double total;
    if (NOptimal) {
        total = f.nitrogen * bushels * NitrogenCost * acres;
        NPerAcre = f.nitrogen * bushels;
    } else {
        total = NitrogenCost * NitrogenApplied * acres;
        NPerAcre = NitrogenApplied;
    }
    if (POptimal) {
        total = total + f.phosphorus * bushels * PCost * acres;
        PPerAcre = f.phosphorus * bushels;
    } else {
        total = total + PCost * PApplied * acres;
        PPerAcre = PApplied;
    }
    total = total + getSeedCost(acres, bushels, theCrop.cropType, grossIrrig, efficiency) / standDivisor;
    total = total + Herbicide * acres;
    total = total + Insecticide * acres;
    total = total + (Tillage * acres) / standDivisor;
    total = total + (Planting * acres) / standDivisor;
    total = total + FertilizerApplication * acres;
    total = total + HerbicideApplication * acres;
    total = total + InsecticideApplication * acres;
    total = total + getHarvestCost(acres, bushels, theCrop.cropType);
    total = total + MiscCost * acres;
    return total;
}

double inputCosts::getReturns(double acres) const
{
    return Returns * acres;
}

double inputCosts::getHarvestCost(double acres, double bushels, const std::string& cropType) const
{
    const double a = acres;
    const double y = bushels;
    if (cropType == "Alfalfa") {
        if (AlfalfaPerTon.number() > 0)
            return AlfalfaPerTon.number() * y * a;
        return (AlfalfaSwathing.number() * AlfalfaSwathingNum.number() +
                AlfalfaRaking.number() * AlfalfaRakingNum.number() +
                AlfalfaBaling.number() * AlfalfaBalingNum.number()) *
               a;
    }
    if (cropType == "Sunflower") {
        // Sunflower harvest rates are quoted per 100 units of yield.
        if (HarvestFlatRate.number() > 0)
            return HarvestFlatRate.number() * (y / 100) * a;
        return (HarvestBasePerAcre.number() + HarvestExceedRate.number() * (y - HarvestExceedBu.number()) / 100 +
                HarvestHauling.number() * y / 100) *
               a;
    }
    if (HarvestFlatRate.number() > 0)
        return HarvestFlatRate.number() * y * a;
    return (HarvestBasePerAcre.number() + HarvestExceedRate.number() * (y - HarvestExceedBu.number()) +
            HarvestHauling.number() * y) *
           a;
}

double inputCosts::getSeedCost(double acres, double /*bushels*/, const std::string& cropType, double& grossIrrig,
                               double efficiency)
{
    grossIrrig = grossIrrig * efficiency;
    const double n = grossIrrig;
    const double divisor = (cropType == "Alfalfa" || cropType == "Grain Sorghum" || cropType == "Wheat") ? 1 : 1000;
    if (SeedOptimal) {
        double rate = 0;
        if (optimalSeedRate(cropType, n, rate))
            SeedRate = rate;
    }
    return SeedRate / divisor * SeedCost * acres;
}

} // namespace korvel
