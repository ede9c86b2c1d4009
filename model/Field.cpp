#include "model/Field.h"

#include <cmath>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel {

double Field::getReturn() {
    if (TotalReturn != 0) return TotalReturn;
    TotalReturn = theCrop->price * theCrop->Yield * acres + theCrop->inputCosts.getReturns(acres);
    return TotalReturn;
}

double Field::getProductionCosts(const SessionState& s) {
    double bushels = theCrop->Yield;
    double g = Depth / s.IrrigationEfficiency;
    if (!std::isfinite(g))
        throw NonFiniteResult("the gross irrigation of a field has no finite value: the irrigation efficiency is " +
                              (std::isfinite(s.IrrigationEfficiency) ? num::plainText(s.IrrigationEfficiency * 100) + " %"
                                                                     : std::string("not a number")));
    return theCrop->inputCosts.getCosts(acres, bushels, *theCrop, g, s);
}

double Field::getCosts(const SessionState& s) {
    if (TotalCost != 0) return TotalCost;
    const double production = getProductionCosts(s);
    const double irrigation = irrigCosts->getCosts(Depth, acres, s);
    TotalCost = irrigation + production;
    return TotalCost;
}

double Field::getProfit(const SessionState& s) {
    const double costs = getCosts(s);
    const double ret = getReturn();
    return ret - costs;
}

std::shared_ptr<Field> Field::Copy() const {
    auto f = std::make_shared<Field>();
    f->acres = acres;
    f->Depth = Depth;
    f->theCrop = theCrop->Copy();
    f->annualRain = annualRain;
    f->irrigCosts = irrigCosts->Copy();
    f->TotalCost = TotalCost;
    return f;
}

} // namespace korvel
