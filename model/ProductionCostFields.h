#pragma once
// The production costs and other returns a user enters for a crop, described once: the inputCosts member, its
// place in the crop's block of the inputs file (the order of the table), the production-cost pane's box and how
// the box shows the value, and when the pane's Apply writes it. The inputs file (both ways), the search's test
// that two crops cost alike and the pane's fill, Apply and Clear all walk this table, so a new field is one
// line here, besides the arithmetic that uses it. The members that are no such field (what getCosts works out,
// the trend override, the two kept but unused) are listed in kOtherCostMembers.
#include <array>
#include <variant>

#include "model/Variant.h"
#include "model/inputCosts.h"

namespace korvel {

// How the pane's box shows the value.
enum class CostBox {
    Plain, // plain decimal text
    Money, // "###,##0.00", with more decimals when the value has more
    Tick,  // a check box, ticked when the value is true
};

// When the pane's Apply writes the value.
enum class CostCommit {
    First,   // always, before the forage crop's stand life is tested
    Harvest, // for a crop not sold by the ton only
    Forage,  // for a crop sold by the ton only, once its stand life is a number
    Last,    // always, after the harvest or forage values
};

struct ProductionCostField {
    // The member: a number, a truth value, or a value kept as read (empty, a number or a text).
    std::variant<double inputCosts::*, bool inputCosts::*, Variant inputCosts::*> member;
    const char* box; // the objectName of the pane's box
    CostBox shown;
    CostCommit committed;
    // A flag whose being set leaves the box empty when the pane opens (the seed rate while the optimal rate is
    // used), or none.
    bool inputCosts::*emptyWhen = nullptr;
};

// clang-format off
inline constexpr std::array<ProductionCostField, 31> kProductionCostFields{{
    {&inputCosts::NitrogenCost,           "txtNitrogenCost",           CostBox::Plain, CostCommit::First},
    {&inputCosts::NitrogenApplied,        "txtNitrogenApplied",        CostBox::Plain, CostCommit::First},
    {&inputCosts::NOptimal,               "chkNOptimal",               CostBox::Tick,  CostCommit::First},
    {&inputCosts::PCost,                  "txtPCost",                  CostBox::Plain, CostCommit::First},
    {&inputCosts::PApplied,               "txtPApplied",               CostBox::Plain, CostCommit::First},
    {&inputCosts::POptimal,               "chkPOptimal",               CostBox::Tick,  CostCommit::First},
    {&inputCosts::SeedCost,               "txtSeedCost",               CostBox::Money, CostCommit::First},
    {&inputCosts::SeedRate,               "txtSeedRate",               CostBox::Plain, CostCommit::First, &inputCosts::SeedOptimal},
    {&inputCosts::SeedOptimal,            "chkSeedOptimal",            CostBox::Tick,  CostCommit::First},
    {&inputCosts::Herbicide,              "txtHerbicide",              CostBox::Money, CostCommit::First},
    {&inputCosts::Insecticide,            "txtInsecticide",            CostBox::Money, CostCommit::First},
    {&inputCosts::Tillage,                "txtTillage",                CostBox::Money, CostCommit::First},
    {&inputCosts::Planting,               "txtPlanting",               CostBox::Money, CostCommit::First},
    {&inputCosts::HerbicideApplication,   "txtHerbicideApplication",   CostBox::Money, CostCommit::First},
    {&inputCosts::InsecticideApplication, "txtInsecticideApplication", CostBox::Money, CostCommit::First},
    {&inputCosts::Returns,                "txtReturns",                CostBox::Money, CostCommit::Last},
    {&inputCosts::HarvestBasePerAcre,     "txtHarvestBase",            CostBox::Money, CostCommit::Harvest},
    {&inputCosts::HarvestExceedBu,        "txtExceed",                 CostBox::Plain, CostCommit::Harvest},
    {&inputCosts::HarvestExceedRate,      "txtExceedCost",             CostBox::Money, CostCommit::Harvest},
    {&inputCosts::HarvestHauling,         "txtHaulingCost",            CostBox::Money, CostCommit::Harvest},
    {&inputCosts::HarvestFlatRate,        "txtFlatRate",               CostBox::Money, CostCommit::Harvest},
    {&inputCosts::AlfalfaSwathing,        "txtSwathing",               CostBox::Plain, CostCommit::Forage},
    {&inputCosts::AlfalfaSwathingNum,     "txtSwathingNum",            CostBox::Plain, CostCommit::Forage},
    {&inputCosts::AlfalfaRaking,          "txtRaking",                 CostBox::Plain, CostCommit::Forage},
    {&inputCosts::AlfalfaRakingNum,       "txtRakingNum",              CostBox::Plain, CostCommit::Forage},
    {&inputCosts::AlfalfaBaling,          "txtBaling",                 CostBox::Plain, CostCommit::Forage},
    {&inputCosts::AlfalfaBalingNum,       "txtBalingNum",              CostBox::Plain, CostCommit::Forage},
    {&inputCosts::AlfalfaPerTon,          "txtAlfFlat",                CostBox::Plain, CostCommit::Forage},
    {&inputCosts::AlfalfaStand,           "txtStand",                  CostBox::Plain, CostCommit::Forage},
    {&inputCosts::MiscCost,               "txtMiscCost",               CostBox::Money, CostCommit::Last},
    {&inputCosts::FertilizerApplication,  "txtFertilizerApplication",  CostBox::Money, CostCommit::First},
}};
// clang-format on

// Calls the one of its lambdas that takes a field's member: std::visit(Overloaded{...}, field.member).
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// The members of inputCosts that are not entered: NPerAcre and PPerAcre (worked out by getCosts), UseBatch and
// BatchGeneralCosts (the trend override), AlfalfaFlat and theString (kept, read by nothing). The first four
// belong to the search's test that two crops cost alike; none is saved or shown on the pane.
inline constexpr std::size_t kOtherCostMembers = 6;

} // namespace korvel
