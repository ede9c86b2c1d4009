#include "model/SplitCollection.h"

#include <string>

#include "model/Errors.h"

namespace korvel {

std::shared_ptr<Split> SplitView::Copy() const
{
    auto copy = std::make_shared<Split>();
    copy->splits.assign(splits.begin(), splits.end());
    return copy;
}

void SplitCollection::Add(const std::shared_ptr<Split>& theSplit, int intNumber)
{
    if (!theSplit)
        throw InvalidArgument("a missing split cannot be added to a split list");
    fillSplits(*theSplit, intNumber);
    Add(std::span<const double>(theSplit->splits), intNumber);
}

void SplitCollection::Add(std::span<const double> parts, int intNumber)
{
    const std::size_t count = std::max(parts.size(), static_cast<std::size_t>(std::max(intNumber, 0)));
    if (count_ > 0 && starts_.empty() && count != width_) {
        // The first split of another length: from now on each split's start is kept.
        starts_.reserve(count_ + 2);
        for (std::size_t i = 0; i <= count_; ++i)
            starts_.push_back(i * width_);
    }
    const std::size_t at = parts_.size();
    for (double part : parts)
        parts_.push_back(part);
    for (std::size_t i = parts.size(); i < count; ++i)
        parts_.push_back(0.0);
    if (count_ == 0)
        width_ = count;
    if (!starts_.empty())
        starts_.push_back(at + count);
    ++count_;
}

void SplitCollection::reserve(std::size_t splits, std::size_t parts)
{
    parts_.reserve(parts_.size() + splits * parts);
}

Split& SplitCollection::fillSplits(Split& splitToBeFilled, int intNumber)
{
    while (splitToBeFilled.Count() < intNumber)
        splitToBeFilled.addSplit(0.0);
    return splitToBeFilled;
}

long SplitCollection::Count() const
{
    return static_cast<long>(count_);
}

SplitView SplitCollection::Item(long i) const
{
    if (i < 1 || static_cast<std::size_t>(i) > count_)
        throw IndexError("split " + std::to_string(i) + " does not exist (the list holds " + std::to_string(count_) +
                         ")");
    return view(static_cast<std::size_t>(i) - 1);
}

} // namespace korvel
