#pragma once
// The numeric part of the search: every depth split crossed with every crop combination, summed from the
// precomputed tables, keeping the allocations that can still belong to the ranked list. Runs on worker
// threads; touches no model object, only the tables and the cancel flag. Private to FieldCalculator. Why what it
// keeps is exactly what the literal loop keeps: the note at the top of SearchTables.cpp.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/SearchTables.h"

namespace korvel::search {

// One allocation: its profit and its place in the evaluation order (split * combinations + combination).
struct Candidate {
    double profit;
    std::uint64_t order;
};

// The ranked list's rule: higher profit first; of equal profits, the later evaluation first.
inline bool ranksAbove(const Candidate& a, const Candidate& b)
{
    return a.profit > b.profit || (a.profit == b.profit && a.order > b.order);
}

// The best `capacity` candidates offered, in no particular order; the lowest one is at hand.
class TopList {
public:
    explicit TopList(std::size_t capacity) : capacity_(capacity) { items_.reserve(capacity); }
    bool full() const { return items_.size() >= capacity_; }
    const Candidate& lowest() const { return items_.front(); }
    // Keeps c when it ranks among the best; true when kept.
    bool offer(const Candidate& c);
    const std::vector<Candidate>& items() const { return items_; }

private:
    std::size_t capacity_;
    std::vector<Candidate> items_; // a heap whose front ranks lowest
};

class ParallelSearch {
public:
    ParallelSearch(const SearchTables& tables, std::size_t listSize, const std::atomic<bool>& cancel, unsigned workers);

    // Worker w's work: takes splits until none are left or the cancel flag is seen. Thread-safe for
    // distinct w. Returns when this worker has nothing more to do.
    void work(unsigned w);
    // Does one more piece of worker w's work (used when no thread could be started); false when done.
    bool workSome(unsigned w);

    // Makes every worker return soon (the calling thread is leaving).
    void stop() { stop_.store(true, std::memory_order_relaxed); }

    // Splits finished so far (evaluated or shown to hold nothing for the list).
    std::size_t splitsDone() const { return splitsDone_.load(std::memory_order_relaxed); }
    // The cancel flag was seen set before some combination.
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    // After every worker has returned: the ranked list's candidates, best first.
    std::vector<Candidate> result() const;

private:
    struct alignas(64) Worker {
        explicit Worker(std::size_t listSize, int nFields)
            : best(listSize), partialReturn(static_cast<std::size_t>(nFields)),
              partialCost(static_cast<std::size_t>(nFields)), rowReturn(static_cast<std::size_t>(nFields)),
              rowCost(static_cast<std::size_t>(nFields)), suffixBest(static_cast<std::size_t>(nFields) + 1)
        {
        }
        TopList best;
        std::vector<double> partialReturn, partialCost;
        std::vector<const double*> rowReturn, rowCost;
        std::vector<double> suffixBest; // [j]: sum of the best nets of positions j and after
    };

    bool evaluateSplit(std::size_t split, Worker& w);
    // True (and remembered) when the cancel flag or a stop is seen.
    bool halted()
    {
        if (cancel_.load(std::memory_order_relaxed) || stop_.load(std::memory_order_relaxed)) {
            cancelled_.store(true, std::memory_order_relaxed);
            return true;
        }
        return false;
    }
    void raiseFloor(double value);

    const SearchTables& t_;
    const std::atomic<bool>& cancel_;
    std::size_t listSize_;
    std::vector<Worker> workers_;
    std::vector<std::uint8_t> searchedFirst_;
    std::atomic<std::size_t> nextFirst_{0};
    std::atomic<std::size_t> nextChunk_{0};
    std::size_t chunkSize_;
    std::atomic<std::size_t> splitsDone_{0};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> stop_{false};
    // A profit that at least listSize allocations reach: anything below it cannot enter the list.
    std::atomic<double> floor_;
};

} // namespace korvel::search
