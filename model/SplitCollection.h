#pragma once
// An ordered list of splits, each padded with zero parts to a fixed number of parts. The parts of all the
// splits lie one after the other in a single buffer, and the list hands out light views of them that read as a
// Split does (s->Count(), s->Item(i), s->splits), so a run of a hundred thousand splits costs no allocation per
// split.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/Split.h"

namespace korvel {

// The parts of one split of a SplitCollection, read in place.
class SplitParts {
public:
    using value_type = double;
    using iterator = const double*;
    using const_iterator = const double*;

    SplitParts() = default;
    SplitParts(const double* data, std::size_t size) : data_(data), size_(size) {}

    const double* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    double operator[](std::size_t i) const { return data_[i]; }
    const double* begin() const { return data_; }
    const double* end() const { return data_ + size_; }
    // The parts as a list of their own.
    operator std::vector<double>() const { return std::vector<double>(begin(), end()); }

    friend bool operator==(const SplitParts& a, const SplitParts& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const SplitParts& a, const std::vector<double>& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    const double* data_ = nullptr;
    std::size_t size_ = 0;
};

// One split of a SplitCollection, valid while the collection lives and is not added to.
struct SplitView {
    SplitParts splits;

    std::int16_t Count() const { return static_cast<std::int16_t>(splits.size()); }
    // Part i, 1-based; throws IndexError outside 1..Count.
    double Item(int i) const { return splitPart(splits.data(), splits.size(), i); }
    // A Split of its own with the same parts.
    std::shared_ptr<Split> Copy() const;
    // Reads as a pointer to a split does.
    const SplitView* operator->() const { return this; }
};

class SplitCollection {
public:
    SplitCollection() = default;
    SplitCollection(const SplitCollection& other);
    SplitCollection& operator=(const SplitCollection& other);
    SplitCollection(SplitCollection&&) noexcept = default;
    SplitCollection& operator=(SplitCollection&&) noexcept = default;

    // Fills theSplit in place to intNumber parts, then appends a split with its parts.
    void Add(const std::shared_ptr<Split>& theSplit, int intNumber);
    // Appends a split with these parts, then zero parts until it has intNumber parts. The parts must not lie in
    // this collection.
    void Add(std::span<const double> parts, int intNumber);
    // Appends zero parts until the split has intNumber parts; returns the same object.
    static Split& fillSplits(Split& splitToBeFilled, int intNumber);
    long Count() const;
    // The split at a 1-based position; throws IndexError outside 1..Count.
    const SplitView& Item(long i) const;
    // Room for `splits` more splits of `parts` parts each.
    void reserve(std::size_t splits, std::size_t parts);

    auto begin() const { return views_.begin(); }
    auto end() const { return views_.end(); }

private:
    // Points every view at the parts buffer again (after it moved).
    void rebase();

    std::vector<double> parts_;
    std::vector<SplitView> views_;
};

} // namespace korvel
