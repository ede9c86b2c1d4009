#include "model/FieldCalculator.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cassert>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "model/Errors.h"
#include "model/ParallelSearch.h"
#include "model/SearchTables.h"
#include "model/WorkerPool.h"

namespace korvel {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto pumpInterval = std::chrono::milliseconds(2);

class SilentObserver : public EvaluationObserver {};

// One allocation as the search builds it: field i has the acres of land part i, its own copies of crop i
// and of the irrigation costs, the depth of split part i (0 for "Fallow"), the rainfall and the run's
// efficiency; then every field's yield is set.
std::shared_ptr<FieldCollection> buildAllocation(const SplitView& depths, const CropScenario& crops,
                                                 const Split& landSplit, double annRain,
                                                 const IrrigationCosts& irrigCosts, double efficiency)
{
    auto allocation = std::make_shared<FieldCollection>();
    for (long i = 1; i <= landSplit.Count(); ++i) {
        const auto& crop = crops.Item(i);
        if (crop == nullptr)
            throw InvalidArgument("A crop combination holds no crop for field " + std::to_string(i) + ".");
        auto field = std::make_shared<Field>();
        field->acres = landSplit.Item(static_cast<int>(i));
        field->theCrop = crop->Copy();
        field->irrigCosts = irrigCosts.Copy();
        field->Depth = field->theCrop->cropType == "Fallow" ? 0.0 : depths.Item(static_cast<int>(i));
        field->annualRain = annRain;
        field->IrrigationEfficiency = efficiency;
        allocation->Add(std::move(field));
    }
    for (const auto& field : *allocation)
        field->theCrop->setYield(field->Depth, field->annualRain);
    return allocation;
}

// The loop itself, one allocation after the other, for inputs the tables cannot serve (see
// buildSearchTables). Progress, message pumps and the cancel test come exactly where the search has them.
std::shared_ptr<BestMix> searchOneByOne(const SplitCollection& depthSplits,
                                        const std::vector<std::shared_ptr<CropScenario>>& combos,
                                        const Split& landSplit, double annRain, const IrrigationCosts& irrigCosts,
                                        SessionState& s, EvaluationObserver& observer, std::shared_ptr<BestMix> list)
{
    for (const auto& depths : depthSplits) {
        observer.advance();
        observer.pumpMessages();
        for (const auto& crops : combos) {
            if (s.CancelRequested.load()) {
                observer.close();
                return nullptr;
            }
            observer.pumpMessages();
            if (crops == nullptr)
                throw InvalidArgument("The search was given an empty crop combination.");
            const auto allocation =
                buildAllocation(depths, *crops, landSplit, annRain, irrigCosts, s.IrrigationEfficiency);
            list->submit(*allocation, s);
        }
    }
    observer.close();
    return list;
}

// The entries of the final list hold the caches that the ranked list's own comparisons and copies leave them:
// BestMix::submit asks the newcomer's profit (and the compared entry's) at every comparison, before it places a
// copy of the newcomer, and a copy keeps the cost caches (and what computing them stored in the crop and the
// irrigation costs) and starts without return caches. So every entry holds its costs, and its returns exactly
// when the list asked it for its profit after it was last copied (askedSinceLastCopied).

std::shared_ptr<BestMix> searchFromTables(const search::SearchTables& tables, search::WorkerPool& pool,
                                          const SplitCollection& depthSplits,
                                          const std::vector<std::shared_ptr<CropScenario>>& combos,
                                          const Split& landSplit, double annRain, const IrrigationCosts& irrigCosts,
                                          SessionState& s, EvaluationObserver& observer, std::shared_ptr<BestMix> list)
{
    const std::size_t listSize = list->entries().size();
    search::ParallelSearch search(tables, listSize, s.CancelRequested, pool.size());
    std::size_t reported = 0;
    const auto reportProgress = [&] {
        const std::size_t done = search.splitsDone();
        if (reported < done)
            observer.advanceBy(done - reported);
        reported = done;
    };

    // The search proper touches only the tables and the cancel flag, so the window's messages may run
    // meanwhile (every few milliseconds, and the Cancel button's handler among them).
    if (!pool.hasThreads()) {
        auto lastPump = Clock::now();
        while (search.workSome(0)) {
            if (Clock::now() - lastPump >= pumpInterval) {
                observer.pumpMessages();
                reportProgress();
                lastPump = Clock::now();
            }
        }
    } else {
        const std::function<void(unsigned)> task = [&search](unsigned w) { search.work(w); };
        pool.start(task);
        // However this thread leaves the loop, the workers stop before the search goes away.
        struct StopOnExit {
            search::ParallelSearch& search;
            search::WorkerPool& pool;
            bool done = false;
            ~StopOnExit()
            {
                if (done)
                    return;
                search.stop();
                try {
                    while (!pool.waitFor(pumpInterval)) {
                    }
                } catch (...) {
                }
            }
        } guard{search, pool};
        while (!pool.waitFor(pumpInterval)) {
            observer.pumpMessages();
            reportProgress();
        }
        guard.done = true;
    }

    if (search.cancelled()) {
        observer.close();
        return nullptr;
    }
    reportProgress();

    // The ranked list: the entrants built as the loop builds them, with the caches the list leaves them.
    const std::vector<search::Candidate> best = search.result();
    std::vector<std::uint64_t> orders;
    orders.reserve(best.size());
    for (const auto& c : best)
        orders.push_back(c.order);
    const std::uint64_t total = static_cast<std::uint64_t>(tables.nSplits) * tables.nCombos;
    const std::vector<std::uint8_t> returnsAsked = askedSinceLastCopied(orders, total, listSize);

    std::vector<SplitView> splits(best.size());
    for (std::size_t p = 0; p < best.size(); ++p)
        splits[p] = depthSplits.Item(static_cast<long>(best[p].order / tables.nCombos) + 1);
    BestMix::Entries entries(best.size());
    std::atomic<std::size_t> next{0};
    pool.run([&](unsigned) {
        for (std::size_t p; (p = next.fetch_add(1, std::memory_order_relaxed)) < best.size();) {
            const std::uint64_t combo = best[p].order % tables.nCombos;
            auto allocation =
                buildAllocation(splits[p], *combos[combo], landSplit, annRain, irrigCosts, s.IrrigationEfficiency);
#ifndef NDEBUG
            {
                const double profit = allocation->Copy()->getProfit(s);
                assert(std::bit_cast<std::uint64_t>(profit) == std::bit_cast<std::uint64_t>(best[p].profit));
            }
#endif
            allocation->getCosts(s);
            if (returnsAsked[p])
                allocation->getReturn();
            entries[p] = std::move(allocation);
        }
    });
    const auto& placeholders = list->entries();
    for (std::size_t p = entries.size(); p < listSize; ++p)
        entries.push_back(placeholders[p]);
    list->SetBestArray(std::move(entries));
    observer.close();
    return list;
}

} // namespace

