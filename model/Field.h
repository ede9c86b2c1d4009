#pragma once
// One field of an allocation: its area, crop, net depth, rainfall and irrigation costs, with cached totals
// (0 means not computed).
#include <memory>

#include "model/Crop.h"
#include "model/IrrigationCosts.h"
#include "model/SessionState.h"

namespace korvel {

class Field {
public:
    double acres = 0.0;
    double Depth = 0.0; // net irrigation, inches
    std::shared_ptr<Crop> theCrop = std::make_shared<Crop>();
    double annualRain = 0.0;
    std::shared_ptr<IrrigationCosts> irrigCosts = std::make_shared<IrrigationCosts>();
    double TotalCost = 0.0;
    double TotalReturn = 0.0;

    double getReturn();
    // Irrigation plus production cost, cached in TotalCost. Both throw NonFiniteResult when the gross depth
    // (Depth divided by s.IrrigationEfficiency) is not finite, e.g. for an efficiency of 0.
    double getCosts(const SessionState& s);
    // Production cost only, not cached.
    double getProductionCosts(const SessionState& s);
    double getProfit(const SessionState& s);
    // acres, Depth, theCrop.Copy, annualRain, irrigCosts.Copy and TotalCost (not TotalReturn).
    std::shared_ptr<Field> Copy() const;
};

} // namespace korvel
