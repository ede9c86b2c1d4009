#pragma once
// Building the land split of a preset and enumerating the water and depth splits of a run.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/SessionState.h"
#include "model/Split.h"
#include "model/SplitCollection.h"

namespace korvel::MakingSplits {

struct LandSplitPreset {
    std::string caption;       // "50 - 50", ..., "100 "
    std::vector<double> parts; // percent of the acreage
};

// The six presets, by index 0..5 (the main pane's Option1 buttons).
const std::array<LandSplitPreset, 6>& landSplitPresets();

// Sets s.LandSplit to a new split with the parts of the selected preset and returns it. selectedPreset is
// the index of the selected button, or -1 when none is selected (the split then has no parts); any other
// index throws InvalidArgument.
std::shared_ptr<Split> makeLandSplit(SessionState& s, int selectedPreset);

// A new split whose part i is total * (s(i) / 100).
std::shared_ptr<Split> scaleLandSplit(const Split& s, double total);

// Every water split for maxParts fields in steps of 100 / s.SplitFactor percent, in descending
// lexicographic order, scaled to total acre-inches and filled to the part count of s.LandSplit.
// Throws InvalidArgument when s.SplitFactor or maxParts is below 1.
SplitCollection makeWaterSplits(const SessionState& s, int maxParts, double total);
// The same with the iteration factor given apart, each split filled to landParts parts.
SplitCollection makeWaterSplits(std::int16_t splitFactor, int maxParts, double total, int landParts);

// A new split whose part i is total * (s(i) / 100).
std::shared_ptr<Split> scaleWaterSplit(double total, const Split& s);

// For each water split w, a new split whose part i is w(i) / landSplit(i), filled to landSplit's part count.
// Throws NonFiniteResult for a field of 0 acres, IndexError when landSplit has fewer parts than w.
SplitCollection makeDepthSplits(const SplitCollection& waterSplits, const Split& landSplit);

} // namespace korvel::MakingSplits
