#pragma once
// One division of the farm: a land split (percent, then acres per field), a water split (percent of the
// net water, then acre-inches per field) or a depth split (net inches per field). Part i belongs to field i.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace korvel {

class Split {
public:
    std::vector<double> splits; // the parts, in insertion order

    void addSplit(double temp);
    std::int16_t Count() const;
    // Sum of the parts, each rounded to the nearest whole number (halves to even) first.
    double total() const;
    // Part i, 1-based; throws IndexError outside 1..Count.
    double Item(int i) const;
    // A deep copy.
    std::shared_ptr<Split> Copy() const;
};

// Part i (1-based) of `count` parts; throws IndexError outside 1..count.
double splitPart(const double* parts, std::size_t count, int i);

} // namespace korvel
