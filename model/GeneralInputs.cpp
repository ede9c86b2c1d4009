#include "model/GeneralInputs.h"

#include "model/Errors.h"
#include "model/InputsItems.h"
#include "model/InputsTarget.h"
#include "model/Numbers.h"

namespace korvel {

std::string GeneralInputs::writeData() const
{
    using InputsFile::boxItem;
    return InputsFile::valueItem(splitIndex) + "\r\n" + boxItem(totalAcres) + "\r\n" + boxItem(waterAllocation) +
           "\r\n" + boxItem(irrigEff) + "\r\n" + boxItem(annualRain);
}

void GeneralInputs::setData(InputsTarget& target) const
{
    using Box = InputsTarget::MainBox;
    target.setMainText(Box::txtAnnRain, annualRain.toString());
    target.setMainText(Box::txtEff, irrigEff.toString());
    const long long preset = num::toWhole(splitIndex.number());
    if (preset < 0 || preset > 5)
        throw IndexError("land-split preset " + std::to_string(preset) + " outside 0 to 5");
    target.selectPreset(static_cast<int>(preset));
    target.setMainText(Box::txtArea, totalAcres.toString());
    target.setMainText(Box::txtMax, waterAllocation.toString());
}

} // namespace korvel
