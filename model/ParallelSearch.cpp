#include "model/ParallelSearch.h"

#include <algorithm>
#include <limits>

namespace korvel::search {

bool TopList::offer(const Candidate& c)
{
    // std heap with "ranks above" as the ordering keeps the lowest-ranked candidate at the front.
    if (capacity_ == 0)
        return false;
    if (!full()) {
        items_.push_back(c);
        std::push_heap(items_.begin(), items_.end(), ranksAbove);
        return true;
    }
    if (!ranksAbove(c, items_.front()))
        return false;
    std::pop_heap(items_.begin(), items_.end(), ranksAbove);
    items_.back() = c;
    std::push_heap(items_.begin(), items_.end(), ranksAbove);
    return true;
}

ParallelSearch::ParallelSearch(const SearchTables& tables, std::size_t listSize, const std::atomic<bool>& cancel,
                               unsigned workers)
    : t_(tables), cancel_(cancel), listSize_(listSize), searchedFirst_(tables.nSplits, 0),
      floor_(-std::numeric_limits<double>::infinity())
{
    workers = std::max(1u, workers);
    workers_.reserve(workers);
    for (unsigned w = 0; w < workers; ++w)
        workers_.emplace_back(listSize, tables.nFields);
    for (std::uint32_t split : tables.firstSplits)
        searchedFirst_[split] = 1;
    chunkSize_ = std::clamp<std::size_t>(tables.nSplits / (std::size_t{workers} * 64), 1, 256);
}

void ParallelSearch::raiseFloor(double value)
{
    double current = floor_.load(std::memory_order_relaxed);
    while (value > current && !floor_.compare_exchange_weak(current, value, std::memory_order_relaxed)) {
    }
}

bool ParallelSearch::evaluateSplit(std::size_t split, Worker& w)
{
    const auto n = static_cast<std::size_t>(t_.nFields);
    const std::uint32_t* rows = &t_.depthRow[split * n];
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t offset = std::size_t{rows[i]} * t_.cropCount[i];
        w.rowReturn[i] = t_.fieldReturn[i].data() + offset;
        w.rowCost[i] = t_.fieldCost[i].data() + offset;
    }
    double* partialReturn = w.partialReturn.data();
    double* partialCost = w.partialCost.data();
    const double* const* rowReturn = w.rowReturn.data();
    const double* const* rowCost = w.rowCost.data();
    const std::size_t last = n - 1;
    const std::uint64_t base = static_cast<std::uint64_t>(split) * t_.nCombos;

    // What positions j and after can add at best, for the ceilings of the runs that share a prefix.
    double* suffixBest = w.suffixBest.data();
    suffixBest[n] = 0.0;
    for (std::size_t i = n; i-- > 0;)
        suffixBest[i] = suffixBest[i + 1] + t_.bestNet[i][rows[i]];
    const double margin = t_.profitMargin[split];

    // Below `bar` nothing can enter: under the shared floor, or under this worker's own lowest when full.
    double bar = floor_.load(std::memory_order_relaxed);
    bool full = w.best.full();
    Candidate lowest = full ? w.best.lowest() : Candidate{bar, 0};
    if (full)
        bar = std::max(bar, lowest.profit);

