#pragma once
// An ordered list of splits, each padded with zero parts to a fixed number of parts.
#include <memory>
#include <vector>

#include "model/Split.h"

namespace korvel {

class SplitCollection {
public:
    // Fills theSplit in place to intNumber parts, then appends that same object (not a copy).
    void Add(const std::shared_ptr<Split>& theSplit, int intNumber);
    // Appends zero parts until the split has intNumber parts; returns the same object.
    static Split& fillSplits(Split& splitToBeFilled, int intNumber);
    long Count() const;
    // The split at a 1-based position; throws IndexError outside 1..Count.
    const std::shared_ptr<Split>& Item(long i) const;

    auto begin() const { return mCol_.begin(); }
    auto end() const { return mCol_.end(); }

private:
    std::vector<std::shared_ptr<Split>> mCol_;
};

} // namespace korvel
