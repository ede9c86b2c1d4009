#include "model/IrrigationCosts.h"

#include <cmath>

#include "model/Errors.h"
#include "model/InputsItems.h"
#include "model/Numbers.h"

namespace korvel {

namespace {
// A step of the irrigation cost: a result without a finite value is passed over and leaves the
// variable as it was.
void step(double& variable, double value)
{
    if (std::isfinite(value))
        variable = value;
}
} // namespace

std::string IrrigationCosts::writeData() const
{
    using InputsFile::numberItem;
    return numberItem(GPM) + "\r\n" + numberItem(Lift) + "\r\n" + numberItem(PSI) + "\r\n" + numberItem(LaborPerHour) +
           "\r\n" + numberItem(FixedPerAcre) + "\r\n" + numberItem(RepairsPerAcreInch) + "\r\n" + numberItem(NPC) +
           "\r\n" + numberItem(cost) + "\r\n" + num::boolText(active) + "\r\n" + InputsFile::textItem(FuelType) +
           "\r\n" + numberItem(dblEstHours);
}

std::shared_ptr<IrrigationCosts> IrrigationCosts::Copy() const
{
    return std::make_shared<IrrigationCosts>(*this);
}

double IrrigationCosts::getCosts(double inches, double acres, double efficiency)
{
    double result = 0;
    if (UseBatch) {
        step(result, BatchIrrigationCosts * acres * inches);
        return result;
    }
    if (inches <= 0 || !active || GPM <= 0 || NPC <= 0)
        return 0;

    const double g = inches / efficiency;
    if (!std::isfinite(g))
        throw NonFiniteResult(
            "the gross irrigation depth has no finite value: the irrigation efficiency is " +
            (std::isfinite(efficiency) ? num::plainText(efficiency * 100) + " %" : std::string("not a number")));
    double whp = 0;
    step(whp, (PSI * 2.31 + Lift) * GPM / 3960);
    double h = 0;
    step(h, g * acres / (GPM / 450));
    hours = h;
    double fuel = 0;
    step(fuel, whp / NPC * h * cost);
    step(result, acres * 0.5 * LaborPerHour + fuel + acres * RepairsPerAcreInch * g);
    return result;
}

double IrrigationCosts::fieldHours(double inches, double acres, double efficiency) const
{
    IrrigationCosts own(*this);
    own.UseBatch = false;
    own.hours = 0;
    own.getCosts(inches, acres, efficiency);
    return own.hours;
}

double IrrigationCosts::getMaxInches(double a) const
{
    if (a == 0)
        return 0;
    return num::checkedFinite((GPM * 60 * dblEstHours) / a * (1.0 / 27154),
                              "the seasonal pumping capacity has no finite value");
}

} // namespace korvel
