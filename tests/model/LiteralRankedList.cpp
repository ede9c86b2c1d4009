#include "LiteralRankedList.h"

#include "model/Errors.h"

namespace korvel::testing {

BestMix::Entries literalList(int size)
{
    BestMix::Entries entries;
    for (int i = 0; i < size; ++i) {
        auto placeholder = std::make_shared<FieldCollection>();
        placeholder->isNew = true;
        entries.push_back(placeholder);
    }
    return entries;
}

void literalSubmit(BestMix::Entries& entries, FieldCollection& newFC, const SessionState& s)
{
    const int n = static_cast<int>(entries.size());
    if (n < 1)
        throw IndexError("an option was offered to a ranked list that has no length");
    int i = 1;
    while (true) {
        const std::size_t at = static_cast<std::size_t>(n - i);
        FieldCollection& entry = *entries[at];
        const double entryProfit = entry.getProfit(s);
        const double newProfit = newFC.getProfit(s);
        const bool movesIn = entry.isNew || entryProfit <= newProfit;
        if (!movesIn)
            return;
        if (i == 1) {
            entries[at] = newFC.Copy();
        } else {
            entries[at + 1] = entries[at]->Copy();
            entries[at] = newFC.Copy();
        }
        if (at == 0)
            return;
        FieldCollection& above = *entries[at - 1];
        const double aboveProfit = above.getProfit(s);
        if (!above.isNew && aboveProfit > newFC.getProfit(s))
            return;
        ++i;
    }
}

BestMix::Entries literalReturnCollection(BestMix::Entries& entries, bool axe, const SessionState& s)
{
    BestMix::Entries kept = literalList(static_cast<int>(entries.size()));
    std::size_t k = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool keep = i == 0 || !BestMix::sameScenario(*entries[i], *entries[i - 1], axe, s);
        if (keep)
            kept[k++] = entries[i]->Copy();
    }
    entries = kept;
    return entries;
}

LiteralFixedTrend literalFixedTrend(const FieldCollection& selected, const std::vector<FixedTrendProcess>& processes,
                                    SessionState& s)
{
    const auto base = selected.Copy();
    base->ResetBatch();
    LiteralFixedTrend out;
    out.list = literalList(static_cast<int>(fixedTrendCount(processes)));
    const FixedTrendProcess& first = processes[0];
    for (double value : first.values) {
        const auto fc = UpdateOption(first.target, first.variable, value, *base->Copy(), s);
        if (processes.size() == 1) {
            const auto ranked = fc->Copy();
            literalSubmit(out.list, *ranked, s);
            out.grid.push_back(fc->Copy());
            continue;
        }
        const FixedTrendProcess& second = processes[1];
        for (double other : second.values) {
            const auto fc2 = UpdateOption(second.target, second.variable, other, *fc->Copy(), s);
            const auto ranked = fc2->Copy();
            literalSubmit(out.list, *ranked, s);
            out.grid.push_back(fc2->Copy());
        }
    }
    return out;
}

} // namespace korvel::testing
