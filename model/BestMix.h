#pragma once
// The fixed-size list of the best allocations, best first; a newer allocation wins ties.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/FieldCollection.h"
#include "model/SessionState.h"

namespace korvel {

class BestMix {
public:
    using Entries = std::vector<std::shared_ptr<FieldCollection>>;

    // N := numberOfEvals; the entries become N new placeholders. Throws InvalidArgument below 1.
    void setSize(int numberOfEvals);
    std::int16_t getSize() const;
    // Offers one allocation; a copy enters the list when it ranks. The allocation's profit is asked of it at
    // each comparison, which fills its caches (and those of its fields) as a computation of it would.
    // Throws IndexError on a list that was never sized.
    void submit(FieldCollection& newFC, const SessionState& s);
    // The same for an allocation that must stay untouched: the comparisons work on a copy of it.
    void submit(const FieldCollection& newFC, const SessionState& s);
    // The same for an allocation handed over, which nobody else holds: when it ranks, it becomes the entry
    // itself, left as its copy would be, in place of a copy of it.
    void submit(std::shared_ptr<FieldCollection>&& newFC, const SessionState& s);
    // The list (duplicates removed when axe), which also replaces the internal list.
    Entries returnCollection(bool axe, const SessionState& s);
    static bool sameScenario(FieldCollection& a, FieldCollection& b, bool axe, const SessionState& s);
    void SetBestArray(Entries ba);
    // A new list of the same length sharing the entries.
    std::shared_ptr<BestMix> Copy() const;
    const Entries& entries() const;

private:
    // One allocation that ranks, while the list is not yet in order: its profit and its place among the
    // submissions.
    struct Ranked {
        std::shared_ptr<FieldCollection> entry;
        double profit;
        std::uint64_t order;
    };

    void submitNew(FieldCollection& newFC, std::shared_ptr<FieldCollection> owned, const SessionState& s);
    // Insertion from the bottom, one comparison at a time.
    void climb(FieldCollection& newFC, std::shared_ptr<FieldCollection> owned, const SessionState& s);
    // Puts the allocations that rank in order, in the state the insertions from the bottom leave them.
    void settle() const;

    mutable Entries entries_;
    std::int16_t N_ = 0;
    // From setSize until anybody reads the entries (or a submission that the ranking by profit alone cannot
    // place: a placeholder, a profit that is not a number, a failing computation), the list only keeps the
    // allocations that rank, in a heap whose front ranks lowest, and puts them in order when the entries are
    // read. Nobody can tell: each comparison of a climb would only have filled caches that the copy made as
    // the entry moves down clears again.
    mutable bool deferred_ = false;
    mutable std::vector<Ranked> ranked_;
    std::uint64_t submissions_ = 0;
};

// For the entries of a list filled by submissions alone, in rank order with their places among the submissions
// (`orders`, 0-based, of `submissions` in all), whether the list asked each one for its profit after it was last
// copied, so that it holds its return caches: an entry is copied when it arrives and each time a later arrival
// passes it; afterwards only an arrival that stops right below it asks it (the entry right below it came later),
// and the lowest entry of a full list is asked by every later arrival, none of which entered.
std::vector<std::uint8_t> askedSinceLastCopied(const std::vector<std::uint64_t>& orders, std::uint64_t submissions,
                                               std::size_t listSize);

} // namespace korvel
