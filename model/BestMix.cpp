#include "model/BestMix.h"

#include <string>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel {

namespace {
std::shared_ptr<FieldCollection> placeholder() {
    auto fc = std::make_shared<FieldCollection>();
    fc->isNew = true;
    return fc;
}
} // namespace

void BestMix::setSize(int numberOfEvals) {
    if (numberOfEvals < 1 || numberOfEvals > INT16_MAX)
        throw InvalidArgument("the ranked list needs a length from 1 to 32767 (asked for " +
                              std::to_string(numberOfEvals) + ")");
    N_ = static_cast<std::int16_t>(numberOfEvals);
    entries_.clear();
    for (int i = 0; i < numberOfEvals; ++i) entries_.push_back(placeholder());
}

std::int16_t BestMix::getSize() const { return N_; }

void BestMix::submit(FieldCollection& newFC, const SessionState& s) {
    if (N_ < 1 || entries_.size() != static_cast<std::size_t>(N_))
        throw IndexError("an option was offered to a ranked list that has no length");
    // Insertion from the bottom: the newcomer climbs while the entry above it ranks no higher.
    int i = 1;
    while (true) {
        const std::size_t at = static_cast<std::size_t>(N_ - i);
        // Both profits are asked at every comparison, a placeholder's too (it answers 0), so the newcomer's
        // caches are filled before it is copied.
        FieldCollection& entry = *entries_[at];
        const double entryProfit = entry.getProfit(s);
        const double newProfit = newFC.getProfit(s);
        const bool movesIn = entry.isNew || entryProfit <= newProfit;
        if (!movesIn) return;
        if (i == 1) {
            entries_[at] = newFC.Copy();
        } else {
            entries_[at + 1] = entries_[at]->Copy();
            entries_[at] = newFC.Copy();
        }
        if (at == 0) return;
        FieldCollection& above = *entries_[at - 1];
        const double aboveProfit = above.getProfit(s);
        if (!above.isNew && aboveProfit > newFC.getProfit(s)) return;
        ++i;
    }
}

void BestMix::submit(const FieldCollection& newFC, const SessionState& s) {
    auto probe = newFC.Copy();
    submit(*probe, s);
}

BestMix::Entries BestMix::returnCollection(bool axe, const SessionState& s) {
    Entries kept;
    for (int i = 0; i < N_; ++i) kept.push_back(placeholder());
    std::size_t k = 0;
    for (std::size_t i = 0; i < entries_.size() && i < kept.size(); ++i) {
        bool keep = i == 0 || !sameScenario(*entries_[i], *entries_[i - 1], axe, s);
        if (keep) kept[k++] = entries_[i]->Copy();
    }
    entries_ = kept;
    return entries_;
}

bool BestMix::sameScenario(FieldCollection& a, FieldCollection& b, bool axe, const SessionState& s) {
    if (!axe) return false;
    if (a.getProfit(s) != b.getProfit(s)) return false;
    if (a.Count() != b.Count()) return true;
    if (a.Count() == 0) return false;
    for (const auto& fa : a) {
        bool matched = false;
        for (const auto& fb : b) {
            if (fa->acres == fb->acres &&
                num::formatPattern(fa->Depth, "###.00") == num::formatPattern(fb->Depth, "###.00") &&
                num::formatPattern(fa->theCrop->Yield, "###,##0") == num::formatPattern(fb->theCrop->Yield, "###,##0") &&
                fa->theCrop->cropType == fb->theCrop->cropType) {
                matched = true;
                break;
            }
        }
        if (!matched) return false;
    }
    return true;
}

void BestMix::SetBestArray(Entries ba) {
    if (ba.size() > static_cast<std::size_t>(INT16_MAX))
        throw InvalidArgument("a ranked list holds at most 32767 options");
    entries_ = std::move(ba);
    N_ = static_cast<std::int16_t>(entries_.size());
}

std::shared_ptr<BestMix> BestMix::Copy() const {
    auto c = std::make_shared<BestMix>();
    c->SetBestArray(entries_);
    return c;
}

} // namespace korvel
