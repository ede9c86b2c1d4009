#include "model/BestMix.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel {

namespace {
std::shared_ptr<FieldCollection> placeholder()
{
    auto fc = std::make_shared<FieldCollection>();
    fc->isNew = true;
    return fc;
}

// True when nobody but the list holds the allocation or an object of its fields, so that moving the allocation
// instead of copying it cannot be seen.
bool heldByTheListAlone(const std::shared_ptr<FieldCollection>& fc)
{
    if (fc.use_count() != 1)
        return false;
    for (const auto& f : *fc)
        if (!f || f.use_count() != 1 || !f->theCrop || f->theCrop.use_count() != 1 || !f->irrigCosts ||
            f->irrigCosts.use_count() != 1)
            return false;
    return true;
}

// What a copy of the entry would be: the entry itself, left as its copy would be, when nobody else can see it.
// Nothing changes when the copy fails.
std::shared_ptr<FieldCollection> asCopy(const std::shared_ptr<FieldCollection>& entry)
{
    if (!heldByTheListAlone(entry))
        return entry->Copy();
    entry->clearWhatCopyDrops();
    return entry;
}
} // namespace

std::vector<std::uint8_t> askedSinceLastCopied(const std::vector<std::uint64_t>& orders, std::uint64_t submissions,
                                               std::size_t listSize)
{
    std::vector<std::uint8_t> asked(orders.size(), 0);
    std::uint64_t lastCopied = 0;
    for (std::size_t p = 0; p < orders.size(); ++p) {
        lastCopied = p == 0 ? orders[0] : std::max(lastCopied, orders[p]);
        if (p + 1 < orders.size())
            asked[p] = orders[p + 1] > lastCopied;
        else
            asked[p] = orders.size() == listSize && lastCopied + 1 < submissions;
    }
    return asked;
}

void BestMix::setSize(int numberOfEvals)
{
    if (numberOfEvals < 1 || numberOfEvals > INT16_MAX)
        throw InvalidArgument("the ranked list needs a length from 1 to 32767 (asked for " +
                              std::to_string(numberOfEvals) + ")");
    N_ = static_cast<std::int16_t>(numberOfEvals);
    entries_.clear();
    ranked_.clear();
    deferred_ = true;
    submissions_ = 0;
}

std::int16_t BestMix::getSize() const
{
    return N_;
}

void BestMix::submit(FieldCollection& newFC, const SessionState& s)
{
    submitNew(newFC, nullptr, s);
}

void BestMix::submit(const FieldCollection& newFC, const SessionState& s)
{
    submit(newFC.Copy(), s);
}

void BestMix::submit(std::shared_ptr<FieldCollection>&& newFC, const SessionState& s)
{
    if (!newFC)
        throw InvalidArgument("a missing option cannot be offered to a ranked list");
    FieldCollection& fc = *newFC;
    submitNew(fc, std::move(newFC), s);
}

void BestMix::submitNew(FieldCollection& newFC, std::shared_ptr<FieldCollection> owned, const SessionState& s)
{
    if (N_ < 1 || (!deferred_ && entries_.size() != static_cast<std::size_t>(N_)))
        throw IndexError("an option was offered to a ranked list that has no length");
    if (deferred_) {
        // The newcomer climbs past every placeholder and every entry of no higher profit, and stops under the
        // first of higher profit: its place follows from its profit and its order of arrival alone.
        bool computed = true;
        double profit = 0;
        try {
            profit = newFC.getProfit(s);
        } catch (...) {
            computed = false; // the climb below meets the same failure at the same comparison
        }
        if (computed && !std::isnan(profit) && !newFC.isNew) {
            const Ranked arrival{nullptr, profit, submissions_++};
            const auto higher = [](const Ranked& a, const Ranked& b) {
                return a.profit > b.profit || (a.profit == b.profit && a.order > b.order);
            };
            const bool full = ranked_.size() >= static_cast<std::size_t>(N_);
            if (full && !higher(arrival, ranked_.front()))
                return;
            const auto entryOf = [&] {
                if (!owned)
                    return newFC.Copy();
                owned->clearWhatCopyDrops();
                return std::move(owned);
            };
            if (full) {
                std::pop_heap(ranked_.begin(), ranked_.end(), higher);
                ranked_.back() = Ranked{entryOf(), arrival.profit, arrival.order};
            } else {
                ranked_.push_back(Ranked{entryOf(), arrival.profit, arrival.order});
            }
            std::push_heap(ranked_.begin(), ranked_.end(), higher);
            return;
        }
        settle();
    }
    climb(newFC, std::move(owned), s);
}

