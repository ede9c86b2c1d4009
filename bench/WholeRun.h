#pragma once
// The whole evaluation that the main window's run button performs, composed of the same model calls in the
// same order (land split, water and depth splits, crop combinations, the search, the single-crop plans), over
// plain inputs in place of the window's boxes. The benchmark times it; a model unit for the run can take its
// place without changing the scenarios.
#include <memory>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/FieldCalculator.h"
#include "model/IrrigationCosts.h"
#include "model/SessionState.h"

namespace korvel::bench {

struct RunInputs {
    int preset = 0;                 // land-split preset 0..5
    double acres = 0;               // total acreage
    double volume = 0;              // gross water in acre-inches, as the volume caption shows it
    double efficiencyPercent = 0;
    double rain = 0;
    int bestCount = 100;            // length of the ranked list
    bool singleCropPlans = true;    // also each crop alone on the whole acreage
    std::shared_ptr<CropScenario> crops;          // the active crops, prepared for the run
    std::shared_ptr<IrrigationCosts> irrigation;  // the irrigation costs every field copies
};

// One run: the ranked list with the single-crop plans, or an empty list (never sized) when Cancel stopped
// the search. Sets s.IrrigationEfficiency and s.LandSplit as the window's run does.
std::shared_ptr<BestMix> runScenario(const RunInputs& in, SessionState& s, EvaluationObserver& progress);

} // namespace korvel::bench
