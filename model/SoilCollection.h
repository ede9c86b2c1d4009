#pragma once
// The soil-specific tables of one soil for one crop: item 1 keyed "yield", item 2 keyed "relative".
// Empty when the crop has no table for that soil. Shared between a crop and its copies.
#include <string>
#include <utility>
#include <vector>

#include "model/YieldTable.h"

namespace korvel {

class SoilCollection {
public:
    // Keys are told apart without regard to letter case; a key already in use throws InvalidArgument.
    void Add(YieldTable table, std::string key);
    long Count() const;
    // By 1-based position or by key; throw IndexError when absent.
    const YieldTable& Item(long i) const;
    const YieldTable& Item(const std::string& key) const;

private:
    std::vector<std::pair<std::string, YieldTable>> items_;
};

} // namespace korvel
