#include "model/SplitCollection.h"

#include <string>

#include "model/Errors.h"

namespace korvel {

std::shared_ptr<Split> SplitView::Copy() const {
    auto copy = std::make_shared<Split>();
    copy->splits.assign(splits.begin(), splits.end());
    return copy;
}

SplitCollection::SplitCollection(const SplitCollection& other) : parts_(other.parts_), views_(other.views_) {
    rebase();
}

SplitCollection& SplitCollection::operator=(const SplitCollection& other) {
    if (this != &other) {
        parts_ = other.parts_;
        views_ = other.views_;
        rebase();
    }
    return *this;
}

void SplitCollection::rebase() {
    std::size_t at = 0;
    for (SplitView& v : views_) {
        const std::size_t size = v.splits.size();
        v.splits = SplitParts(parts_.data() + at, size);
        at += size;
    }
}

void SplitCollection::Add(const std::shared_ptr<Split>& theSplit, int intNumber) {
    if (!theSplit) throw InvalidArgument("a missing split cannot be added to a split list");
    fillSplits(*theSplit, intNumber);
    Add(std::span<const double>(theSplit->splits), intNumber);
}

void SplitCollection::Add(std::span<const double> parts, int intNumber) {
    const std::size_t count = std::max(parts.size(), static_cast<std::size_t>(std::max(intNumber, 0)));
    if (parts_.capacity() - parts_.size() < count) {
        parts_.reserve(std::max(parts_.capacity() * 2, parts_.size() + count));
        rebase();
    }
    const std::size_t at = parts_.size();
    parts_.insert(parts_.end(), parts.begin(), parts.end());
    parts_.resize(at + count, 0.0);
    views_.push_back(SplitView{SplitParts(parts_.data() + at, count)});
}

void SplitCollection::reserve(std::size_t splits, std::size_t parts) {
    views_.reserve(views_.size() + splits);
    if (parts_.capacity() - parts_.size() < splits * parts) {
        parts_.reserve(parts_.size() + splits * parts);
        rebase();
    }
}

Split& SplitCollection::fillSplits(Split& splitToBeFilled, int intNumber) {
    while (splitToBeFilled.Count() < intNumber) splitToBeFilled.addSplit(0.0);
    return splitToBeFilled;
}

long SplitCollection::Count() const { return static_cast<long>(views_.size()); }

const SplitView& SplitCollection::Item(long i) const {
    if (i < 1 || static_cast<std::size_t>(i) > views_.size())
        throw IndexError("split " + std::to_string(i) + " does not exist (the list holds " +
                         std::to_string(views_.size()) + ")");
    return views_[static_cast<std::size_t>(i) - 1];
}

} // namespace korvel
