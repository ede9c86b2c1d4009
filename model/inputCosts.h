#pragma once
// The production costs and other returns of one crop, with the optimal-rate rules, the spreading of a
// forage stand's establishment costs over its life, and the trend override.
#include <string>

#include "model/Variant.h"

namespace korvel {

class Crop;

class inputCosts {
public:
    double NitrogenCost = 0.0;
    double NitrogenApplied = 0.0;
    bool NOptimal = false;
    double PCost = 0.0;
    double PApplied = 0.0;
    bool POptimal = false;
    double SeedCost = 0.0;
    double SeedRate = 0.0;
    bool SeedOptimal = false;
    double Herbicide = 0.0;
    double Insecticide = 0.0;
    double Tillage = 0.0;
    double Planting = 0.0;
    double FertilizerApplication = 0.0;
    double HerbicideApplication = 0.0;
    double InsecticideApplication = 0.0;
    Variant HarvestBasePerAcre;
    Variant HarvestExceedBu;
    Variant HarvestExceedRate;
    Variant HarvestHauling;
    Variant HarvestFlatRate;
    Variant AlfalfaSwathing;
    Variant AlfalfaSwathingNum;
    Variant AlfalfaRaking;
    Variant AlfalfaRakingNum;
    Variant AlfalfaBaling;
    Variant AlfalfaBalingNum;
    Variant AlfalfaPerTon;
    Variant AlfalfaStand;
    double AlfalfaFlat = 0.0; // not used, not copied, not saved
    double Returns = 0.0;
    double MiscCost = 0.0;
    std::string theString; // not used; kept by Copy
    double NPerAcre = 0.0; // output of getCosts
    double PPerAcre = 0.0; // output of getCosts
    bool UseBatch = false;
    double BatchGeneralCosts = 0.0;

    // Every field except AlfalfaFlat (the copy's is 0).
    inputCosts Copy() const;
    // The saved values (kProductionCostFields, in its order) joined by CR LF, none after the last.
    std::string writeData() const;
    // Production cost of acres acres yielding bushels units per acre of theCrop with grossIrrig gross inches;
    // writes NPerAcre, PPerAcre, possibly SeedRate and AlfalfaStand, and turns the caller's grossIrrig into
    // net inches (times the efficiency fraction efficiency).
    double getCosts(double acres, double bushels, const Crop& theCrop, double& grossIrrig, double efficiency);
    double getReturns(double acres) const;
    double getHarvestCost(double acres, double bushels, const std::string& cropType) const;
    double getSeedCost(double acres, double bushels, const std::string& cropType, double& grossIrrig,
                       double efficiency);
};

} // namespace korvel
