#pragma once
// The ranked list's insertion from the bottom exactly as written down, one comparison, one copy of the
// newcomer and one copy of each entry passed at a time, over a plain array of entries, and the fixed trend over
// it. The references that BestMix, the search and the fixed trend are held to.
#include <memory>
#include <vector>

#include "model/BestMix.h"
#include "model/FixedTrend.h"
#include "model/SessionState.h"

namespace korvel::testing {

// N new placeholders.
BestMix::Entries literalList(int size);

// Offers newFC to the list: a copy of it enters when it ranks.
void literalSubmit(BestMix::Entries& entries, FieldCollection& newFC, const SessionState& s);

// The list with duplicates removed when axe (each kept entry copied, placeholders after them), which also
// replaces it.
BestMix::Entries literalReturnCollection(BestMix::Entries& entries, bool axe, const SessionState& s);

// A fixed trend written out step by step: for each value (or pair of values) a copy of the base option changed by
// UpdateOption, ranked as a copy of its own by literalSubmit and kept in the grid (row by row) as another copy.
struct LiteralFixedTrend {
    BestMix::Entries list;
    std::vector<std::shared_ptr<FieldCollection>> grid;
};
LiteralFixedTrend literalFixedTrend(const FieldCollection& selected, const std::vector<FixedTrendProcess>& processes,
                                    SessionState& s);

} // namespace korvel::testing
