#pragma once
// The state one planning session shares across the model and the windows: the iteration factor, the
// current land split, the efficiency fraction of the last run, the cancel flag and the trend switches.
// One object per session, passed where it is needed, so tests can build several independent sessions.
#include <atomic>
#include <cstdint>
#include <memory>

#include "model/Split.h"

namespace korvel {

struct SessionState {
    // Number of equal water steps that make up 100 %; set to 10 when the main window loads.
    std::int16_t SplitFactor = 0;
    // The land split of the current run: first in percent, then in acres per field.
    std::shared_ptr<Split> LandSplit = std::make_shared<Split>();
    // The efficiency of the last run as a fraction (percent / 100).
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
};

} // namespace korvel
