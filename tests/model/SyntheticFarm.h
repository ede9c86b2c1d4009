#pragma once
// Random but plausible farms for the search tests: crops with yield tables (rainfall 11 to 21 inches,
// irrigation rows from 0), production and irrigation costs, and the splits and combinations of a run.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/BestMix.h"
#include "model/Crop.h"
#include "model/CropScenario.h"
#include "model/IrrigationCosts.h"
#include "model/SessionState.h"
#include "model/Split.h"
#include "model/SplitCollection.h"

namespace korvel::testing {

// The built-in crop names and a custom one.
inline const std::vector<std::string>& cropNames()
{
    static const std::vector<std::string> names = {"Corn",    "Grain Sorghum", "Wheat",  "Sunflower",
                                                   "Alfalfa", "Soybeans",      "Fallow", "Pinto Beans"};
    return names;
}

struct CropOptions {
    bool fractions = false;    // a table of fractions of the maximum yield instead of yields
    bool optimalRates = false; // NOptimal, POptimal and SeedOptimal all set (else each at random)
    bool noCosts = false;      // every cost and return 0 (a "Fallow" field then totals exactly 0)
};

// A crop named `name` ("Alfalfa" gets the unit "ton"), with a random table and random costs.
std::shared_ptr<Crop> randomCrop(std::mt19937_64& rng, const std::string& name, double rain,
                                 const CropOptions& options = {});

IrrigationCosts randomIrrigation(std::mt19937_64& rng);

// One run's inputs, built as the run builds them.
struct Farm {
    SessionState s;
    double acres = 0;
    double netWater = 0;
    double rain = 0;
    std::shared_ptr<Split> landSplit;
    SplitCollection depthSplits;
    CropScenario crops; // the active crops, in row order
    std::vector<std::shared_ptr<CropScenario>> combos;
    std::shared_ptr<IrrigationCosts> irrigCosts = std::make_shared<IrrigationCosts>();
};

// Land split of `preset`, water splits at `factor`, depth splits, and the combinations of `crops`.
void buildRun(Farm& farm, int preset, int factor, double acres, double grossInches, double efficiency, double rain,
              const std::vector<std::shared_ptr<Crop>>& crops);

// What the run submits after the search: each active crop alone on the whole acreage with all the net water
// as its depth (0 for "Fallow"), with a copy of the crop and of the irrigation costs standing in for the
// objects themselves (so that every list gets the same plans).
void submitSingleCropPlans(Farm& farm, BestMix& list);

} // namespace korvel::testing
