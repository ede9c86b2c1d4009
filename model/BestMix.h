#pragma once
// The fixed-size list of the best allocations, best first; a newer allocation wins ties.
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
    // The list (duplicates removed when axe), which also replaces the internal list.
    Entries returnCollection(bool axe, const SessionState& s);
    static bool sameScenario(FieldCollection& a, FieldCollection& b, bool axe, const SessionState& s);
    void SetBestArray(Entries ba);
    // A new list of the same length sharing the entries.
    std::shared_ptr<BestMix> Copy() const;
    const Entries& entries() const { return entries_; }

private:
    Entries entries_;
    std::int16_t N_ = 0;
};

} // namespace korvel
