#include "model/SearchTables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>

#include "model/Field.h"

namespace korvel::search {
namespace {

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameVariant(const Variant& a, const Variant& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() && b.isEmpty();
    if (a.isNumber() != b.isNumber())
        return false;
    if (a.isNumber())
        return sameBits(a.number(), b.number());
    return a.toString() == b.toString();
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

bool sameCosts(const inputCosts& a, const inputCosts& b)
{
    const double da[] = {a.NitrogenCost, a.NitrogenApplied, a.PCost, a.PApplied, a.SeedCost, a.SeedRate,
                         a.Herbicide, a.Insecticide, a.Tillage, a.Planting, a.FertilizerApplication,
                         a.HerbicideApplication, a.InsecticideApplication, a.Returns, a.MiscCost, a.NPerAcre,
                         a.PPerAcre, a.BatchGeneralCosts};
    const double db[] = {b.NitrogenCost, b.NitrogenApplied, b.PCost, b.PApplied, b.SeedCost, b.SeedRate,
                         b.Herbicide, b.Insecticide, b.Tillage, b.Planting, b.FertilizerApplication,
                         b.HerbicideApplication, b.InsecticideApplication, b.Returns, b.MiscCost, b.NPerAcre,
                         b.PPerAcre, b.BatchGeneralCosts};
    for (std::size_t i = 0; i < std::size(da); ++i)
        if (!sameBits(da[i], db[i]))
            return false;
    if (a.NOptimal != b.NOptimal || a.POptimal != b.POptimal || a.SeedOptimal != b.SeedOptimal ||
        a.UseBatch != b.UseBatch)
        return false;
    const Variant* va[] = {&a.HarvestBasePerAcre, &a.HarvestExceedBu,    &a.HarvestExceedRate, &a.HarvestHauling,
                           &a.HarvestFlatRate,    &a.AlfalfaSwathing,    &a.AlfalfaSwathingNum, &a.AlfalfaRaking,
                           &a.AlfalfaRakingNum,   &a.AlfalfaBaling,      &a.AlfalfaBalingNum,   &a.AlfalfaPerTon,
                           &a.AlfalfaStand};
    const Variant* vb[] = {&b.HarvestBasePerAcre, &b.HarvestExceedBu,    &b.HarvestExceedRate, &b.HarvestHauling,
                           &b.HarvestFlatRate,    &b.AlfalfaSwathing,    &b.AlfalfaSwathingNum, &b.AlfalfaRaking,
                           &b.AlfalfaRakingNum,   &b.AlfalfaBaling,      &b.AlfalfaBalingNum,   &b.AlfalfaPerTon,
                           &b.AlfalfaStand};
    for (std::size_t i = 0; i < std::size(va); ++i)
        if (!sameVariant(*va[i], *vb[i]))
            return false;
    return true;
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

bool sameArithmetic(const Crop& a, const Crop& b)
{
    return a.cropType == b.cropType && a.cropUnitsArray == b.cropUnitsArray && sameBits(a.price, b.price) &&
           sameBits(a.maxYield, b.maxYield) && sameBits(a.normalFactor, b.normalFactor) &&
           sameCosts(a.inputCosts, b.inputCosts) && sameTable(a.yieldTable, b.yieldTable);
}

std::unique_ptr<SearchTables> buildSearchTables(const SplitCollection& depthSplits,
                                                const std::vector<std::shared_ptr<CropScenario>>& combos,
                                                const Split& landSplit, double annRain,
                                                const IrrigationCosts& irrigCosts, const SessionState& s,
                                                std::size_t listSize, unsigned workers)
{
    auto t = std::make_unique<SearchTables>();
    const int n = landSplit.Count();
    if (n < 1 || combos.empty() || depthSplits.Count() == 0 ||
        static_cast<std::size_t>(depthSplits.Count()) >= std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    const auto nf = static_cast<std::size_t>(n);
    t->nFields = n;
    t->nSplits = static_cast<std::size_t>(depthSplits.Count());
    t->nCombos = combos.size();

    // Crops: one representative per group of crops that compute alike, numbered per position.
    std::vector<const Crop*> representatives;
    std::vector<bool> fallow;
    std::unordered_map<const Crop*, std::uint32_t> groupOf;
    std::vector<std::vector<std::uint32_t>> columnOfGroup(nf); // per position: group -> column (or none)
    std::vector<std::vector<std::uint32_t>> groupOfColumn(nf); // per position: column -> group
    constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();
    t->cropColumn.resize(t->nCombos * nf);
    t->sharedPrefix.assign(t->nCombos, 0);
    for (std::size_t k = 0; k < t->nCombos; ++k) {
        const CropScenario* combo = combos[k].get();
        if (combo == nullptr || combo->Count() < n)
            return nullptr;
        for (std::size_t i = 0; i < nf; ++i) {
            const Crop* crop = combo->Item(static_cast<long>(i) + 1).get();
            if (crop == nullptr)
                return nullptr;
            std::uint32_t group;
            if (auto found = groupOf.find(crop); found != groupOf.end()) {
                group = found->second;
            } else {
                group = none;
                for (std::uint32_t g = 0; g < representatives.size(); ++g)
                    if (sameArithmetic(*representatives[g], *crop)) {
                        group = g;
                        break;
                    }
                if (group == none) {
                    group = static_cast<std::uint32_t>(representatives.size());
                    representatives.push_back(crop);
                    fallow.push_back(crop->cropType == "Fallow");
                }
                groupOf.emplace(crop, group);
            }
            auto& columns = columnOfGroup[i];
            if (columns.size() <= group)
                columns.resize(group + 1, none);
            if (columns[group] == none) {
                columns[group] = static_cast<std::uint32_t>(groupOfColumn[i].size());
                groupOfColumn[i].push_back(group);
            }
            t->cropColumn[k * nf + i] = columns[group];
        }
        if (k > 0) {
            std::uint32_t shared = 0;
            while (shared + 1 < nf && t->cropColumn[k * nf + shared] == t->cropColumn[(k - 1) * nf + shared])
                ++shared;
            t->sharedPrefix[k] = shared;
        }
    }

    // Depths: the distinct values of each position, in bits.
    std::vector<DepthNumbering> depths(nf);
    t->depthRow.resize(t->nSplits * nf);
    std::size_t d = 0;
    for (const auto& split : depthSplits) {
        if (split == nullptr || split->Count() < n)
            return nullptr;
        const double* parts = split->splits.data();
        for (std::size_t i = 0; i < nf; ++i)
            t->depthRow[d * nf + i] = depths[i].rowOf(parts[i]);
        ++d;
    }

    // The values: every field that the search can build, computed once.
    const double limit = 1e300 / static_cast<double>(nf + 1);
    std::vector<std::vector<double>> bestNet(nf), magnitude(nf);
    t->cropCount.resize(nf);
    t->depthCount.resize(nf);
    t->fieldReturn.resize(nf);
    t->fieldCost.resize(nf);
    try {
        for (std::size_t i = 0; i < nf; ++i) {
            const std::size_t columns = groupOfColumn[i].size();
            const std::size_t rows = depths[i].size();
            t->cropCount[i] = static_cast<std::uint32_t>(columns);
            t->depthCount[i] = static_cast<std::uint32_t>(rows);
            auto& ret = t->fieldReturn[i];
            auto& cost = t->fieldCost[i];
            ret.resize(rows * columns);
            cost.resize(rows * columns);
            for (std::size_t c = 0; c < columns; ++c) {
                const std::uint32_t group = groupOfColumn[i][c];
                Field f;
                f.acres = landSplit.splits[i];
                f.theCrop = representatives[group]->Copy();
                f.irrigCosts = irrigCosts.Copy();
                f.annualRain = annRain;
                const korvel::inputCosts freshCosts = f.theCrop->inputCosts;
                const double freshYield = f.theCrop->Yield;
                const IrrigationCosts freshIrrigation = *f.irrigCosts;
                for (std::size_t r = 0; r < rows; ++r) {
                    if (fallow[group] && r > 0) { // a "Fallow" field is never irrigated: depth 0 on every row
                        ret[r * columns + c] = ret[c];
                        cost[r * columns + c] = cost[c];
                        continue;
                    }
                    f.theCrop->inputCosts = freshCosts;
                    f.theCrop->Yield = freshYield;
                    *f.irrigCosts = freshIrrigation;
                    f.TotalCost = 0.0;
                    f.TotalReturn = 0.0;
                    f.Depth = fallow[group] ? 0.0 : depths[i].value(r);
                    f.theCrop->setYield(f.Depth, f.annualRain);
                    const double fieldCost = f.getCosts(s);
                    const double fieldReturn = f.getReturn();
                    if (!(std::fabs(fieldCost) <= limit) || !(std::fabs(fieldReturn) <= limit))
                        return nullptr;
                    ret[r * columns + c] = fieldReturn;
                    cost[r * columns + c] = fieldCost;
                }
            }
            bestNet[i].assign(rows, -std::numeric_limits<double>::infinity());
            magnitude[i].assign(rows, 0.0);
            for (std::size_t r = 0; r < rows; ++r)
                for (std::size_t c = 0; c < columns; ++c) {
                    const double rv = ret[r * columns + c];
                    const double cv = cost[r * columns + c];
                    bestNet[i][r] = std::max(bestNet[i][r], rv - cv);
                    magnitude[i][r] = std::max(magnitude[i][r], std::fabs(rv) + std::fabs(cv));
                }
        }
    } catch (...) {
        return nullptr;
    }

    // Ceilings. A profit is (((0 + r1) + r2) + ...) - (((0 + c1) + c2) + ...) in floating point; it differs
    // from the exact sum of (ri - ci) by at most about (2n + 3) units of rounding times the sum of |ri| + |ci|.
    // The sum of each position's best (ri - ci) bounds the exact sum; the margin below is more than twice
    // every rounding involved, its own included, so no allocation can exceed the ceiling.
    const double unit = std::ldexp(1.0, -52);
    const double relative = static_cast<double>(4 * nf + 16) * unit;
    t->profitCeiling.resize(t->nSplits);
    for (std::size_t sp = 0; sp < t->nSplits; ++sp) {
        double best = 0.0;
        double size = 0.0;
        const std::uint32_t* rows = &t->depthRow[sp * nf];
        for (std::size_t i = 0; i < nf; ++i) {
            best += bestNet[i][rows[i]];
            size += magnitude[i][rows[i]];
        }
        t->profitCeiling[sp] = best + (size * relative + 1e-300);
    }

    // The splits searched first: enough of the highest ceilings to fill the list, and one per worker more.
    const std::size_t fill = (listSize + t->nCombos - 1) / t->nCombos;
    const std::size_t first = std::min<std::size_t>(t->nSplits, fill + std::max(1u, workers));
    std::vector<std::uint32_t> order(t->nSplits);
    for (std::size_t sp = 0; sp < t->nSplits; ++sp)
        order[sp] = static_cast<std::uint32_t>(sp);
    const auto higher = [&](std::uint32_t a, std::uint32_t b) {
        return t->profitCeiling[a] > t->profitCeiling[b] || (t->profitCeiling[a] == t->profitCeiling[b] && a > b);
    };
    if (first < order.size())
        std::nth_element(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(first), order.end(), higher);
    order.resize(first);
    std::sort(order.begin(), order.end(), higher);
    t->firstSplits = std::move(order);
    return t;
}

} // namespace korvel::search
