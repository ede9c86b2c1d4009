#include "model/FieldCollection.h"

#include <algorithm>

#include "model/Errors.h"

namespace korvel {

void FieldCollection::AddBatchDescription(const std::string& descr, double v,
                                          const std::array<std::string, 2>& varUnits)
{
    theVariable.push_back(descr);
    theValue.push_back(v);
    theUnits.push_back(varUnits);
}

void FieldCollection::Add(std::shared_ptr<Field> theField)
{
    mCol.push_back(std::move(theField));
    isNothing = false;
}

const std::shared_ptr<Field>& FieldCollection::Item(long i) const
{
    if (i < 1 || static_cast<std::size_t>(i) > mCol.size())
        throw IndexError("field " + std::to_string(i) + " does not exist (the option has " +
                         std::to_string(mCol.size()) + " fields)");
    return mCol[static_cast<std::size_t>(i) - 1];
}

long FieldCollection::Count() const
{
    return static_cast<long>(mCol.size());
}

double FieldCollection::getReturn()
{
    double sum = 0;
    for (const auto& f : mCol)
        sum = sum + f->getReturn();
    return sum;
}

double FieldCollection::getCosts(const SessionState& s)
{
    if (TotalCost != 0)
        return TotalCost;
    double sum = 0;
    for (const auto& f : mCol)
        sum = sum + f->getCosts(s);
    TotalCost = sum;
    return TotalCost;
}

std::shared_ptr<FieldCollection> FieldCollection::Copy() const
{
    auto c = std::make_shared<FieldCollection>();
    for (const auto& f : mCol)
        c->mCol.push_back(f->Copy());
    c->isNew = isNew;
    c->TotalCost = TotalCost;
    c->theVariable = theVariable;
    c->theValue = theValue;
    c->theUnits = theUnits;
    return c;
}

void FieldCollection::clearWhatCopyDrops()
{
    isNothing = false;
    for (const auto& f : mCol) {
        f->TotalReturn = 0;
        if (f->theCrop)
            f->theCrop->inputCosts.AlfalfaFlat = 0;
    }
}

void FieldCollection::ResetBatch()
{
    for (const auto& f : mCol) {
        f->TotalCost = 0;
        f->TotalReturn = 0;
    }
    theVariable.clear();
    theValue.clear();
    theUnits.clear();
}

double FieldCollection::getProfit(const SessionState& s)
{
    const double costs = getCosts(s);
    const double ret = getReturn();
    return ret - costs;
}

std::vector<std::string> FieldCollection::getCrops() const
{
    std::vector<std::string> names;
    names.push_back(Item(1)->theCrop->cropType);
    for (const auto& f : mCol) {
        const std::string& name = f->theCrop->cropType;
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

} // namespace korvel
