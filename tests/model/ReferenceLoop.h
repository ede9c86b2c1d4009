#pragma once
// The search written out literally, one allocation after the other, with nothing precomputed: for every
// depth split and every crop combination it builds the allocation (own copies of each crop and of the
// irrigation costs), sets the yields and submits it to the ranked list. Slow; the tests and the benchmark
// check the real search against it.
#include <memory>
#include <vector>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/FieldCalculator.h"
#include "model/IrrigationCosts.h"
#include "model/SessionState.h"
#include "model/Split.h"
#include "model/SplitCollection.h"

namespace korvel::testing {

std::shared_ptr<BestMix> referenceEvaluate(const SplitCollection& depthSplits,
                                           const std::vector<std::shared_ptr<CropScenario>>& combos,
                                           const Split& landSplit, double annRain, int bestCount,
                                           const IrrigationCosts& irrigCosts, SessionState& s,
                                           EvaluationObserver* observer = nullptr);

} // namespace korvel::testing