    // The sums run exactly as the allocation sums its fields: from 0, in field order, return and cost apart.
    // The combinations are walked from the last, so that of equal profits the later evaluation comes first
    // and an earlier one is turned away by one comparison. Partial sums are kept for the crops a
    // combination shares with the one walked before it; after the crops of positions 0..j are added, the
    // rest of the run that shares them is skipped when its ceiling lies under the bar.
    partialReturn[0] = 0.0;
    partialCost[0] = 0.0;
    const std::uint32_t* shared = t_.sharedPrefix.data();
    const std::uint32_t* runBegin = t_.runBegin.data();
    const std::size_t combos = t_.nCombos;
    std::size_t k = combos;
    bool fresh = true;
    while (k-- > 0) {
        if (halted())
            return false;
        const std::uint32_t* columns = t_.cropColumn.data() + k * n;
        bool skipped = false;
        for (std::size_t j = fresh ? 0 : shared[k + 1]; j < last; ++j) {
            partialReturn[j + 1] = partialReturn[j] + rowReturn[j][columns[j]];
            partialCost[j + 1] = partialCost[j] + rowCost[j][columns[j]];
            if ((partialReturn[j + 1] - partialCost[j + 1]) + suffixBest[j + 1] + margin < bar) {
                // Combinations k back to the run's first share positions 0..j; the next one walked shares
                // at most positions 0..j - 1 with them, whose partial sums stay valid.
                k = runBegin[k * n + j + 1];
                skipped = true;
                break;
            }
        }
        fresh = false;
        if (skipped)
            continue;
        // Combinations k back to the first of its run share positions 0..last - 1 and so these partial sums:
        // only the last crop changes. A candidate that cannot pass this worker's lowest is not offered.
        const std::size_t first = last == 0 ? 0 : runBegin[k * n + last];
        const double sharedReturn = partialReturn[last];
        const double sharedCost = partialCost[last];
        const double* lastReturn = rowReturn[last];
        const double* lastCost = rowCost[last];
        const std::uint32_t* lastColumns = t_.cropColumn.data() + last;
        for (std::size_t m = k + 1; m-- > first;) {
            const std::uint32_t column = lastColumns[m * n];
            const double totalReturn = sharedReturn + lastReturn[column];
            const double totalCost = sharedCost + lastCost[column];
            const double profit = totalReturn - totalCost;
            if (profit < bar)
                continue;
            const Candidate c{profit, base + m};
            if (full && !ranksAbove(c, lowest))
                continue;
            if (w.best.offer(c) && w.best.full()) {
                full = true;
                lowest = w.best.lowest();
                bar = std::max(bar, lowest.profit);
            }
        }
        k = first;
    }
    if (w.best.full())
        raiseFloor(w.best.lowest().profit);
    return true;
}

bool ParallelSearch::workSome(unsigned index)
{
    Worker& w = workers_[index];
    if (cancelled_.load(std::memory_order_relaxed))
        return false;

    // First the splits with the highest ceilings, so that the floor rises before the rest is looked at.
    const std::size_t first = nextFirst_.fetch_add(1, std::memory_order_relaxed);
    if (first < t_.firstSplits.size()) {
        if (halted())
            return false;
        if (!evaluateSplit(t_.firstSplits[first], w))
            return false;
        splitsDone_.fetch_add(1, std::memory_order_relaxed);
        return true;
    }

    // Then every split, from the last (for the same reason as the combinations within a split).
    const std::size_t taken = nextChunk_.fetch_add(chunkSize_, std::memory_order_relaxed);
    if (taken >= t_.nSplits)
        return false;
    const std::size_t end = t_.nSplits - taken;
    const std::size_t begin = end > chunkSize_ ? end - chunkSize_ : 0;
    std::size_t done = 0;
    for (std::size_t split = end; split-- > begin;) {
        if (searchedFirst_[split])
            continue;
        if (halted()) {
            splitsDone_.fetch_add(done, std::memory_order_relaxed);
            return false;
        }
        // A split whose ceiling lies under the floor holds no allocation that can enter the list.
        if (!(t_.profitCeiling[split] < floor_.load(std::memory_order_relaxed)) && !evaluateSplit(split, w)) {
            splitsDone_.fetch_add(done, std::memory_order_relaxed);
            return false;
        }
        ++done;
    }
    splitsDone_.fetch_add(done, std::memory_order_relaxed);
    return true;
}

void ParallelSearch::work(unsigned w)
{
    while (workSome(w)) {
    }
}

std::vector<Candidate> ParallelSearch::result() const
{
    std::vector<Candidate> all;
    for (const Worker& w : workers_)
        all.insert(all.end(), w.best.items().begin(), w.best.items().end());
    std::sort(all.begin(), all.end(), ranksAbove);
    if (all.size() > listSize_)
        all.resize(listSize_);
    return all;
}

} // namespace korvel::search
