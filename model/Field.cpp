#include "model/Field.h"

#include <cmath>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel {

double Field::getReturn()
{
    if (TotalReturn != 0)
        return TotalReturn;
    TotalReturn = theCrop->price * theCrop->Yield * acres + theCrop->inputCosts.getReturns(acres);
    return TotalReturn;
}

double Field::efficiency(const SessionState& s) const
{
    return IrrigationEfficiency.value_or(s.IrrigationEfficiency);
}

double Field::grossDepth(const SessionState& s) const
{
    const double e = efficiency(s);
    const double g = Depth / e;
    if (!std::isfinite(g))
        throw NonFiniteResult("the gross irrigation of a field has no finite value: the irrigation efficiency is " +
                              (std::isfinite(e) ? num::plainText(e * 100) + " %" : std::string("not a number")));
    return g;
}

double Field::getProductionCosts(const SessionState& s)
{
    double bushels = theCrop->Yield;
    double g = grossDepth(s);
    return theCrop->inputCosts.getCosts(acres, bushels, *theCrop, g, efficiency(s));
}

double Field::getCosts(const SessionState& s)
{
    if (TotalCost != 0)
        return TotalCost;
    const double production = getProductionCosts(s);
    const double irrigation = irrigCosts->getCosts(Depth, acres, efficiency(s));
    TotalCost = irrigation + production;
    return TotalCost;
}

double Field::getProfit(const SessionState& s)
{
    const double costs = getCosts(s);
    const double ret = getReturn();
    return ret - costs;
}

std::shared_ptr<Field> Field::Copy() const
{
    auto f = std::make_shared<Field>();
    f->acres = acres;
    f->Depth = Depth;
    f->theCrop = theCrop->Copy();
    f->annualRain = annualRain;
    f->irrigCosts = irrigCosts->Copy();
    f->TotalCost = TotalCost;
    f->IrrigationEfficiency = IrrigationEfficiency;
    return f;
}

} // namespace korvel
