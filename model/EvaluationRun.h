#pragma once
// One whole evaluation over plain inputs: the land split of the preset scaled to acres, the water splits of the
// net water and their depths, the ticked crops prepared for the run, every crop combination, the search, and then
// each crop alone on the whole acreage with all the water. The main window's run button and the variable trend
// (through the window's RunScenario) and the benchmark all run it; the window reads its boxes into Inputs and
// shows what comes back.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/FieldCalculator.h"
#include "model/IrrigationCosts.h"
#include "model/SessionState.h"

namespace korvel::EvaluationRun {

// A ticked crop row: the library crop itself and the price and maximum yield the row shows.
struct CropChoice {
    std::shared_ptr<Crop> crop;
    double price = 0;
    double maxYield = 0;
};

struct Inputs {
    int preset = -1;                             // the land-split preset 0..5, -1 when none is selected
    double acres = 0;                            // the total acreage
    double volume = 0;                           // the gross water in acre-inches, as the volume caption shows it
    double efficiencyPercent = 0;                // the irrigation efficiency in percent
    double rain = 0;                             // the annual rainfall in inches
    std::int16_t factor = 10;                    // the iteration factor: equal water steps that make up 100 %
    double listSize = 100;                       // the length of the ranked list, rounded to a whole number by the run
    bool singleCropPlans = true;                 // also each crop alone on the whole acreage with all the water
    std::vector<CropChoice> crops;               // the ticked rows, in row order
    std::string soil = "Silt Loam";              // "Silt Loam", "Fine Sand" or "Loamy Sand"
    std::shared_ptr<IrrigationCosts> irrigation; // the costs every field copies; the single-crop plans hold it
    // A run of its own forgets a Cancel pressed before its search began; a step of a trend keeps it and stops.
    FieldCalculator::EarlierCancel earlierCancel = FieldCalculator::EarlierCancel::Forget;
};

// What a run tells its caller besides the search's progress. Every call comes on the calling thread.
class Observer : public EvaluationObserver {
public:
    // The run's crops are prepared (the library crops themselves, carrying this run's price, maximum yield,
    // normalising factor and soil table): the crops of the last run from now on, whatever happens next.
    virtual void cropsPrepared(const std::shared_ptr<CropScenario>& /*crops*/) {}
    // The search is about to walk this many depth splits (one progress step each).
    virtual void searchBegins(std::size_t /*depthSplits*/) {}
    // The search has ended (a full list, or none on Cancel); the single-crop plans, when asked for, come next.
    virtual void searchEnded() {}
};

enum class End {
    Finished,    // the ranked list with the single-crop plans (when asked for)
    NoLandSplit, // no preset selected, or one without fields: nothing was searched
    Cancelled,   // Cancel stopped the search (list empty), or came during its last allocation (list full, no
                 // single-crop plans)
    Stopped,     // the search gave nothing without a Cancel (a nested run cleared the flag): list empty
};

struct Result {
    End end = End::Finished;
    std::shared_ptr<BestMix> list; // never null; empty (never sized) when nothing came of the search
};

// The ticked crops prepared for a run, in the order given: each library crop gets the row's price and maximum
// yield, its normalising factor at `rain` (on the table it holds now), the soil name "Silt Loam", and, when the
// soil's collection holds tables ("Fine Sand": soil_valent, "Loamy Sand": soil_valentine, any other:
// soil_ulysses), that collection's second table (fractions of the maximum yield) and the soil's name. A crop
// whose collection cannot give that table keeps its own.
std::shared_ptr<CropScenario> returnCrops(const std::vector<CropChoice>& crops, const std::string& soil, double rain);

// Every figure an option shows: each field's costs, returns and net return, in all and per acre, and the option's,
// in all and per acre. Worked out on copies, so that the options keep the caches the ranking left them. Throws
// NonFiniteResult naming the first figure that has no finite value and the option's place among options (from 1).
void checkFigures(const BestMix::Entries& options, const SessionState& s);

// One run. The crops prepared and the irrigation costs are copied before the search: every option comes from the
// inputs as they stood when the run started, whatever changes them meanwhile. Sets s.IrrigationEfficiency and
// s.LandSplit first, as every later cost computation reads them; the fields it builds keep the efficiency as their own.
// Clears s.CancelRequested when the search starts. Told to keep an earlier Cancel, it lets the window's messages run
// (observer.pumpMessages) after building the water splits and again after the depth splits, and ends Cancelled as soon
// as the flag is set. Throws what the model throws (a yield table without the rainfall's column, a result that is not
// finite, also any figure an option of the list shows: the costs, returns or net return of a field or of the option,
// in all or per acre, a text where a number belongs, an iteration factor below 1); the observer has then been told what
// came before.
Result run(const Inputs& in, SessionState& s, Observer& observer);

} // namespace korvel::EvaluationRun
