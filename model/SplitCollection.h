#pragma once
// An ordered list of splits, each padded with zero parts to a fixed number of parts. The parts of all the
// splits lie one after the other in a single buffer, and the list hands out light views of them that read as a
// Split does (s->Count(), s->Item(i), s->splits), so a run of a hundred thousand splits costs no allocation and
// no bookkeeping per split.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
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

// One split of a SplitCollection, read in place: valid while the collection lives and is not added to.
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
    // Walks the splits in insertion order, handing out a view of each.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = SplitView;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = SplitView;

        const_iterator() = default;
        const_iterator(const SplitCollection* list, std::size_t at) : list_(list), at_(at) {}
        SplitView operator*() const { return list_->view(at_); }
        const_iterator& operator++()
        {
            ++at_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++at_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }

    private:
        const SplitCollection* list_ = nullptr;
        std::size_t at_ = 0;
    };

    // Fills theSplit in place to intNumber parts, then appends a split with its parts.
    void Add(const std::shared_ptr<Split>& theSplit, int intNumber);
    // Appends a split with these parts, then zero parts until it has intNumber parts. The parts must not lie in
    // this collection.
    void Add(std::span<const double> parts, int intNumber);
    // Appends zero parts until the split has intNumber parts; returns the same object.
    static Split& fillSplits(Split& splitToBeFilled, int intNumber);
    long Count() const;
    // The split at a 1-based position; throws IndexError outside 1..Count.
    SplitView Item(long i) const;
    // Room for `splits` more splits of `parts` parts each.
    void reserve(std::size_t splits, std::size_t parts);

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, count_); }

private:
    // The split at a 0-based position, unchecked.
    SplitView view(std::size_t at) const
    {
        if (starts_.empty())
            return SplitView{SplitParts(parts_.data() + at * width_, width_)};
        return SplitView{SplitParts(parts_.data() + starts_[at], starts_[at + 1] - starts_[at])};
    }

    // The parts of every split, one split after the other. While all splits have the same number of parts
    // (as the splits of a run do) that number says where each begins; otherwise starts_ holds where each
    // begins and, last, where the next would.
    std::vector<double> parts_;
    std::size_t count_ = 0;
    std::size_t width_ = 0;
    std::vector<std::size_t> starts_;
};

} // namespace korvel
