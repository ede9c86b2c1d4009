#pragma once
// An ordered list of crops by reference: the crop library, the active crops of a run, one crop combination.
#include <memory>
#include <string>
#include <vector>

#include "model/Crop.h"

namespace korvel {

class CropScenario {
public:
    void Add(std::shared_ptr<Crop> theCrop);
    // The crop at a 1-based position; throws IndexError outside 1..Count.
    const std::shared_ptr<Crop>& Item(long i) const;
    long Count() const;
    // The crop names joined with ", ".
    std::string toString() const;
    // A new scenario holding the same crop objects (shallow).
    std::shared_ptr<CropScenario> Copy() const;

    auto begin() const { return mCol_.begin(); }
    auto end() const { return mCol_.end(); }

private:
    std::vector<std::shared_ptr<Crop>> mCol_;
};

} // namespace korvel
