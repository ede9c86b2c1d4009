#include "RankedListCompare.h"

#include <bit>
#include <cstdint>
#include <sstream>

#include "model/Numbers.h"

namespace korvel::testing {
namespace {

class Differ {
public:
    std::string where;
    std::string found;

    bool number(const char* name, double a, double b)
    {
        if (std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b))
            return true;
        std::ostringstream o;
        o.precision(17);
        o << where << name << ": expected " << a << ", got " << b;
        found = o.str();
        return false;
    }
    template <typename T>
    bool same(const char* name, const T& a, const T& b)
    {
        if (a == b)
            return true;
        found = where + name + " differs";
        return false;
    }
    bool variant(const char* name, const Variant& a, const Variant& b)
    {
        if (a.isEmpty() != b.isEmpty() || a.isNumber() != b.isNumber() || a.isText() != b.isText())
            return same(name, 0, 1);
        if (a.isNumber())
            return number(name, a.number(), b.number());
        return same(name, a.toString(), b.toString());
    }

    bool costs(const inputCosts& a, const inputCosts& b)
    {
        return number("NitrogenCost", a.NitrogenCost, b.NitrogenCost) &&
               number("NitrogenApplied", a.NitrogenApplied, b.NitrogenApplied) &&
               same("NOptimal", a.NOptimal, b.NOptimal) && number("PCost", a.PCost, b.PCost) &&
               number("PApplied", a.PApplied, b.PApplied) && same("POptimal", a.POptimal, b.POptimal) &&
               number("SeedCost", a.SeedCost, b.SeedCost) && number("SeedRate", a.SeedRate, b.SeedRate) &&
               same("SeedOptimal", a.SeedOptimal, b.SeedOptimal) && number("Herbicide", a.Herbicide, b.Herbicide) &&
               number("Insecticide", a.Insecticide, b.Insecticide) && number("Tillage", a.Tillage, b.Tillage) &&
               number("Planting", a.Planting, b.Planting) &&
               number("FertilizerApplication", a.FertilizerApplication, b.FertilizerApplication) &&
               number("HerbicideApplication", a.HerbicideApplication, b.HerbicideApplication) &&
               number("InsecticideApplication", a.InsecticideApplication, b.InsecticideApplication) &&
               variant("HarvestBasePerAcre", a.HarvestBasePerAcre, b.HarvestBasePerAcre) &&
               variant("HarvestExceedBu", a.HarvestExceedBu, b.HarvestExceedBu) &&
               variant("HarvestExceedRate", a.HarvestExceedRate, b.HarvestExceedRate) &&
               variant("HarvestHauling", a.HarvestHauling, b.HarvestHauling) &&
               variant("HarvestFlatRate", a.HarvestFlatRate, b.HarvestFlatRate) &&
               variant("AlfalfaSwathing", a.AlfalfaSwathing, b.AlfalfaSwathing) &&
               variant("AlfalfaSwathingNum", a.AlfalfaSwathingNum, b.AlfalfaSwathingNum) &&
               variant("AlfalfaRaking", a.AlfalfaRaking, b.AlfalfaRaking) &&
               variant("AlfalfaRakingNum", a.AlfalfaRakingNum, b.AlfalfaRakingNum) &&
               variant("AlfalfaBaling", a.AlfalfaBaling, b.AlfalfaBaling) &&
               variant("AlfalfaBalingNum", a.AlfalfaBalingNum, b.AlfalfaBalingNum) &&
               variant("AlfalfaPerTon", a.AlfalfaPerTon, b.AlfalfaPerTon) &&
               variant("AlfalfaStand", a.AlfalfaStand, b.AlfalfaStand) &&
               number("AlfalfaFlat", a.AlfalfaFlat, b.AlfalfaFlat) && number("Returns", a.Returns, b.Returns) &&
               number("MiscCost", a.MiscCost, b.MiscCost) && same("theString", a.theString, b.theString) &&
               number("NPerAcre", a.NPerAcre, b.NPerAcre) && number("PPerAcre", a.PPerAcre, b.PPerAcre) &&
               same("UseBatch", a.UseBatch, b.UseBatch) &&
               number("BatchGeneralCosts", a.BatchGeneralCosts, b.BatchGeneralCosts);
    }

    bool crop(const Crop& a, const Crop& b)
    {
        if (!(same("cropType", a.cropType, b.cropType) && same("cropUnits", a.cropUnits, b.cropUnits) &&
              same("cropUnitsArray", a.cropUnitsArray, b.cropUnitsArray) && number("price", a.price, b.price) &&
              number("inputCost", a.inputCost, b.inputCost) && number("maxYield", a.maxYield, b.maxYield) &&
              number("normalFactor", a.normalFactor, b.normalFactor) && number("Yield", a.Yield, b.Yield) &&
              same("Custom", a.Custom, b.Custom) && same("soil_ulysses", a.soil_ulysses, b.soil_ulysses) &&
              same("soil_valent", a.soil_valent, b.soil_valent) &&
              same("soil_valentine", a.soil_valentine, b.soil_valentine) && same("soilName", a.soilName, b.soilName)))
            return false;
        if (!same("yieldTable rows", a.yieldTable.size(), b.yieldTable.size()))
            return false;
        for (std::size_t r = 0; r < a.yieldTable.size(); ++r) {
            if (!same("yieldTable columns", a.yieldTable[r].size(), b.yieldTable[r].size()))
                return false;
            for (std::size_t c = 0; c < a.yieldTable[r].size(); ++c)
                if (!number("yieldTable value", a.yieldTable[r][c], b.yieldTable[r][c]))
                    return false;
        }
        return costs(a.inputCosts, b.inputCosts);
    }

