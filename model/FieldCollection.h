#pragma once
// One allocation (an "Option"): up to four fields with summed return, costs and profit, a placeholder mark
// for the ranked list, and three parallel lists describing what a trend run changed in it.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/Field.h"
#include "model/SessionState.h"

namespace korvel {

class FieldCollection {
public:
    std::vector<std::shared_ptr<Field>> mCol;
    bool isNothing = false;
    bool isNew = false; // a placeholder of the ranked list
    double TotalCost = 0.0;
    std::vector<std::string> theVariable;
    std::vector<double> theValue;
    std::vector<std::array<std::string, 2>> theUnits;

    void AddBatchDescription(const std::string& descr, double v, const std::array<std::string, 2>& varUnits);
    // Appends the field object itself.
    void Add(std::shared_ptr<Field> theField);
    // The field at a 1-based position; throws IndexError outside 1..Count.
    const std::shared_ptr<Field>& Item(long i) const;
    long Count() const;
    auto begin() const { return mCol.begin(); }
    auto end() const { return mCol.end(); }

    double getReturn();
    double getCosts(const SessionState& s);
    // A deep copy: copied fields, isNew, TotalCost and the trend lists (not isNothing).
    std::shared_ptr<FieldCollection> Copy() const;
    // Leaves this allocation as its Copy would be, for one that takes the place of its copy: what Copy does not
    // carry is cleared (isNothing, the fields' return caches, the crops' unused flat forage charge).
    void clearWhatCopyDrops();
    // Clears what an earlier fixed trend left: the fields' cost and return caches and the trend descriptions. The
    // trend overrides stay: they are part of what the option was computed with (a variable trend's step on the
    // production or irrigation costs), and a fixed trend on the option recomputes it with them.
    void ResetBatch();
    double getProfit(const SessionState& s);
    // The distinct crop names of the fields in order of first appearance; throws IndexError without fields.
    std::vector<std::string> getCrops() const;
};

} // namespace korvel