void BestMix::climb(FieldCollection& newFC, std::shared_ptr<FieldCollection> owned, const SessionState& s)
{
    // Insertion from the bottom: the newcomer climbs while the entry above it ranks no higher. Both profits are
    // asked at every comparison, a placeholder's too (it answers 0). An entry passed moves down as its copy
    // would; the newcomer's copy is made once, when its place is known (the comparisons after it moved in only
    // ask again what it has answered already).
    const std::size_t n = static_cast<std::size_t>(N_);
    std::size_t at = n; // the newcomer's place, n while it is not in the list
    const auto place = [&] {
        if (at == n)
            return;
        if (owned) {
            owned->clearWhatCopyDrops();
            entries_[at] = std::move(owned);
        } else {
            entries_[at] = newFC.Copy();
        }
    };
    try {
        for (std::size_t i = 1;; ++i) {
            const std::size_t next = n - i;
            FieldCollection& entry = *entries_[next];
            const double entryProfit = entry.getProfit(s);
            const double newProfit = newFC.getProfit(s);
            if (!(entry.isNew || entryProfit <= newProfit))
                break;
            if (i == 1) {
                entries_[next].reset(); // the lowest entry drops out
            } else {
                entries_[next + 1] = asCopy(entries_[next]);
                entries_[next].reset();
            }
            at = next;
            if (at == 0)
                break;
            FieldCollection& above = *entries_[at - 1];
            const double aboveProfit = above.getProfit(s);
            if (!above.isNew && aboveProfit > newFC.getProfit(s))
                break;
        }
    } catch (...) {
        place();
        throw;
    }
    place();
}

void BestMix::settle() const
{
    if (!deferred_)
        return;
    deferred_ = false;
    std::sort(ranked_.begin(), ranked_.end(), [](const Ranked& a, const Ranked& b) {
        return a.profit > b.profit || (a.profit == b.profit && a.order > b.order);
    });
    std::vector<std::uint64_t> orders;
    orders.reserve(ranked_.size());
    for (const Ranked& r : ranked_)
        orders.push_back(r.order);
    const std::vector<std::uint8_t> asked = askedSinceLastCopied(orders, submissions_, static_cast<std::size_t>(N_));
    entries_.clear();
    entries_.reserve(static_cast<std::size_t>(N_));
    for (std::size_t p = 0; p < ranked_.size(); ++p) {
        // Its costs were asked before it was copied in; asking again only fills its returns.
        if (asked[p])
            ranked_[p].entry->getReturn();
        entries_.push_back(std::move(ranked_[p].entry));
    }
    while (entries_.size() < static_cast<std::size_t>(N_))
        entries_.push_back(placeholder());
    ranked_.clear();
    ranked_.shrink_to_fit();
}

BestMix::Entries BestMix::returnCollection(bool axe, const SessionState& s)
{
    settle();
    // Each entry is compared with the one above it in this list before anything moves; the kept ones are
    // copied (or moved, where nobody else can see them) into the new list, placeholders after them.
    const std::size_t n = std::min(entries_.size(), static_cast<std::size_t>(N_));
    std::vector<std::uint8_t> keep(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        keep[i] = i == 0 || !sameScenario(*entries_[i], *entries_[i - 1], axe, s);
    Entries kept;
    kept.reserve(static_cast<std::size_t>(N_));
    for (std::size_t i = 0; i < n; ++i)
        if (keep[i])
            kept.push_back(asCopy(entries_[i]));
    while (kept.size() < static_cast<std::size_t>(N_))
        kept.push_back(placeholder());
    entries_ = kept;
    return entries_;
}

bool BestMix::sameScenario(FieldCollection& a, FieldCollection& b, bool axe, const SessionState& s)
{
    if (!axe)
        return false;
    if (a.getProfit(s) != b.getProfit(s))
        return false;
    if (a.Count() != b.Count())
        return true;
    if (a.Count() == 0)
        return false;
    for (const auto& fa : a) {
        bool matched = false;
        for (const auto& fb : b) {
            if (fa->acres == fb->acres &&
                num::formatPattern(fa->Depth, "###.00") == num::formatPattern(fb->Depth, "###.00") &&
                num::formatPattern(fa->theCrop->Yield, "###,##0") ==
                    num::formatPattern(fb->theCrop->Yield, "###,##0") &&
                fa->theCrop->cropType == fb->theCrop->cropType) {
                matched = true;
                break;
            }
        }
        if (!matched)
            return false;
    }
    return true;
}

void BestMix::SetBestArray(Entries ba)
{
    if (ba.size() > static_cast<std::size_t>(INT16_MAX))
        throw InvalidArgument("a ranked list holds at most 32767 options");
    entries_ = std::move(ba);
    N_ = static_cast<std::int16_t>(entries_.size());
    deferred_ = false;
    ranked_.clear();
}

std::shared_ptr<BestMix> BestMix::Copy() const
{
    settle();
    auto c = std::make_shared<BestMix>();
    c->SetBestArray(entries_);
    return c;
}

const BestMix::Entries& BestMix::entries() const
{
    settle();
    return entries_;
}

} // namespace korvel
