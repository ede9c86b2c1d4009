#pragma once
// The live figures of the cost panes, computed by the cost model itself on scratch objects so that a preview
// never disagrees with what a run charges.
#include <QString>
#include <optional>
#include <string>

namespace korvel::ui::CostPreviews {

// The general input costs per acre of the production-cost boxes: nitrogen and phosphorus at the typed rates,
// seed at the typed rate (priced per lb for the crops sown by weight, per 1000 seeds otherwise), herbicide and
// insecticide. An empty rate is 0, so inputs left to their optimal rate are not in the figure. May be infinite
// for absurd inputs.
struct GeneralInputs {
    double nitrogenCost = 0, nitrogenRate = 0;
    double phosphorusCost = 0, phosphorusRate = 0;
    double seedCost = 0, seedRate = 0;
    double herbicide = 0, insecticide = 0;
};
double generalInputCosts(const std::string& cropType, const GeneralInputs& in);

// Tillage, planting and the three application costs per acre (no harvest, no spreading over a stand life).
double operationCosts(double tillage, double planting, double fertilizerApplication, double insecticideApplication,
                      double herbicideApplication);

// The variable cost of pumping one acre-inch: the fuel the pumping plant burns for it plus the repairs of an
// acre-inch; labour is not in it. npc is the water-horsepower-hours one fuel unit gives. Without a discharge
// (gpm of 0 or less) nothing is pumped and the figure is the repairs alone.
double pumpingCostPerAcreInch(double gpm, double lift, double psi, double fuelCost, double repairsPerAcreInch,
                              double npc);

// Inches of water that gpm gallons a minute for the season's hours put on the acres, with 27154.2876 gallons to
// the acre-inch (the hint's own figure: the capacity check of the model divides by 27154). Nothing when there is
// no finite answer (no acres).
std::optional<double> seasonInches(double gpm, double hours, double acres);

// The water-horsepower-hours one unit of a fuel delivers, by the fuel's exact name ("Diesel", "Natural Gas",
// "Propane", "Electricity"); nothing for any other text.
std::optional<double> fuelEnergy(const QString& fuel);

} // namespace korvel::ui::CostPreviews
