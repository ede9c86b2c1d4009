#pragma once
// The six trend variables a trend process can vary, with the names, descriptions and units that the trend
// setup, the trend runs, the trend results view and the exports share.
//
//   id  option caption                  applies to        unit label      units {prefix, suffix}
//    0  "Price per Unit"                the chosen crop   "($ / u0)"      {"$", "/ " u0}
//    1  "Total Production Costs*"       the chosen crop   "($ / ac)"      {"$", "/ ac"}
//    2  "Maximum Yield"                 the chosen crop   "(u1 / acre)"   {"", u1 " / acre"}
//    3  "Irrigation System Efficiency"  every field       "(%)"           {"", "%"}
//    4  "Irrigation Costs"              every field       "($ / ac-in)"   {"$", "/ ac-in"}
//    5  "Effective Annual Rainfall"     every field       "(inches)"      {"", "inches"}
// u0 is the crop's singular unit (its price is quoted per u0, "bu."), u1 its plural yield unit ("bushels").
// Every function gives empty texts for an id outside 0..5.
#include <array>
#include <string>
#include <vector>

namespace korvel {

enum TrendVariable : int {
    CropPriceVariable = 0,
    ProductionCostsVariable = 1,
    MaximumYieldVariable = 2,
    EfficiencyVariable = 3,
    IrrigationCostsVariable = 4,
    RainfallVariable = 5,
};

inline constexpr int kTrendVariableCount = 6;

using TrendUnits = std::array<std::string, 2>; // {prefix, suffix}

namespace TrendVariables {

// Ids 0 to 2 apply to one crop, 3 to 5 to every field and crop.
bool appliesToOneCrop(int id);
// The caption of the setup pane's option button.
std::string optionCaption(int id);
// The name a variable trend shows ("General Production Costs").
std::string variableTrendName(int id);
// The name a fixed trend shows ("General Product Costs").
std::string fixedTrendName(int id);
// The description a fixed-trend option carries ("Crop Price - Corn", "Annual Rainfall").
std::string fixedTrendDescription(int id, const std::string& cropType);
// {prefix, suffix} of a value; u0 and u1 are taken from the crop's units (empty when it has none).
TrendUnits units(int id, const std::vector<std::string>& cropUnitsArray);
// The unit label of the setup pane ("($ / bu.)", "(bushels / acre)").
std::string unitLabel(int id, const std::vector<std::string>& cropUnitsArray);

} // namespace TrendVariables

} // namespace korvel
