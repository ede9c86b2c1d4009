// Why the fast search returns exactly what the literal loop returns
//
// The literal loop (searchOneByOne in FieldCalculator.cpp) builds every allocation of every depth split and crop
// combination, asks its profit and offers it to the ranked list. The fast search must give the same list: the same
// entries in the same order, each in the same state, the profits equal bit for bit. Four things make it so.
//
// The same numbers. A field's return and cost depend only on its position's acres, its crop, its depth, and the
// run's rainfall, irrigation costs and efficiency. The tables below compute each (position, crop, depth) once with
// the real Field, Crop and cost classes, from the state a fresh copy starts in, so each value is the very double
// the loop's field computes. Two crops share a column only when sameArithmetic finds them equal, bit for bit, in
// everything that arithmetic reads; a depth row stands for one bit pattern. The search sums as an allocation does:
// the returns from 0 in field order, the costs from 0 in field order, then returns minus costs. A candidate's
// profit is therefore the loop's profit of that allocation, bit for bit.
//
// The same ranking. The list keeps the best N by profit, and of equal profits the one evaluated later ranks
// higher. Every candidate carries its place in the loop's order (split * combinations + combination), and every
// comparison (ranksAbove in ParallelSearch.h, like BestMix's own) applies that rule, so ties come out as the loop
// leaves them, in whatever order the workers met them.
//
// Pruning that never drops an entrant. Nothing is passed over unless its profit lies strictly below a bar that at
// least N candidates already reach: the shared floor (raised to the lowest of any worker's full list) or the
// worker's own lowest once its list is full. Such an allocation ranks below N others whatever its place in the
// order, so it cannot be in the list. Whole splits, and the runs of combinations that share their first crops, are
// passed over when their ceiling lies below the bar, a ceiling being more than the best they can reach:
//     (returns - costs of the shared positions) + (best return - cost of each other position) + margin.
// Every sum here is rounded, and so is each allocation's own profit, so the margin covers every rounding between
// the exact values and the computed ones. With u = 2^-53 and S the sum over the positions of the largest
// |return| + |cost| at that position's depth, a profit lies within (n + 1) u S of its exact value for n fields,
// the shared positions' sums within (2n + 1) u S, the sum of the best nets within (n + 1) u S, and the additions
// that form the ceiling round by at most 3 u S more: (4n + 7) u S in all. The margin is (8n + 32) u S, more than
// twice that, plus 1e-300 for values so close to underflow that rounding is absolute. No value exceeds
// 1e300 / (n + 1), so no sum overflows. The test is strict, so an allocation that ties the bar is evaluated and
// the tie rule decides. Pruning changes only which allocations are looked at, never which are kept.
//
// The fallback to the literal loop. buildSearchTables returns nothing, and the loop itself runs, for whatever this
// argument does not cover: a split or combination with fewer parts or crops than the land split, a missing object,
// a computation that fails, a value that is not finite or too large. The loop reproduces exactly what such inputs
// do, their failures, progress steps and message pumps included.
//
// Last, the entrants are built as the loop builds them, with the caches the ranked list's own comparisons and
// copies leave them (searchFromTables in FieldCalculator.cpp), so the entries' state agrees too.
#include "model/SearchTables.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>

#include "model/Field.h"
#include "model/Numbers.h"
#include "model/ProductionCostFields.h"

namespace korvel::search {
namespace {

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameVariant(const Variant& a, const Variant& b)
{
    // Equal values of the same kind; numbers also bit for bit (0 and -0 differ, NaNs never match).
    return a == b && (!a.isNumber() || sameBits(a.number(), b.number()));
}

// Tables read at one rainfall column: the same rows, each with or without that column, and the same values
// in it. That is all a yield lookup at that rainfall reads.
bool sameColumn(const YieldTable& a, const YieldTable& b, std::size_t column)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t r = 0; r < a.size(); ++r) {
        const bool inA = column < a[r].size();
        if (inA != (column < b[r].size()) || (inA && !sameBits(a[r][column], b[r][column])))
            return false;
    }
    return true;
}

