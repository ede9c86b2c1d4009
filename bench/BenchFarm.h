#pragma once
// The farm every benchmark scenario works on: 640 acres in four fields of 160, 12 gross inches at 85 %,
// 16 inches of rain, seven crops with plausible yield tables and costs, and a diesel pumping plant.
#include <memory>
#include <vector>

#include "model/Crop.h"
#include "model/IrrigationCosts.h"

namespace korvel::bench {

inline constexpr double kAcres = 640;
inline constexpr double kGrossInches = 12;
inline constexpr double kEfficiencyPercent = 85;
inline constexpr double kRain = 16;
inline constexpr int kFourFields = 4; // the preset "25 - 25 - 25 - 25"

// Corn, Grain Sorghum, Wheat, Sunflower, Alfalfa, Soybeans and Fallow, priced and normalised at `rain`.
std::vector<std::shared_ptr<Crop>> sevenCrops(double rain);

// The pumping plant and irrigation costs of the farm.
IrrigationCosts farmIrrigation();

} // namespace korvel::bench
