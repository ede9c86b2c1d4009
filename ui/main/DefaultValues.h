#pragma once
// The built-in default values: the production costs, prices and maximum yields of the six named crops and of
// "Fallow", and the natural-gas pumping plant. There is no defaults file; the values live here.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "model/IrrigationCosts.h"
#include "model/inputCosts.h"

namespace korvel::ui {
class IrrigationCostPane;
class PaneHost;
} // namespace korvel::ui

namespace korvel::ui::DefaultValues {

// A box of a cost pane and the text it gets, in fill order. An empty text empties the box.
struct BoxText {
    QString box; // objectName of the box
    QString text;
};

// The texts the production-cost pane's default button writes for a crop, in fill order, after its rate boxes
// were emptied and their optimal boxes ticked. The crop's name is matched exactly (letter case included); any
// other name has no texts. Boxes the crop has no default for are not in the list.
std::vector<BoxText> productionPaneTexts(const std::string& cropType);

// The texts the irrigation-cost pane's default button writes, in fill order; the fuel box (cboFuelType) is not
// among them: it selects its third entry, "Natural Gas", between txtRepairsPerAcre and txtCost.
std::vector<BoxText> irrigationPaneTextsBeforeFuel();
std::vector<BoxText> irrigationPaneTextsAfterFuel();
inline constexpr int kDefaultFuelEntry = 2;

// The price and maximum yield of a crop row named like one of the six named crops, compared in lower case.
struct PriceAndYield {
    double price;
    double maxYield;
};
std::optional<PriceAndYield> rowPriceAndYield(const QString& rowName);

// Writes the production-cost defaults of a crop row's name (compared in lower case) into its costs: the six
// named crops and "fallow"; any other name leaves the costs as they are. The optimal-rate flags are not set here.
void applyProductionDefaults(const QString& rowName, inputCosts& costs);

// Writes the pumping-plant defaults into the irrigation costs (active is not set here).
void applyPumpingDefaults(IrrigationCosts& costs);

// "Load Default Values" of the main pane (Command7): every crop row's crop gets its three optimal-rate flags set,
// each row named like a named crop (compared in lower case) its price and maximum yield (shown in the row) and
// its production costs, "fallow" its three costs; then the irrigation costs get the pumping defaults, the
// irrigation-cost pane's boxes show them, and the irrigation costs become active. Everything is committed.
void loadAll(PaneHost& main, IrrigationCostPane& irrigation);

} // namespace korvel::ui::DefaultValues