bool sameTable(const YieldTable& a, const YieldTable& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t r = 0; r < a.size(); ++r) {
        if (a[r].size() != b[r].size())
            return false;
        if (!a[r].empty() && std::memcmp(a[r].data(), b[r].data(), a[r].size() * sizeof(double)) != 0)
            return false;
    }
    return true;
}

// Every entered field, then what getCosts works out and the trend override.
bool sameCosts(const inputCosts& a, const inputCosts& b)
{
    for (const ProductionCostField& field : kProductionCostFields)
        if (!std::visit(Overloaded{[&](double inputCosts::*m) { return sameBits(a.*m, b.*m); },
                                   [&](bool inputCosts::*m) { return a.*m == b.*m; },
                                   [&](Variant inputCosts::*m) { return sameVariant(a.*m, b.*m); }},
                        field.member))
            return false;
    return sameBits(a.NPerAcre, b.NPerAcre) && sameBits(a.PPerAcre, b.PPerAcre) && a.UseBatch == b.UseBatch &&
           sameBits(a.BatchGeneralCosts, b.BatchGeneralCosts);
}

// Distinct 64-bit patterns of one position's depths, numbered in order of first appearance.
class DepthNumbering {
public:
    DepthNumbering() : slots_(64, empty) {}

    std::uint32_t rowOf(double depth)
    {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(depth);
        std::size_t mask = slots_.size() - 1;
        std::size_t at = hash(bits) & mask;
        while (slots_[at] != empty) {
            if (values_[slots_[at]] == bits)
                return slots_[at];
            at = (at + 1) & mask;
        }
        const auto row = static_cast<std::uint32_t>(values_.size());
        values_.push_back(bits);
        slots_[at] = row;
        if (values_.size() * 2 > slots_.size())
            grow();
        return row;
    }

    std::size_t size() const { return values_.size(); }
    double value(std::size_t row) const { return std::bit_cast<double>(values_[row]); }

private:
    static constexpr std::uint32_t empty = std::numeric_limits<std::uint32_t>::max();

    static std::size_t hash(std::uint64_t x)
    {
        x ^= x >> 33;
        x *= 0xff51afd7ed558ccdULL;
        x ^= x >> 33;
        return static_cast<std::size_t>(x);
    }

    void grow()
    {
        std::vector<std::uint32_t> bigger(slots_.size() * 2, empty);
        const std::size_t mask = bigger.size() - 1;
        for (std::uint32_t row = 0; row < values_.size(); ++row) {
            std::size_t at = hash(values_[row]) & mask;
            while (bigger[at] != empty)
                at = (at + 1) & mask;
            bigger[at] = row;
        }
        slots_.swap(bigger);
    }

    std::vector<std::uint32_t> slots_;
    std::vector<std::uint64_t> values_;
};

} // namespace

bool sameArithmetic(const Crop& a, const Crop& b, double rain)
{
    if (!(a.cropType == b.cropType && sameBits(a.price, b.price) && sameBits(a.maxYield, b.maxYield) &&
          sameBits(a.normalFactor, b.normalFactor) && a.cropUnitsArray == b.cropUnitsArray &&
          sameCosts(a.inputCosts, b.inputCosts)))
        return false;
    const double column = std::isfinite(rain) ? num::roundHalfEven(rain) : -1.0;
    if (column >= 0.0 && column < 1e9)
        return sameColumn(a.yieldTable, b.yieldTable, static_cast<std::size_t>(column));
    return sameTable(a.yieldTable, b.yieldTable);
}

