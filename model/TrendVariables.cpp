#include "model/TrendVariables.h"

#include <initializer_list>
#include <string_view>

namespace korvel::TrendVariables {

namespace {

std::string_view unitAt(const std::vector<std::string>& units, std::size_t k)
{
    return k < units.size() ? std::string_view(units[k]) : std::string_view();
}

// The pieces one after another, appended into one string. (Written this way because GCC 12 wrongly warns of
// overlapping copies, -Wrestrict, when a literal is put in front of a temporary string.)
std::string joined(std::initializer_list<std::string_view> pieces)
{
    std::size_t length = 0;
    for (std::string_view piece : pieces)
        length += piece.size();
    std::string text;
    text.reserve(length);
    for (std::string_view piece : pieces)
        text += piece;
    return text;
}

bool known(int id)
{
    return id >= 0 && id < kTrendVariableCount;
}

} // namespace

bool appliesToOneCrop(int id)
{
    return id >= 0 && id <= 2;
}

std::string optionCaption(int id)
{
    static const char* const captions[] = {"Price per Unit",   "Total Production Costs*",
                                           "Maximum Yield",    "Irrigation System Efficiency",
                                           "Irrigation Costs", "Effective Annual Rainfall"};
    return known(id) ? captions[id] : "";
}

std::string variableTrendName(int id)
{
    static const char* const names[] = {"Crop Price",       "General Production Costs",
                                        "Maximum Yield",    "Irrigation System Efficiency",
                                        "Irrigation Costs", "Annual Rainfall"};
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
    case CropPriceVariable: return {"$", joined({"/ ", unitAt(cropUnitsArray, 0)})};
    case ProductionCostsVariable: return {"$", "/ ac"};
    case MaximumYieldVariable: return {"", joined({unitAt(cropUnitsArray, 1), " / acre"})};
    case EfficiencyVariable: return {"", "%"};
    case IrrigationCostsVariable: return {"$", "/ ac-in"};
    case RainfallVariable: return {"", "inches"};
    default: return {"", ""};
    }
}

std::string unitLabel(int id, const std::vector<std::string>& cropUnitsArray)
{
    switch (id) {
    case CropPriceVariable: return joined({"($ / ", unitAt(cropUnitsArray, 0), ")"});
    case ProductionCostsVariable: return "($ / ac)";
    case MaximumYieldVariable: return joined({"(", unitAt(cropUnitsArray, 1), " / acre)"});
    case EfficiencyVariable: return "(%)";
    case IrrigationCostsVariable: return "($ / ac-in)";
    case RainfallVariable: return "(inches)";
    default: return "";
    }
}

} // namespace korvel::TrendVariables
