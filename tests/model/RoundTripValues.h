#pragma once
// Comparing the values an inputs file round trip must give back, for the round-trip tests.
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "model/Crop.h"
#include "model/IrrigationCosts.h"
#include "model/Numbers.h"
#include "model/Variant.h"

namespace korvel::testing {

// Numbers come back bit for bit (a typed -0 stays -0).
inline bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
inline bool same(std::optional<double> a, double b)
{
    return a && same(*a, b);
}

// A value kept as read comes back alike in every use: the same text, a number bit for bit, and a text that is
// a number's plain decimal text ("4") perhaps as that number.
inline bool same(const Variant& a, const Variant& b)
{
    if (a.isNumber() && b.isNumber())
        return same(a.number(), b.number());
    if (a.isNumber() || b.isNumber()) {
        const Variant& number = a.isNumber() ? a : b;
        const Variant& text = a.isNumber() ? b : a;
        return text.toString() == number.toString() && same(num::parseNumeric(text.toString()), number.number());
    }
    return a.toString() == b.toString();
}

// A box text comes back when it is the same text, or a number the box reads alike ("85.50" as 85.5).
inline bool sameBoxText(const std::string& saved, const std::string& loaded)
{
    if (saved == loaded)
        return true;
    const auto a = num::parseNumeric(saved);
    const auto b = num::parseNumeric(loaded);
    return a && b && *a == *b && num::leadingNumberOrZero(saved) == num::leadingNumberOrZero(loaded);
}

inline std::string shown(const std::string& text)
{
    return "[" + text + "]";
}
inline std::string shown(double x)
{
    return num::plainTextExact(x);
}
inline std::string shown(const Variant& v)
{
    return v.isEmpty() ? "empty" : v.isNumber() ? "n:" + shown(v.number()) : "t:" + shown(v.toString());
}

// One value as saved and as loaded.
template <class T>
struct SavedAndLoaded {
    const char* name;
    const T& saved;
    const T& loaded;
};

// A line in out for every value that did not come back.
template <class T>
void compareAll(std::vector<std::string>& out, const std::string& prefix,
                std::initializer_list<SavedAndLoaded<T>> values)
{
    for (const SavedAndLoaded<T>& v : values)
        if (!same(v.saved, v.loaded))
            out.push_back(prefix + v.name + " " + shown(v.saved) + " came back as " + shown(v.loaded));
}

// Every irrigation value of `a` that `b` does not hold, one line each.
inline std::vector<std::string> irrigationDifferences(const IrrigationCosts& a, const IrrigationCosts& b)
{
    std::vector<std::string> out;
    compareAll<double>(out, "",
                       {{"GPM", a.GPM, b.GPM},
                        {"Lift", a.Lift, b.Lift},
                        {"PSI", a.PSI, b.PSI},
                        {"LaborPerHour", a.LaborPerHour, b.LaborPerHour},
                        {"FixedPerAcre", a.FixedPerAcre, b.FixedPerAcre},
                        {"RepairsPerAcreInch", a.RepairsPerAcreInch, b.RepairsPerAcreInch},
                        {"NPC", a.NPC, b.NPC},
                        {"cost", a.cost, b.cost},
                        {"dblEstHours", a.dblEstHours, b.dblEstHours}});
    if (a.active != b.active)
        out.push_back("active");
    if (a.FuelType != b.FuelType)
        out.push_back("FuelType " + shown(a.FuelType) + " came back as " + shown(b.FuelType));
    return out;
}

// Every value of the crop `s` that `l` does not hold, one line each.
inline std::vector<std::string> cropDifferences(const Crop& s, const Crop& l)
{
    std::vector<std::string> out;
    const std::string crop = shown(s.cropType) + ": ";
    const inputCosts& p = s.inputCosts;
    const inputCosts& q = l.inputCosts;
    compareAll<double>(out, crop,
                       {{"price", s.price, l.price},
                        {"maxYield", s.maxYield, l.maxYield},
                        {"NitrogenCost", p.NitrogenCost, q.NitrogenCost},
                        {"NitrogenApplied", p.NitrogenApplied, q.NitrogenApplied},
                        {"PCost", p.PCost, q.PCost},
                        {"PApplied", p.PApplied, q.PApplied},
                        {"SeedCost", p.SeedCost, q.SeedCost},
                        {"SeedRate", p.SeedRate, q.SeedRate},
                        {"Herbicide", p.Herbicide, q.Herbicide},
                        {"Insecticide", p.Insecticide, q.Insecticide},
                        {"Tillage", p.Tillage, q.Tillage},
                        {"Planting", p.Planting, q.Planting},
                        {"HerbicideApplication", p.HerbicideApplication, q.HerbicideApplication},
                        {"InsecticideApplication", p.InsecticideApplication, q.InsecticideApplication},
                        {"Returns", p.Returns, q.Returns},
                        {"MiscCost", p.MiscCost, q.MiscCost},
                        {"FertilizerApplication", p.FertilizerApplication, q.FertilizerApplication}});
    if (p.NOptimal != q.NOptimal || p.POptimal != q.POptimal || p.SeedOptimal != q.SeedOptimal)
        out.push_back(crop + "optimal-rate flags");
    compareAll<Variant>(out, crop,
                        {{"HarvestBasePerAcre", p.HarvestBasePerAcre, q.HarvestBasePerAcre},
                         {"HarvestExceedBu", p.HarvestExceedBu, q.HarvestExceedBu},
                         {"HarvestExceedRate", p.HarvestExceedRate, q.HarvestExceedRate},
                         {"HarvestHauling", p.HarvestHauling, q.HarvestHauling},
                         {"HarvestFlatRate", p.HarvestFlatRate, q.HarvestFlatRate},
                         {"AlfalfaSwathing", p.AlfalfaSwathing, q.AlfalfaSwathing},
                         {"AlfalfaSwathingNum", p.AlfalfaSwathingNum, q.AlfalfaSwathingNum},
                         {"AlfalfaRaking", p.AlfalfaRaking, q.AlfalfaRaking},
                         {"AlfalfaRakingNum", p.AlfalfaRakingNum, q.AlfalfaRakingNum},
                         {"AlfalfaBaling", p.AlfalfaBaling, q.AlfalfaBaling},
                         {"AlfalfaBalingNum", p.AlfalfaBalingNum, q.AlfalfaBalingNum},
                         {"AlfalfaPerTon", p.AlfalfaPerTon, q.AlfalfaPerTon},
                         {"AlfalfaStand", p.AlfalfaStand, q.AlfalfaStand}});
    return out;
}

} // namespace korvel::testing
