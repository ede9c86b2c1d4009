#pragma once
// The fixed trend: one option recomputed, without a new search, for each value of one trend process or for
// each pair of values of two, every recomputed option an independent deep copy of the base option.
#include <memory>
#include <string>
#include <vector>

#include "model/BestMix.h"
#include "model/FieldCalculator.h"
#include "model/FieldCollection.h"
#include "model/SessionState.h"
#include "model/TrendGrid.h"
#include "model/TrendVariables.h"

namespace korvel {

// The option a fixed trend works on, created empty when first read.
std::shared_ptr<FieldCollection> selectedOption(SessionState& s);

// What a trend process's value is applied to.
struct TrendTarget {
    std::string rowCropType; // cropType of the crop of the process's crop row (ids 0 to 2 change its fields)
    std::string cropChoice;  // the crop choice of the setup pane when the value is applied (TrendCropName)
    TrendUnits units;        // units of the value, carried with the description
};

// Applies one value to the option in place and returns a deep copy of it. The option's cost cache is
// cleared first. By variable id, in field order:
//   0  fields of the crop: price := value
//   1  fields of the crop: the production-cost override := value per acre
//   2  fields of the crop: maximum yield := value, normalised again at the field's rainfall, yield recomputed
//   3  every field: Depth := its gross depth (Depth / its efficiency) × value / 100, and its efficiency :=
//      value / 100 (the same gross water at the new efficiency), yield recomputed
//   4  every field: the irrigation-cost override := value per acre-inch of net irrigation
//   5  every field: annualRain := value, yield recomputed
// Every id 0..5 appends its description, the value and the units to the option, whether or not a field
// matched, and sets s.TrendVariableName and s.TrendCropName; any other id changes nothing.
// Throws NonFiniteResult for id 3 with an efficiency fraction of 0, YieldLookupError for a yield the crop's
// table cannot give (a negative depth, a rainfall outside its columns).
std::shared_ptr<FieldCollection> UpdateOption(const TrendTarget& target, int theVariable, double theValue,
                                              FieldCollection& theFC, SessionState& s);

struct FixedTrendProcess {
    TrendTarget target;
    int variable = 0;
    std::vector<double> values;
};

struct FixedTrendRun {
    bool completed = false;        // false when Cancel stopped it
    std::shared_ptr<BestMix> list; // every recomputed option, best first (a copy sharing the entries)
};

// The number of options a fixed trend over these processes computes (k1, or k1 × k2).
long long fixedTrendCount(const std::vector<FixedTrendProcess>& processes);
// The most a fixed trend can compute: the ranked list counts its entries in 16 bits.
inline constexpr long long kMaximumFixedTrendCount = 32767;

// The fixed trend over one or two processes. Works on a copy of the selected option, which itself is never
// changed: the copy loses the caches and descriptions of an earlier fixed trend and keeps everything the option
// was computed with, its trend overrides and efficiency included (ResetBatch). Clears s.CancelRequested; then for
// each value i of the first process (and each value j of the second) recomputes a copy of the base and ranks it.
// progress.pumpMessages() runs before each value (and each combination); s.CancelRequested is tested before each
// value and after each combination with a second process; progress.advance() follows each ranked option;
// progress.close() ends the run, cancelled or not, and s.CancelRequested is cleared again. A completed run sets
// s.TrendResultGrid. Throws InvalidArgument for no process, more than two, a process without values or more than
// kMaximumFixedTrendCount options, NonFiniteResult for an option with a figure that cannot be computed (its costs,
// returns or net return, of a field or in all, in all or per acre); the errors of UpdateOption pass through (progress
// closed and the cancel flag cleared first).
FixedTrendRun runFixedTrend(const FieldCollection& selected, const std::vector<FixedTrendProcess>& processes,
                            SessionState& s, EvaluationObserver& progress);

} // namespace korvel
