#pragma once
// The state one planning session shares across the model and the windows: the iteration factor, the
// current land split, the efficiency fraction of the last run, the cancel flag and the trend switches.
// One object per session, passed where it is needed, so tests can build several independent sessions.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Split.h"
#include "model/TrendGrid.h"
#include "model/Variant.h"

namespace korvel {

class FieldCollection;

struct SessionState {
    // Number of equal water steps that make up 100 %; set to 10 when the main window loads.
    std::int16_t SplitFactor = 0;
    // The land split of the current run: first in percent, then in acres per field.
    std::shared_ptr<Split> LandSplit = std::make_shared<Split>();
    // The efficiency of the last run as a fraction (percent / 100). The fields a run builds keep it as their
    // own (Field::IrrigationEfficiency), so its options keep their figures after later runs.
    double IrrigationEfficiency = 0.0;
    // Set by the progress window's Cancel; read by the search from its worker threads.
    std::atomic<bool> CancelRequested{false};
    // Trend processing switched on (saved in the inputs file).
    bool BatchEnabled = false;
    // A trend setup or run is under way.
    bool TrendMode = false;
    // Set by a run to TrendMode when its search was cancelled; read and cleared by the variable trend.
    bool TrendCancelled = false;
    // The trend switch's explanation box has been shown (or counted as shown) in this program run.
    bool TrendMessageShown = false;

    // Trend-run state.
    // The option a fixed trend works on; none (or one without fields) means a variable trend. Read it
    // through selectedOption() (FixedTrend.h), which creates it empty when first read.
    std::shared_ptr<FieldCollection> SelectedOption;
    // The values of the last variable trend, step i + 1 using value i.
    std::vector<Variant> TrendValues;
    // The options of the last fixed trend.
    TrendGrid TrendResultGrid;
    // The name of the trend variable last applied, and for ids 0 to 2 the crop choice of the setup pane.
    std::string TrendVariableName;
    std::string TrendCropName;
};

} // namespace korvel
