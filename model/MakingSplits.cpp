#include "model/MakingSplits.h"

#include <string>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel::MakingSplits {

const std::array<LandSplitPreset, 6>& landSplitPresets() {
    static const std::array<LandSplitPreset, 6> presets{{
        {"50 - 50", {50, 50}},
        {"75 - 25", {75, 25}},
        {"33 - 33 - 33", {33, 33, 33}},
        {"50 - 25 - 25", {50, 25, 25}},
        {"25 - 25 - 25 - 25", {25, 25, 25, 25}},
        {"100 ", {100}},
    }};
    return presets;
}

std::shared_ptr<Split> makeLandSplit(SessionState& s, int selectedPreset) {
    if (selectedPreset < -1 || selectedPreset >= static_cast<int>(landSplitPresets().size()))
        throw InvalidArgument("there is no land-split preset " + std::to_string(selectedPreset));
    auto split = std::make_shared<Split>();
    if (selectedPreset >= 0)
        for (double part : landSplitPresets()[static_cast<std::size_t>(selectedPreset)].parts) split->addSplit(part);
    s.LandSplit = split;
    return s.LandSplit;
}

std::shared_ptr<Split> scaleLandSplit(const Split& s, double total) {
    auto scaled = std::make_shared<Split>();
    for (double part : s.splits) scaled->addSplit(total * (part / 100));
    return scaled;
}

std::shared_ptr<Split> scaleWaterSplit(double total, const Split& s) {
    auto scaled = std::make_shared<Split>();
    for (double part : s.splits) scaled->addSplit(total * (part / 100));
    return scaled;
}

SplitCollection makeWaterSplits(const SessionState& s, int maxParts, double total) {
    if (s.SplitFactor < 1)
        throw InvalidArgument("the iteration factor must be 1 or more (it is " + std::to_string(s.SplitFactor) + ")");
    if (maxParts < 1) throw InvalidArgument("water splits need at least one field");

    // The share values: 0, then one step more each time, summed in double precision, while at most 100.
    const double step = 100.0 / s.SplitFactor;
    std::vector<double> shares;
    for (double share = 0.0; share <= 100.0; share += step) shares.push_back(share);

    // Depth-first search over partial splits, largest share first, so the splits come in descending
    // lexicographic order. A partial split whose rounded total reaches exactly 100 is complete (the rest of
    // its parts are zeros); one that passes 100 is dropped, and so are its larger siblings; a full split short
    // of 100 is dropped. This walks the same tree as a stack of partial splits would, without copying them.
    std::vector<double> rounded;
    rounded.reserve(shares.size());
    for (double c : shares) rounded.push_back(num::roundHalfEven(c));

    SplitCollection percentSplits;
    std::vector<double> prefix;
    prefix.reserve(static_cast<std::size_t>(maxParts));
    auto extend = [&](auto& self, double roundedTotal) -> void {
        for (std::size_t k = shares.size(); k-- > 0;) {
            const double t = roundedTotal + rounded[k];
            if (t > 100.0) continue;
            prefix.push_back(shares[k]);
            if (t == 100.0) {
                auto done = std::make_shared<Split>();
                done->splits = prefix;
                percentSplits.Add(done, maxParts);
            } else if (static_cast<int>(prefix.size()) < maxParts) {
                self(self, t);
            }
            prefix.pop_back();
        }
    };
    extend(extend, 0.0);

    const int landParts = s.LandSplit ? s.LandSplit->Count() : 0;
    SplitCollection result;
    for (const auto& w : percentSplits) result.Add(scaleWaterSplit(total, *w), landParts);
    return result;
}

SplitCollection makeDepthSplits(const SplitCollection& waterSplits, const Split& landSplit) {
    SplitCollection result;
    for (const auto& w : waterSplits) {
        auto depth = std::make_shared<Split>();
        for (int i = 1; i <= w->Count(); ++i) {
            double d = w->Item(i) / landSplit.Item(i);
            num::checkedFinite(d, "a field without acres cannot be given a depth of water");
            depth->addSplit(d);
        }
        result.Add(depth, landSplit.Count());
    }
    return result;
}

} // namespace korvel::MakingSplits