    bool irrigation(const IrrigationCosts& a, const IrrigationCosts& b)
    {
        return number("GPM", a.GPM, b.GPM) && number("Lift", a.Lift, b.Lift) && number("PSI", a.PSI, b.PSI) &&
               number("LaborPerHour", a.LaborPerHour, b.LaborPerHour) &&
               number("FixedPerAcre", a.FixedPerAcre, b.FixedPerAcre) &&
               number("RepairsPerAcreInch", a.RepairsPerAcreInch, b.RepairsPerAcreInch) &&
               number("NPC", a.NPC, b.NPC) && number("cost", a.cost, b.cost) &&
               number("dblEstHours", a.dblEstHours, b.dblEstHours) &&
               number("dblMaxInches", a.dblMaxInches, b.dblMaxInches) && same("active", a.active, b.active) &&
               same("FuelType", a.FuelType, b.FuelType) && number("hours", a.hours, b.hours) &&
               same("UseBatch", a.UseBatch, b.UseBatch) &&
               number("BatchIrrigationCosts", a.BatchIrrigationCosts, b.BatchIrrigationCosts);
    }

    bool field(const Field& a, const Field& b)
    {
        if (!(number("acres", a.acres, b.acres) && number("Depth", a.Depth, b.Depth) &&
              number("annualRain", a.annualRain, b.annualRain) && number("field TotalCost", a.TotalCost, b.TotalCost) &&
              number("field TotalReturn", a.TotalReturn, b.TotalReturn)))
            return false;
        if (!same("field IrrigationEfficiency kept", a.IrrigationEfficiency.has_value(),
                  b.IrrigationEfficiency.has_value()) ||
            (a.IrrigationEfficiency &&
             !number("field IrrigationEfficiency", *a.IrrigationEfficiency, *b.IrrigationEfficiency)))
            return false;
        if ((a.theCrop == nullptr) != (b.theCrop == nullptr) || (a.irrigCosts == nullptr) != (b.irrigCosts == nullptr))
            return same("field objects", 0, 1);
        return (a.theCrop == nullptr || crop(*a.theCrop, *b.theCrop)) &&
               (a.irrigCosts == nullptr || irrigation(*a.irrigCosts, *b.irrigCosts));
    }

    bool allocation(const FieldCollection& a, const FieldCollection& b)
    {
        if (!(same("isNew", a.isNew, b.isNew) && same("isNothing", a.isNothing, b.isNothing) &&
              number("allocation TotalCost", a.TotalCost, b.TotalCost) && same("field count", a.Count(), b.Count()) &&
              same("theVariable", a.theVariable, b.theVariable) && same("theValue", a.theValue, b.theValue) &&
              same("theUnits", a.theUnits, b.theUnits)))
            return false;
        const std::string outer = where;
        for (long i = 1; i <= a.Count(); ++i) {
            where = outer + "field " + std::to_string(i) + ": ";
            if (!field(*a.Item(i), *b.Item(i)))
                return false;
        }
        where = outer;
        return true;
    }

    bool lists(const BestMix& a, const BestMix& b)
    {
        if (!same("list size", a.getSize(), b.getSize()) ||
            !same("entry count", a.entries().size(), b.entries().size()))
            return false;
        for (std::size_t e = 0; e < a.entries().size(); ++e) {
            where = "entry " + std::to_string(e) + ": ";
            const auto& x = a.entries()[e];
            const auto& y = b.entries()[e];
            if (x == nullptr || y == nullptr)
                return same("entry object", x == nullptr, y == nullptr);
            if (!allocation(*x, *y))
                return false;
            for (std::size_t other = 0; other < e; ++other)
                if (b.entries()[other] == y)
                    return same("entry shared with an earlier one", 0, 1);
        }
        return true;
    }
};

} // namespace

std::string firstDifference(const BestMix& expected, const BestMix& actual)
{
    Differ d;
    d.lists(expected, actual);
    return d.found;
}

std::string firstDifferenceWithProfits(BestMix& expected, BestMix& actual, const SessionState& s)
{
    if (std::string diff = firstDifference(expected, actual); !diff.empty())
        return diff;
    for (std::size_t e = 0; e < expected.entries().size(); ++e) {
        const double a = expected.entries()[e]->getProfit(s);
        const double b = actual.entries()[e]->getProfit(s);
        Differ d;
        d.where = "entry " + std::to_string(e) + ": ";
        if (!d.number("getProfit", a, b))
            return d.found;
    }
    if (std::string diff = firstDifference(expected, actual); !diff.empty())
        return "after getProfit: " + diff;
    return "";
}

} // namespace korvel::testing
