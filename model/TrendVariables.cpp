#include "model/TrendVariables.h"

namespace korvel::TrendVariables {

namespace {

std::string unitAt(const std::vector<std::string>& units, std::size_t k)
{
    return k < units.size() ? units[k] : std::string();
}

bool known(int id) { return id >= 0 && id < kTrendVariableCount; }

} // namespace

bool appliesToOneCrop(int id) { return id >= 0 && id <= 2; }

std::string optionCaption(int id)
{
    static const char* const captions[] = {"Price per Unit",   "Total Production Costs*", "Maximum Yield",
                                           "Irrigation System Efficiency", "Irrigation Costs",
                                           "Effective Annual Rainfall"};
    return known(id) ? captions[id] : "";
}

std::string variableTrendName(int id)
{
    static const char* const names[] = {"Crop Price",       "General Production Costs", "Maximum Yield",
                                        "Irrigation System Efficiency", "Irrigation Costs", "Annual Rainfall"};
    return known(id) ? names[id] : "";
}

std::string fixedTrendName(int id)
{
    if (id == ProductionCostsVariable)
        return "General Product Costs";
    return variableTrendName(id);
}

std::string fixedTrendDescription(int id, const std::string& cropType)
{
    switch (id) {
    case CropPriceVariable: return "Crop Price - " + cropType;
    case ProductionCostsVariable: return "General Production Costs - " + cropType;
    case MaximumYieldVariable: return "Maximum Yield - " + cropType;
    default: return variableTrendName(id);
    }
}

TrendUnits units(int id, const std::vector<std::string>& cropUnitsArray)
{
    switch (id) {
    case CropPriceVariable: return {"$", "/ " + unitAt(cropUnitsArray, 0)};
    case ProductionCostsVariable: return {"$", "/ ac"};
    case MaximumYieldVariable: return {"", unitAt(cropUnitsArray, 1) + " / acre"};
    case EfficiencyVariable: return {"", "%"};
    case IrrigationCostsVariable: return {"$", "/ ac-in"};
    case RainfallVariable: return {"", "inches"};
    default: return {"", ""};
    }
}

std::string unitLabel(int id, const std::vector<std::string>& cropUnitsArray)
{
    switch (id) {
    case CropPriceVariable: return "($ / " + unitAt(cropUnitsArray, 0) + ")";
    case ProductionCostsVariable: return "($ / ac)";
    case MaximumYieldVariable: return "(" + unitAt(cropUnitsArray, 1) + " / acre)";
    case EfficiencyVariable: return "(%)";
    case IrrigationCostsVariable: return "($ / ac-in)";
    case RainfallVariable: return "(inches)";
    default: return "";
    }
}

} // namespace korvel::TrendVariables