namespace {

// A digest of what sameArithmetic compares, so that crops are compared only with a likely equal one.
class Digest {
public:
    void word(std::uint64_t v)
    {
        h_ ^= v + 0x9e3779b97f4a7c15ULL + (h_ << 6) + (h_ >> 2);
        h_ *= 0xff51afd7ed558ccdULL;
    }
    void number(double v) { word(std::bit_cast<std::uint64_t>(v)); }
    void text(const std::string& t) { word(std::hash<std::string>{}(t)); }
    void variant(const Variant& v)
    {
        if (v.isEmpty())
            word(1);
        else if (v.isNumber())
            number(v.number());
        else
            text(v.toString());
    }
    std::uint64_t value() const { return h_ ^ (h_ >> 29); }

private:
    std::uint64_t h_ = 0x243f6a8885a308d3ULL;
};

std::uint64_t digestOf(const Crop& c, double rain)
{
    Digest d;
    d.text(c.cropType);
    d.number(c.price);
    d.number(c.maxYield);
    d.number(c.normalFactor);
    for (const auto& u : c.cropUnitsArray)
        d.text(u);
    const inputCosts& ic = c.inputCosts;
    for (double v : {ic.NitrogenCost, ic.NitrogenApplied, ic.PCost, ic.PApplied, ic.SeedCost, ic.SeedRate, ic.Herbicide,
                     ic.Insecticide, ic.Tillage, ic.Planting, ic.Returns, ic.MiscCost, ic.BatchGeneralCosts})
        d.number(v);
    d.word((ic.NOptimal ? 1u : 0u) | (ic.POptimal ? 2u : 0u) | (ic.SeedOptimal ? 4u : 0u) | (ic.UseBatch ? 8u : 0u));
    d.variant(ic.HarvestBasePerAcre);
    d.variant(ic.HarvestFlatRate);
    d.variant(ic.AlfalfaPerTon);
    d.variant(ic.AlfalfaStand);
    d.word(c.yieldTable.size());
    const double column = std::isfinite(rain) ? num::roundHalfEven(rain) : -1.0;
    if (column >= 0.0 && column < 1e9) {
        const auto col = static_cast<std::size_t>(column);
        for (const auto& row : c.yieldTable)
            d.number(col < row.size() ? row[col] : -1.0);
    }
    return d.value();
}

// Runs f(begin, end, w) over [0, count) in blocks handed out to the pool's workers.
template <typename F>
void inBlocks(WorkerPool& pool, std::size_t count, std::size_t block, F&& f)
{
    std::atomic<std::size_t> next{0};
    pool.run([&](unsigned w) {
        for (;;) {
            const std::size_t begin = next.fetch_add(block, std::memory_order_relaxed);
            if (begin >= count)
                return;
            f(begin, std::min(count, begin + block), w);
        }
    });
}

// The splits of worker w when they are shared out in equal ranges.
std::pair<std::size_t, std::size_t> rangeOf(std::size_t count, unsigned w, unsigned workers)
{
    return {count * w / workers, count * (w + 1) / workers};
}

bool higherCeiling(const SearchTables& t, std::uint32_t a, std::uint32_t b)
{
    return t.profitCeiling[a] > t.profitCeiling[b] || (t.profitCeiling[a] == t.profitCeiling[b] && a > b);
}

constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

// The crops of the combinations, numbered as distinct objects and grouped by what they compute.
struct CropGroups {
    std::vector<const Crop*> distinct;        // the distinct crop objects, in order of first appearance
    std::vector<std::uint32_t> distinctAt;    // [combo * nFields + i]: the distinct crop at position i
    std::vector<std::uint32_t> groupOf;       // by distinct crop: its group
    std::vector<const Crop*> representatives; // by group: the crop whose values stand for the group
    std::vector<std::uint8_t> fallow;         // by group: the crop is "Fallow"
};

// 1. The distinct crop objects of the combinations (combinations that share a prefix share its crops). False for
// a combination with fewer crops than fields or a missing object.
bool numberCrops(const std::vector<std::shared_ptr<CropScenario>>& combos, int n, CropGroups& g)
{
    const auto nf = static_cast<std::size_t>(n);
    g.distinctAt.resize(combos.size() * nf);
    std::unordered_map<const Crop*, std::uint32_t> numberOf;
    std::vector<const Crop*> previous(nf, nullptr);
    for (std::size_t k = 0; k < combos.size(); ++k) {
        const CropScenario* combo = combos[k].get();
        if (combo == nullptr || combo->Count() < n)
            return false;
        auto item = combo->begin();
        for (std::size_t i = 0; i < nf; ++i, ++item) {
            const Crop* crop = item->get();
            if (crop == nullptr)
                return false;
            if (crop == previous[i]) {
                g.distinctAt[k * nf + i] = g.distinctAt[(k - 1) * nf + i];
                continue;
            }
            previous[i] = crop;
            auto [at, added] = numberOf.emplace(crop, static_cast<std::uint32_t>(g.distinct.size()));
            if (added)
                g.distinct.push_back(crop);
            g.distinctAt[k * nf + i] = at->second;
        }
    }
    return true;
}

// 2. Groups of crops that compute alike: by digest, then confirmed one by one.
void groupAlike(CropGroups& g, double annRain, WorkerPool& pool)
{
    const std::size_t count = g.distinct.size();
    std::vector<std::uint64_t> digest(count);
    inBlocks(pool, count, 64, [&](std::size_t b, std::size_t e, unsigned) {
        for (std::size_t d = b; d < e; ++d)
            digest[d] = digestOf(*g.distinct[d], annRain);
    });
    g.groupOf.resize(count);
    {
        std::unordered_map<std::uint64_t, std::uint32_t> byDigest;
        for (std::size_t d = 0; d < count; ++d) {
            auto [at, added] = byDigest.emplace(digest[d], static_cast<std::uint32_t>(g.representatives.size()));
            if (added)
                g.representatives.push_back(g.distinct[d]);
            g.groupOf[d] = at->second;
        }
    }
    std::vector<std::uint8_t> confirmed(count, 0);
    inBlocks(pool, count, 64, [&](std::size_t b, std::size_t e, unsigned) {
        for (std::size_t d = b; d < e; ++d) {
            const Crop* rep = g.representatives[g.groupOf[d]];
            confirmed[d] = rep == g.distinct[d] || sameArithmetic(*rep, *g.distinct[d], annRain);
        }
    });
    for (std::size_t d = 0; d < count; ++d) {
        if (confirmed[d])
            continue;
        // Equal digests of different crops: find the crop's own group, or start one.
        std::uint32_t group = 0;
        while (group < g.representatives.size() && !sameArithmetic(*g.representatives[group], *g.distinct[d], annRain))
            ++group;
        if (group == g.representatives.size())
            g.representatives.push_back(g.distinct[d]);
        g.groupOf[d] = group;
    }
    g.fallow.resize(g.representatives.size());
    for (std::size_t group = 0; group < g.representatives.size(); ++group)
        g.fallow[group] = g.representatives[group]->cropType == "Fallow";
}

// 3. Per position, the groups found there numbered as columns, in order of first appearance; runs of
// combinations sharing a prefix. Returns, per position, the group of each column.
std::vector<std::vector<std::uint32_t>> numberColumns(SearchTables& t, const CropGroups& g)
{
    const auto nf = static_cast<std::size_t>(t.nFields);
    std::vector<std::vector<std::uint32_t>> columnOfGroup(nf,
                                                          std::vector<std::uint32_t>(g.representatives.size(), none));
    std::vector<std::vector<std::uint32_t>> groupOfColumn(nf);
    t.cropColumn.resize(t.nCombos * nf);
    t.sharedPrefix.assign(t.nCombos, 0);
    for (std::size_t k = 0; k < t.nCombos; ++k) {
        for (std::size_t i = 0; i < nf; ++i) {
            const std::uint32_t group = g.groupOf[g.distinctAt[k * nf + i]];
            std::uint32_t& column = columnOfGroup[i][group];
            if (column == none) {
                column = static_cast<std::uint32_t>(groupOfColumn[i].size());
                groupOfColumn[i].push_back(group);
            }
            t.cropColumn[k * nf + i] = column;
        }
        if (k > 0) {
            std::uint32_t shared = 0;
            while (shared + 1 < nf && t.cropColumn[k * nf + shared] == t.cropColumn[(k - 1) * nf + shared])
                ++shared;
            t.sharedPrefix[k] = shared;
        }
    }
    t.runBegin.assign(t.nCombos * nf, 0);
    for (std::size_t k = 0; k < t.nCombos; ++k)
        for (std::size_t j = 1; j < nf; ++j)
            t.runBegin[k * nf + j] =
                k > 0 && t.sharedPrefix[k] >= j ? t.runBegin[(k - 1) * nf + j] : static_cast<std::uint32_t>(k);
    return groupOfColumn;
}

// The distinct depths of each position and, per worker and position, the global row of each of the worker's
// own rows (which t.depthRow holds until the ceilings are set).
struct DepthRows {
    std::vector<DepthNumbering> depths;
    std::vector<std::vector<std::vector<std::uint32_t>>> toGlobal;
};

// 4. The distinct depths of each position: numbered per worker over equal ranges of splits, then merged. False
// for a split with fewer parts than fields.
bool numberDepths(SearchTables& t, const SplitCollection& depthSplits, WorkerPool& pool, DepthRows& rows)
{
    const auto nf = static_cast<std::size_t>(t.nFields);
    const unsigned workers = pool.size();
    std::atomic<bool> failed{false};
    t.depthRow.resize(t.nSplits * nf);
    std::vector<std::vector<DepthNumbering>> local(workers, std::vector<DepthNumbering>(nf));
    pool.run([&](unsigned w) {
        const auto [begin, end] = rangeOf(t.nSplits, w, workers);
        for (std::size_t sp = begin; sp < end; ++sp) {
            const SplitView split = depthSplits.Item(static_cast<long>(sp) + 1);
            if (split.Count() < t.nFields) {
                failed = true;
                return;
            }
            const double* parts = split.splits.data();
            for (std::size_t i = 0; i < nf; ++i)
                t.depthRow[sp * nf + i] = local[w][i].rowOf(parts[i]);
        }
    });
    if (failed)
        return false;
    rows.depths.resize(nf);
    rows.toGlobal.assign(workers, std::vector<std::vector<std::uint32_t>>(nf));
    for (unsigned w = 0; w < workers; ++w)
        for (std::size_t i = 0; i < nf; ++i)
            for (std::size_t r = 0; r < local[w][i].size(); ++r)
                rows.toGlobal[w][i].push_back(rows.depths[i].rowOf(local[w][i].value(r)));
    return true;
}

// What a field computes, the same for every field that the search can build.
struct FieldInputs {
    const Split& landSplit;
    double annRain;
    const IrrigationCosts& irrigCosts;
    const SessionState& s;
};

// 5. The values: every field that the search can build, computed once with the real classes. False when a
// computation fails or gives a value that is not finite or so large that sums could overflow.
bool computeValues(SearchTables& t, const CropGroups& g, const std::vector<std::vector<std::uint32_t>>& groupOfColumn,
                   const std::vector<DepthNumbering>& depths, const FieldInputs& in, WorkerPool& pool)
{
    const auto nf = static_cast<std::size_t>(t.nFields);
    t.cropCount.resize(nf);
    t.depthCount.resize(nf);
    t.fieldReturn.resize(nf);
    t.fieldCost.resize(nf);
    std::vector<std::pair<std::size_t, std::size_t>> items; // (position, column)
    for (std::size_t i = 0; i < nf; ++i) {
        t.cropCount[i] = static_cast<std::uint32_t>(groupOfColumn[i].size());
        t.depthCount[i] = static_cast<std::uint32_t>(depths[i].size());
        t.fieldReturn[i].resize(std::size_t{t.depthCount[i]} * t.cropCount[i]);
        t.fieldCost[i].resize(std::size_t{t.depthCount[i]} * t.cropCount[i]);
        for (std::size_t c = 0; c < groupOfColumn[i].size(); ++c)
            items.emplace_back(i, c);
    }
    const double limit = 1e300 / static_cast<double>(nf + 1);
    std::atomic<bool> failed{false};
    inBlocks(pool, items.size(), 1, [&](std::size_t b, std::size_t e, unsigned) {
        try {
            for (std::size_t item = b; item < e && !failed; ++item) {
                const auto [i, c] = items[item];
                const std::size_t columns = t.cropCount[i];
                const std::size_t rows = t.depthCount[i];
                const std::uint32_t group = groupOfColumn[i][c];
                auto& ret = t.fieldReturn[i];
                auto& cost = t.fieldCost[i];
                Field f;
                f.acres = in.landSplit.splits[i];
                f.theCrop = g.representatives[group]->Copy();
                f.irrigCosts = in.irrigCosts.Copy();
                f.annualRain = in.annRain;
                const korvel::inputCosts freshCosts = f.theCrop->inputCosts;
                const double freshYield = f.theCrop->Yield;
                const IrrigationCosts freshIrrigation = *f.irrigCosts;
                for (std::size_t r = 0; r < rows; ++r) {
                    if (g.fallow[group] && r > 0) { // a "Fallow" field is never irrigated: depth 0 on every row
                        ret[r * columns + c] = ret[c];
                        cost[r * columns + c] = cost[c];
                        continue;
                    }
                    f.theCrop->inputCosts = freshCosts;
                    f.theCrop->Yield = freshYield;
                    *f.irrigCosts = freshIrrigation;
                    f.TotalCost = 0.0;
                    f.TotalReturn = 0.0;
                    f.Depth = g.fallow[group] ? 0.0 : depths[i].value(r);
                    f.theCrop->setYield(f.Depth, f.annualRain);
                    const double fieldCost = f.getCosts(in.s);
                    const double fieldReturn = f.getReturn();
                    if (!(std::fabs(fieldCost) <= limit) || !(std::fabs(fieldReturn) <= limit)) {
                        failed = true;
                        return;
                    }
                    ret[r * columns + c] = fieldReturn;
                    cost[r * columns + c] = fieldCost;
                }
            }
        } catch (...) {
            failed = true;
        }
    });
    return !failed;
}

// Per position and depth row: the best return minus cost over the crops (into t.bestNet), and the largest
// |return| + |cost| (returned), which bounds the rounding of every sum that row enters.
std::vector<std::vector<double>> bestNets(SearchTables& t)
{
    const auto nf = static_cast<std::size_t>(t.nFields);
    std::vector<std::vector<double>> magnitude(nf);
    t.bestNet.resize(nf);
    for (std::size_t i = 0; i < nf; ++i) {
        const std::size_t columns = t.cropCount[i];
        const std::size_t rows = t.depthCount[i];
        t.bestNet[i].assign(rows, -std::numeric_limits<double>::infinity());
        magnitude[i].assign(rows, 0.0);
        for (std::size_t r = 0; r < rows; ++r)
            for (std::size_t c = 0; c < columns; ++c) {
                const double rv = t.fieldReturn[i][r * columns + c];
                const double cv = t.fieldCost[i][r * columns + c];
                t.bestNet[i][r] = std::max(t.bestNet[i][r], rv - cv);
                magnitude[i][r] = std::max(magnitude[i][r], std::fabs(rv) + std::fabs(cv));
            }
    }
    return magnitude;
}

// 6. Each split's margin and ceiling (the margin's bound is argued at the top of this file), its depth rows
// turned global on the way. The same pass keeps each worker's splits with the highest ceilings: searched first,
// enough of them to fill the list and one per worker more, they make the floor rise before the rest is looked at.
void setCeilings(SearchTables& t, const std::vector<std::vector<double>>& magnitude, const DepthRows& rows,
                 std::size_t listSize, WorkerPool& pool)
{
    const auto nf = static_cast<std::size_t>(t.nFields);
    const unsigned workers = pool.size();
    const double relative = static_cast<double>(4 * nf + 16) * std::ldexp(1.0, -52); // (8n + 32) u
    t.profitCeiling.resize(t.nSplits);
    t.profitMargin.resize(t.nSplits);
    const std::size_t fill = (listSize + t.nCombos - 1) / t.nCombos;
    const std::size_t first = std::min<std::size_t>(t.nSplits, fill + workers);
    const auto higher = [&](std::uint32_t a, std::uint32_t b) { return higherCeiling(t, a, b); };
    std::vector<std::vector<std::uint32_t>> bestOf(workers);
    pool.run([&](unsigned w) {
        const auto [begin, end] = rangeOf(t.nSplits, w, workers);
        auto& heap = bestOf[w]; // front: the lowest ceiling kept
        for (std::size_t sp = begin; sp < end; ++sp) {
            std::uint32_t* row = &t.depthRow[sp * nf];
            double best = 0.0;
            double size = 0.0;
            for (std::size_t i = 0; i < nf; ++i) {
                row[i] = rows.toGlobal[w][i][row[i]];
                best += t.bestNet[i][row[i]];
                size += magnitude[i][row[i]];
            }
            t.profitMargin[sp] = size * relative + 1e-300;
            t.profitCeiling[sp] = best + t.profitMargin[sp];
            const auto split = static_cast<std::uint32_t>(sp);
            if (heap.size() < first) {
                heap.push_back(split);
                std::push_heap(heap.begin(), heap.end(), higher);
            } else if (higher(split, heap.front())) {
                std::pop_heap(heap.begin(), heap.end(), higher);
                heap.back() = split;
                std::push_heap(heap.begin(), heap.end(), higher);
            }
        }
    });
    for (const auto& kept : bestOf)
        t.firstSplits.insert(t.firstSplits.end(), kept.begin(), kept.end());
    std::sort(t.firstSplits.begin(), t.firstSplits.end(), higher);
    if (t.firstSplits.size() > first)
        t.firstSplits.resize(first);
}

} // namespace

