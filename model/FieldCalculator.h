#pragma once
// The search: every depth split crossed with every crop combination, each allocation ranked in a BestMix.
#include <cstddef>
#include <memory>
#include <vector>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/IrrigationCosts.h"
#include "model/SessionState.h"
#include "model/Split.h"
#include "model/SplitCollection.h"

namespace korvel {

// What the search tells the window while it works. Every call comes on the thread that called
// EvaluateCombinations (the window thread), never from a worker.
class EvaluationObserver {
public:
    virtual ~EvaluationObserver() = default;
    // Let pending window messages run (the Cancel button's handler among them).
    virtual void pumpMessages() {}
    // One more depth split is done: advance the progress bar one step and keep the window on top.
    virtual void advance() {}
    // `steps` more depth splits are done: as many advance() calls, which a window may answer at once.
    virtual void advanceBy(std::size_t steps)
    {
        for (; steps > 0; --steps)
            advance();
    }
    // The search has ended, normally or cancelled: close the progress window.
    virtual void close() {}
};

namespace FieldCalculator {

// What the search does with a Cancel pressed before it began.
enum class EarlierCancel {
    Forget, // an evaluation of its own: the flag is cleared once the messages waiting at the start have run
    Keep,   // a step of a trend: a Cancel pressed at any moment of the trend stops it, so the search ends at once
};

// The ranked list of the best bestCount allocations, exactly as the literal loop would build it
// (same entries, same order, same field state, bit-equal profits), or nothing when s.CancelRequested
// was set during the search. Lets the waiting messages run first, then clears s.CancelRequested, or with
// EarlierCancel::Keep returns nothing when it is set.
std::shared_ptr<BestMix> EvaluateCombinations(const SplitCollection& depthSplits,
                                              const std::vector<std::shared_ptr<CropScenario>>& combos,
                                              const Split& landSplit, double annRain, int bestCount,
                                              const IrrigationCosts& irrigCosts, SessionState& s,
                                              EvaluationObserver* observer = nullptr,
                                              EarlierCancel earlierCancel = EarlierCancel::Forget);

} // namespace FieldCalculator
} // namespace korvel