namespace FieldCalculator {

std::shared_ptr<BestMix> EvaluateCombinations(const SplitCollection& depthSplits,
                                              const std::vector<std::shared_ptr<CropScenario>>& combos,
                                              const Split& landSplit, double annRain, int bestCount,
                                              const IrrigationCosts& irrigCosts, SessionState& s,
                                              EvaluationObserver* observer, EarlierCancel earlierCancel)
{
    SilentObserver silent;
    EvaluationObserver& obs = observer != nullptr ? *observer : silent;
    try {
        obs.pumpMessages();
        if (earlierCancel == EarlierCancel::Forget) {
            s.CancelRequested.store(false);
        } else if (s.CancelRequested.load()) {
            obs.close();
            return nullptr;
        }
        auto list = std::make_shared<BestMix>();
        list->setSize(bestCount);

        if (depthSplits.Count() == 0) {
            obs.close();
            return list;
        }
        if (combos.empty()) {
            // Nothing to evaluate, and so no cancel test: one progress step per split.
            for (long i = 0; i < depthSplits.Count(); ++i) {
                obs.advance();
                obs.pumpMessages();
            }
            obs.close();
            return list;
        }

        // Every core. While the tables and, at the end, the entries are built, no message runs, so nothing
        // can change the inputs that the workers read.
        const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
        search::PoolForSearch workers(
            static_cast<unsigned>(std::min<long>(std::min(hardware, 64u), depthSplits.Count())));
        search::WorkerPool& pool = workers.pool();
        const auto tables = search::buildSearchTables(depthSplits, combos, landSplit, annRain, irrigCosts, s,
                                                      list->entries().size(), pool);
        if (tables == nullptr)
            return searchOneByOne(depthSplits, combos, landSplit, annRain, irrigCosts, s, obs, std::move(list));
        return searchFromTables(*tables, pool, depthSplits, combos, landSplit, annRain, irrigCosts, s, obs,
                                std::move(list));
    } catch (...) {
        obs.close();
        throw;
    }
}

} // namespace FieldCalculator
} // namespace korvel
