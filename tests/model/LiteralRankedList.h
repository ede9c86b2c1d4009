#pragma once
// The ranked list's insertion from the bottom exactly as written down, one comparison, one copy of the
// newcomer and one copy of each entry passed at a time, over a plain array of entries. The reference that
// BestMix::submit and the search are held to.
#include "model/BestMix.h"
#include "model/SessionState.h"

namespace korvel::testing {

// N new placeholders.
BestMix::Entries literalList(int size);

// Offers newFC to the list: a copy of it enters when it ranks.
void literalSubmit(BestMix::Entries& entries, FieldCollection& newFC, const SessionState& s);

// The list with duplicates removed when axe (each kept entry copied, placeholders after them), which also
// replaces it.
BestMix::Entries literalReturnCollection(BestMix::Entries& entries, bool axe, const SessionState& s);

} // namespace korvel::testing
