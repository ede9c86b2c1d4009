#pragma once
// The search's precomputed values: for every field position, the return and the cost that a field of that
// position would have for each crop and each net depth that occurs there, computed once with the real Field,
// Crop and cost classes, so the search only adds numbers. Private to FieldCalculator.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/CropScenario.h"
#include "model/IrrigationCosts.h"
#include "model/SessionState.h"
#include "model/Split.h"
#include "model/SplitCollection.h"
#include "model/WorkerPool.h"

namespace korvel::search {

struct SearchTables {
    int nFields = 0;         // part count of the land split
    std::size_t nSplits = 0; // depth splits (outer loop)
    std::size_t nCombos = 0; // crop combinations (inner loop)

    // Per position i: the number of distinct crops found there (crops equal in every input that the
    // arithmetic reads count once) and the number of distinct depth values found there.
    std::vector<std::uint32_t> cropCount;
    std::vector<std::uint32_t> depthCount;
    // Per position i, row-major [depth][crop]: the field's getReturn and getCosts.
    std::vector<std::vector<double>> fieldReturn;
    std::vector<std::vector<double>> fieldCost;

    // [split * nFields + i]: the depth row of position i for that split.
    std::vector<std::uint32_t> depthRow;
    // [combo * nFields + i]: the crop column of position i for that combination.
    std::vector<std::uint32_t> cropColumn;
    // [combo]: how many leading positions the combination shares with the one before it (at most
    // nFields - 1; 0 for the first), so partial sums can be reused.
    std::vector<std::uint32_t> sharedPrefix;

    // [combo * nFields + j], j from 1 to nFields - 1: the first combination of the run that shares this
    // one's first j crops, so that the search, which walks the combinations from the last, can skip the
    // rest of a run at once.
    std::vector<std::uint32_t> runBegin;

    // Per position i, by depth row: the best field return minus cost over the crops found at i.
    std::vector<std::vector<double>> bestNet;
    // [split]: what may separate a profit summed in floating point from the sums of the best nets below:
    // more than twice every rounding involved (see SearchTables.cpp).
    std::vector<double> profitMargin;
    // [split]: a number no allocation of that split can exceed in profit (sum of best nets plus margin).
    std::vector<double> profitCeiling;
    // Splits with the highest ceilings, searched first so that the pruning floor rises early.
    std::vector<std::uint32_t> firstSplits;
};

// Builds the tables on the pool's workers (the inputs must not change meanwhile). Returns nothing when the inputs need
// the literal loop instead: a split or a combination with fewer parts or crops than the land split, a missing object, a
// crop or cost computation that fails, or a value that is not finite (or so large that sums could overflow). The
// literal loop then reproduces exactly what happens with such inputs, failures and their timing included.
std::unique_ptr<SearchTables> buildSearchTables(const SplitCollection& depthSplits,
                                                const std::vector<std::shared_ptr<CropScenario>>& combos,
                                                const Split& landSplit, double annRain,
                                                const IrrigationCosts& irrigCosts, const SessionState& s,
                                                std::size_t listSize, WorkerPool& pool);

// True when two crops give the same yields, returns and costs for every depth at rainfall `rain`: equal in
// every input that setYield, getReturn and getCosts read, of the table only the rainfall's column (doubles
// compared bit for bit).
bool sameArithmetic(const Crop& a, const Crop& b, double rain);

} // namespace korvel::search