std::unique_ptr<SearchTables> buildSearchTables(const SplitCollection& depthSplits,
                                                const std::vector<std::shared_ptr<CropScenario>>& combos,
                                                const Split& landSplit, double annRain,
                                                const IrrigationCosts& irrigCosts, const SessionState& s,
                                                std::size_t listSize, WorkerPool& pool)
{
    const int n = landSplit.Count();
    if (n < 1 || combos.empty() || depthSplits.Count() == 0 ||
        static_cast<std::size_t>(depthSplits.Count()) >= std::numeric_limits<std::uint32_t>::max() ||
        combos.size() >= std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    auto t = std::make_unique<SearchTables>();
    t->nFields = n;
    t->nSplits = static_cast<std::size_t>(depthSplits.Count());
    t->nCombos = combos.size();

    CropGroups groups;
    if (!numberCrops(combos, n, groups))
        return nullptr;
    groupAlike(groups, annRain, pool);
    const std::vector<std::vector<std::uint32_t>> groupOfColumn = numberColumns(*t, groups);
    DepthRows rows;
    if (!numberDepths(*t, depthSplits, pool, rows))
        return nullptr;
    if (!computeValues(*t, groups, groupOfColumn, rows.depths, {landSplit, annRain, irrigCosts, s}, pool))
        return nullptr;
    setCeilings(*t, bestNets(*t), rows, listSize, pool);
    return t;
}

} // namespace korvel::search
