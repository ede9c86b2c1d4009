#include "model/MakingSplits.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel::MakingSplits {

const std::array<LandSplitPreset, 6>& landSplitPresets()
{
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

std::shared_ptr<Split> makeLandSplit(SessionState& s, int selectedPreset)
{
    if (selectedPreset < -1 || selectedPreset >= static_cast<int>(landSplitPresets().size()))
        throw InvalidArgument("there is no land-split preset " + std::to_string(selectedPreset));
    auto split = std::make_shared<Split>();
    if (selectedPreset >= 0)
        for (double part : landSplitPresets()[static_cast<std::size_t>(selectedPreset)].parts)
            split->addSplit(part);
    s.LandSplit = split;
    return s.LandSplit;
}

std::shared_ptr<Split> scaleLandSplit(const Split& s, double total)
{
    auto scaled = std::make_shared<Split>();
    for (double part : s.splits)
        scaled->addSplit(total * (part / 100));
    return scaled;
}

std::shared_ptr<Split> scaleWaterSplit(double total, const Split& s)
{
    auto scaled = std::make_shared<Split>();
    for (double part : s.splits)
        scaled->addSplit(total * (part / 100));
    return scaled;
}

SplitCollection makeWaterSplits(const SessionState& s, int maxParts, double total)
{
    return makeWaterSplits(s.SplitFactor, maxParts, total, s.LandSplit ? s.LandSplit->Count() : 0);
}

SplitCollection makeWaterSplits(std::int16_t splitFactor, int maxParts, double total, int landParts)
{
    if (splitFactor < 1)
        throw InvalidArgument("the iteration factor must be 1 or more (it is " + std::to_string(splitFactor) + ")");
    if (maxParts < 1)
        throw InvalidArgument("water splits need at least one field");

    // The share values: 0, then one step more each time, summed in double precision, while at most 100.
    const double step = 100.0 / splitFactor;
    std::vector<double> shares;
    for (double share = 0.0; share <= 100.0; share += step)
        shares.push_back(share);

    // Depth-first search over partial splits, largest share first, so the splits come in descending
    // lexicographic order. A partial split whose rounded total reaches exactly 100 is complete (the rest of
    // its parts are zeros); one that passes 100 is dropped, and so are its larger siblings; a full split short
    // of 100 is dropped. This walks the same tree as a stack of partial splits would, without copying them.
    // The rounded shares rise with the shares, so the shares that keep a total at most 100 are the first ones,
    // and on the last part only those that make it exactly 100 count.
    std::vector<double> rounded;
    rounded.reserve(shares.size());
    for (double c : shares)
        rounded.push_back(num::roundHalfEven(c));
    const auto sharesUpTo = [&](double r) {
        return static_cast<std::size_t>(std::upper_bound(rounded.begin(), rounded.end(), r) - rounded.begin());
    };
    const auto sharesBelow = [&](double r) {
        return static_cast<std::size_t>(std::lower_bound(rounded.begin(), rounded.end(), r) - rounded.begin());
    };

    // How many splits there will be, so that the list is laid out once: the completions of a partial split
    // depend only on its rounded total and on how many parts it has.
    const auto width = static_cast<std::size_t>(maxParts);
    std::vector<std::vector<double>> completions(std::min<std::size_t>(width, 64), std::vector<double>(101, -1.0));
    auto count = [&](auto& self, std::size_t parts, double roundedTotal) -> double {
        double& known = completions[parts][static_cast<std::size_t>(roundedTotal)];
        if (known >= 0)
            return known;
        const double room = 100.0 - roundedTotal;
        const std::size_t upTo = sharesUpTo(room);
        if (parts + 1 == width)
            return known = static_cast<double>(upTo - sharesBelow(room));
        double n = 0;
        for (std::size_t k = upTo; k-- > 0;) {
            const double t = roundedTotal + rounded[k];
            n += t == 100.0 ? 1.0 : self(self, parts + 1, t);
        }
        return known = n;
    };

    // Each accepted split, filled with zeros to maxParts, is scaled into acre-inches of total and filled to
    // the part count of the land split.
    SplitCollection result;
    const double expected = width <= completions.size() ? count(count, 0, 0.0) : 0.0;
    if (expected < 1e8)
        result.reserve(static_cast<std::size_t>(expected),
                       std::max(width, static_cast<std::size_t>(std::max(landParts, 0))));
    // Every part of a scaled split is total * (share / 100) of one of the shares (the zeros that fill a split
    // too), so each share is scaled once.
    std::vector<double> scaledShares;
    scaledShares.reserve(shares.size());
    for (double share : shares)
        scaledShares.push_back(total * (share / 100));
    const double scaledZero = total * (0.0 / 100);
    std::vector<double> scaled(width, scaledZero);
    std::size_t depth = 0; // parts of the partial split in `scaled`
    auto extend = [&](auto& self, double roundedTotal) -> void {
        const double room = 100.0 - roundedTotal;
        const bool lastPart = depth + 1 == width;
        const std::size_t lowest = lastPart ? sharesBelow(room) : 0;
        for (std::size_t k = sharesUpTo(room); k-- > lowest;) {
            const double t = roundedTotal + rounded[k];
            scaled[depth++] = scaledShares[k];
            if (t == 100.0) {
                result.Add(scaled, landParts);
            } else if (!lastPart) {
                self(self, t);
            }
            scaled[--depth] = scaledZero;
        }
    };
    extend(extend, 0.0);
    return result;
}

SplitCollection makeDepthSplits(const SplitCollection& waterSplits, const Split& landSplit)
{
    SplitCollection result;
    result.reserve(static_cast<std::size_t>(waterSplits.Count()), static_cast<std::size_t>(landSplit.Count()));
    std::vector<double> depth;
    const double* acres = landSplit.splits.data();
    const std::size_t fields = landSplit.splits.size();
    for (const auto& w : waterSplits) {
        depth.clear();
        const std::size_t parts = w.splits.size();
        for (std::size_t i = 0; i < parts; ++i) {
            // Part by part, so that a failure is the first one met: a field without acres or a missing field.
            const double d = w.splits[i] / (i < fields ? acres[i] : landSplit.Item(static_cast<int>(i) + 1));
            if (!std::isfinite(d))
                num::checkedFinite(d, "a field without acres cannot be given a depth of water");
            depth.push_back(d);
        }
        result.Add(depth, landSplit.Count());
    }
    return result;
}

} // namespace korvel::MakingSplits
