#pragma once
// Deep comparison of two ranked lists: every entry, every field, every crop and cost input, every cache,
// doubles bit for bit. Used to hold the search to its literal reference.
#include <string>

#include "model/BestMix.h"
#include "model/SessionState.h"

namespace korvel::testing {

// The first difference between the lists, or "" when they are the same. Reads state only.
std::string firstDifference(const BestMix& expected, const BestMix& actual);

// The same, then asks every entry of both lists for its profit (bits must agree), then compares again
// (asking fills the caches of both in the same way).
std::string firstDifferenceWithProfits(BestMix& expected, BestMix& actual, const SessionState& s);

} // namespace korvel::testing
