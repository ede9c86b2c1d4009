#include "model/SplitCollection.h"

#include <string>

#include "model/Errors.h"

namespace korvel {

void SplitCollection::Add(const std::shared_ptr<Split>& theSplit, int intNumber) {
    if (!theSplit) throw InvalidArgument("a missing split cannot be added to a split list");
    fillSplits(*theSplit, intNumber);
    mCol_.push_back(theSplit);
}

Split& SplitCollection::fillSplits(Split& splitToBeFilled, int intNumber) {
    while (splitToBeFilled.Count() < intNumber) splitToBeFilled.addSplit(0.0);
    return splitToBeFilled;
}

long SplitCollection::Count() const { return static_cast<long>(mCol_.size()); }

const std::shared_ptr<Split>& SplitCollection::Item(long i) const {
    if (i < 1 || static_cast<std::size_t>(i) > mCol_.size())
        throw IndexError("split " + std::to_string(i) + " does not exist (the list holds " +
                         std::to_string(mCol_.size()) + ")");
    return mCol_[static_cast<std::size_t>(i) - 1];
}

} // namespace korvel
