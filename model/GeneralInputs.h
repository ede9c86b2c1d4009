#pragma once
// The five general inputs of the inputs file, carried between the main pane and the file: the land-split
// preset, total acres, water allocation, efficiency percent and annual rainfall.
#include <string>

#include "model/Variant.h"

namespace korvel {

class InputsTarget;

class GeneralInputs {
public:
    Variant splitIndex;      // index 0 to 5 of the selected land-split preset
    Variant totalAcres;      // text of txtArea
    Variant waterAllocation; // text of txtMax
    Variant irrigEff;        // text of txtEff
    Variant annualRain;      // text of txtAnnRain

    // The five lines of the inputs file, in the order above, joined by CR LF, none after the last: the boxes'
    // texts as typed, between double quotes only when the file would not give them back otherwise.
    std::string writeData() const;
    // Puts the values into the main pane, in this order: txtAnnRain, txtEff, the preset (splitIndex as a whole
    // number, empty giving 0), txtArea, txtMax. Throws IndexError for a preset outside 0 to 5 and TypeMismatch
    // for a preset text that is not a number; what was set before the failure stays.
    void setData(InputsTarget& target) const;
};

} // namespace korvel
