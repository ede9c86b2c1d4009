#pragma once
// The "?" buttons of the main window (the button array cmdHelp): what each element opens. Each pane puts
// its buttons beside the items they explain with makeHelpButton (HelpButton.h), which names element i
// "cmdHelp(i)", sets the property "index" to i, and runs runHelpButton(i) when it is clicked.
//
//   element  pane                beside                                       opens
//    0       main                "Total Acres:"                               mainInput.htm#TotalAcres
//    1       main                "Irrigation Costs and Capacity"              irrigationCosts.htm
//    2       main                "Irrigation Efficiency %"                    maininput.htm#efficiency
//    3       main                "Annual Rainfall (inches):"                  mainInput.htm#Rainfall
//    4       main                "Annual Gross Irrigation Amount (inches):"   maininput.htm#seasonalirrig
//    5       main                "Calculated Gross Water Volume: (ac-in)"     maininput.htm#GrossWater
//    6       main                "Land Split:"                                maininput.htm#landsplit
//    7       irrigation costs    "Pumping Water Lift"                         irrigationcosts.htm#lift
//    8       irrigation costs    "Repairs and Maintenance"                    irrigationcosts.htm#repair
//    9       main, crop frame    "Maximum Yield / Acre:"                      maininput.htm#maxyield
//   10       main, crop frame    "Price per unit:"                            maininput.htm#priceperunit
//   11       production costs    "General Input Costs"                        inputcosts.htm#general
//   12       production costs    "Land Usage Returns"                         inputcosts.htm#returns
//   13       production costs    "Operation Costs"                            inputcosts.htm#operation
//   14       production costs    the default-values button                    inputcosts.htm#default
//   15       irrigation costs    "GPM - Discharge rate in gallons per minute" irrigationcosts.htm#gpm
//   16       irrigation costs    "Total Season Pumping Hours"                 irrigationcosts.htm#hours
//   17       irrigation costs    "Irrigation system operating pressure (psi)" irrigationcosts.htm#psi
//   18       irrigation costs    "Fuel Type"                                  irrigationcosts.htm#fueltype
//   19       irrigation costs    "Fuel Cost"                                  irrigationcosts.htm#fuelcost
//   20       irrigation costs    "Labor"                                      irrigationcosts.htm#labor
//   21       production costs    "Miscellaneous Costs"                        inputcosts.htm#misc
//   22       production costs    "Use optimal yield based nitrogen rate"      optimalNRates.htm
//   23       production costs    "Use optimal yield based phosphorus rate"    optimalPRates.htm
//   24       production costs    "Use optimal yield based seeding rate"       optimalSeedRates.htm
//   25       trend setup         "Trends:" / "Add a trend process"            pop-up "Add a Trend Process", 1725
//   26       trend setup         the crop list above the trend variables      pop-up "Crop selection", 1725
//   27       custom crops        the editor's heading                         pop-up "Custom Crops", 3000
//   28       main, crop frame    "Input Costs && Returns"                     inputcosts.htm#general
//   29       main                "Soil:"                                      nothing
//   any other index                                                          nothing
#include <QString>

class QWidget;

namespace korvel::ui {

struct HelpButtonAction {
    enum class Kind { Nothing, Topic, PopUp };
    Kind kind = Kind::Nothing;
    QString topic; // Topic: the name handed to HelpTopics::ShowHelp ("mainInput.htm#TotalAcres")
    QString text;  // PopUp: the text, title and height (twips) handed to HelpTopics::ShowHelpScreen
    QString title;
    int height = 0;
};

// What element `index` of the main window's help buttons does.
HelpButtonAction helpButtonAction(int index);

// Runs it: the help browser on the topic, the pop-up help window (beside the button beside when given), or
// nothing.
void runHelpButton(int index, const QWidget* beside = nullptr);

// The number of elements in the table (0 .. kHelpButtonCount - 1).
inline constexpr int kHelpButtonCount = 30;

} // namespace korvel::ui
