#pragma once
// One field of an allocation: its area, crop, net depth, rainfall and irrigation costs, with cached totals
// (0 means not computed).
#include <memory>
#include <optional>

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
    // The efficiency fraction the field is computed with: that of the run that built it, or the one a fixed
    // trend on the efficiency gave it. A field built without one takes the session's (that of the last run).
    std::optional<double> IrrigationEfficiency;

    // The field's efficiency fraction: its own, else s.IrrigationEfficiency.
    double efficiency(const SessionState& s) const;
    // Gross irrigation, inches: Depth divided by efficiency(s). Throws NonFiniteResult when it is not finite,
    // e.g. for an efficiency of 0.
    double grossDepth(const SessionState& s) const;

    double getReturn();
    // Irrigation plus production cost at efficiency(s), cached in TotalCost. Both throw NonFiniteResult when
    // the gross depth is not finite.
    double getCosts(const SessionState& s);
    // Production cost only, not cached.
    double getProductionCosts(const SessionState& s);
    double getProfit(const SessionState& s);
    // acres, Depth, theCrop.Copy, annualRain, irrigCosts.Copy, TotalCost and the efficiency (not TotalReturn).
    std::shared_ptr<Field> Copy() const;
};

} // namespace korvel
