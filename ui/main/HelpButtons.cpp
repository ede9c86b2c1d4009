#include "ui/main/HelpButtons.h"

#include <array>

#include "ui/main/HelpTopics.h"

namespace korvel::ui {

namespace {
const std::array<const char*, 25> kTopics = {
    "mainInput.htm#TotalAcres",     // 0
    "irrigationCosts.htm",          // 1
    "maininput.htm#efficiency",     // 2
    "mainInput.htm#Rainfall",       // 3
    "maininput.htm#seasonalirrig",  // 4
    "maininput.htm#GrossWater",     // 5
    "maininput.htm#landsplit",      // 6
    "irrigationcosts.htm#lift",     // 7
    "irrigationcosts.htm#repair",   // 8
    "maininput.htm#maxyield",       // 9
    "maininput.htm#priceperunit",   // 10
    "inputcosts.htm#general",       // 11
    "inputcosts.htm#returns",       // 12
    "inputcosts.htm#operation",     // 13
    "inputcosts.htm#default",       // 14
    "irrigationcosts.htm#gpm",      // 15
    "irrigationcosts.htm#hours",    // 16
    "irrigationcosts.htm#psi",      // 17
    "irrigationcosts.htm#fueltype", // 18
    "irrigationcosts.htm#fuelcost", // 19
    "irrigationcosts.htm#labor",    // 20
    "inputcosts.htm#misc",          // 21
    "optimalNRates.htm",            // 22
    "optimalPRates.htm",            // 23
    "optimalSeedRates.htm",         // 24
};
} // namespace

HelpButtonAction helpButtonAction(int index)
{
    HelpButtonAction action;
    if (index >= 0 && index < static_cast<int>(kTopics.size())) {
        action.kind = HelpButtonAction::Kind::Topic;
        action.topic = QString::fromLatin1(kTopics[static_cast<std::size_t>(index)]);
        return action;
    }
    switch (index) {
    case 25:
        action.kind = HelpButtonAction::Kind::PopUp;
        action.title = QStringLiteral("Add a Trend Process");
        action.height = 1725;
        action.text = QStringLiteral("There is a limit of 2 variables that can be run in a trend process.  Add a "
                                     "variable to process by clicking the 'Add trend process'.");
        break;
    case 26:
        action.kind = HelpButtonAction::Kind::PopUp;
        action.title = QStringLiteral("Crop selection");
        action.height = 1725;
        action.text = QStringLiteral("The crops from the chosen option are presented in the list.  Select a crop and "
                                     "association variable below it, or choose another variable to the right");
        break;
    case 27:
        action.kind = HelpButtonAction::Kind::PopUp;
        action.title = QStringLiteral("Custom Crops");
        action.height = 3000;
        action.text = QStringLiteral(
            "Yield data may be entered for user specified crops in the table provided.  Each yield entry corresponds "
            "to the net irrigation and rainfall needed to produce that yield. Each custom crop will be added to the "
            "main input page of KVL.  A blank crop production cost page, either for a grain or forage crop, will be "
            "furnished for each custom crop.");
        break;
    case 28:
        action.kind = HelpButtonAction::Kind::Topic;
        action.topic = QStringLiteral("inputcosts.htm#general");
        break;
    default: break; // 29 (beside the soil box) and any other element: nothing
    }
    return action;
}

void runHelpButton(int index, const QWidget* beside)
{
    const HelpButtonAction action = helpButtonAction(index);
    switch (action.kind) {
    case HelpButtonAction::Kind::Topic: HelpTopics::ShowHelp(action.topic); break;
    case HelpButtonAction::Kind::PopUp:
        HelpTopics::ShowHelpScreen(action.text, action.title, action.height, beside);
        break;
    case HelpButtonAction::Kind::Nothing: break;
    }
}

} // namespace korvel::ui
