#include "model/FixedTrend.h"

#include <utility>

#include "model/BackgroundRelease.h"
#include "model/Errors.h"
#include "model/EvaluationRun.h"
#include "model/Numbers.h"

namespace korvel {

std::shared_ptr<FieldCollection> selectedOption(SessionState& s)
{
    if (!s.SelectedOption)
        s.SelectedOption = std::make_shared<FieldCollection>();
    return s.SelectedOption;
}

namespace {

// UpdateOption without the copy it returns: the value applied to theFC in place.
void applyValue(const TrendTarget& target, int theVariable, double theValue, FieldCollection& theFC, SessionState& s)
{
    theFC.TotalCost = 0;
    if (theVariable < 0 || theVariable >= kTrendVariableCount)
        return;

    for (const auto& field : theFC) {
        Crop& crop = *field->theCrop;
        const bool matches = crop.cropType == target.rowCropType;
        switch (theVariable) {
        case CropPriceVariable:
            if (matches)
                crop.price = theValue;
            break;
        case ProductionCostsVariable:
            if (matches) {
                crop.inputCosts.BatchGeneralCosts = theValue;
                crop.inputCosts.UseBatch = true;
            }
            break;
        case MaximumYieldVariable:
            if (matches) {
                crop.maxYield = theValue;
                crop.setNormal(crop.maxYield, field->annualRain);
                crop.setYield(field->Depth, field->annualRain);
            }
            break;
        case EfficiencyVariable:
            // The field keeps its gross water, which then gives the net depth of the trended efficiency.
            field->Depth =
                num::checkedFinite(field->grossDepth(s) * (theValue / 100), "the net depth at the trended efficiency");
            field->IrrigationEfficiency = theValue / 100;
            crop.setYield(field->Depth, field->annualRain);
            break;
        case IrrigationCostsVariable:
            field->irrigCosts->BatchIrrigationCosts = theValue;
            field->irrigCosts->UseBatch = true;
            break;
        case RainfallVariable:
            field->annualRain = theValue;
            crop.setYield(field->Depth, field->annualRain);
            break;
        default: break;
        }
    }
    s.TrendVariableName = TrendVariables::fixedTrendName(theVariable);
    s.TrendCropName = TrendVariables::appliesToOneCrop(theVariable) ? target.cropChoice : std::string();
    theFC.AddBatchDescription(TrendVariables::fixedTrendDescription(theVariable, target.rowCropType), theValue,
                              target.units);
}

// What UpdateOption of a copy of the option returns, without the copy in between: the copy itself, changed and
// left as its own copy would be (nobody else ever sees it).
std::shared_ptr<FieldCollection> updatedCopy(const FixedTrendProcess& process, std::size_t value,
                                             const FieldCollection& option, SessionState& s)
{
    std::shared_ptr<FieldCollection> fc = option.Copy();
    applyValue(process.target, process.variable, process.values[value], *fc, s);
    fc->clearWhatCopyDrops();
    return fc;
}

} // namespace

std::shared_ptr<FieldCollection> UpdateOption(const TrendTarget& target, int theVariable, double theValue,
                                              FieldCollection& theFC, SessionState& s)
{
    applyValue(target, theVariable, theValue, theFC, s);
    return theFC.Copy();
}

long long fixedTrendCount(const std::vector<FixedTrendProcess>& processes)
{
    long long n = processes.empty() ? 0 : 1;
    for (const FixedTrendProcess& p : processes)
        n *= static_cast<long long>(p.values.size());
    return n;
}

namespace {

// Closes the progress window and clears the cancel flag however the run ends.
class RunEnd {
public:
    RunEnd(SessionState& s, EvaluationObserver& progress) : s_(s), progress_(progress) {}
    ~RunEnd()
    {
        progress_.close();
        s_.CancelRequested = false;
    }
    RunEnd(const RunEnd&) = delete;
    RunEnd& operator=(const RunEnd&) = delete;

private:
    SessionState& s_;
    EvaluationObserver& progress_;
};

} // namespace

FixedTrendRun runFixedTrend(const FieldCollection& selected, const std::vector<FixedTrendProcess>& processes,
                            SessionState& s, EvaluationObserver& progress)
{
    RunEnd end(s, progress);
    if (processes.empty() || processes.size() > 2)
        throw InvalidArgument("a fixed trend runs over one or two trend processes");
    const long long n = fixedTrendCount(processes);
    if (n < 1)
        throw InvalidArgument("a trend process of a fixed trend has no values");
    if (n > kMaximumFixedTrendCount)
        throw InvalidArgument("a fixed trend can compute at most " + std::to_string(kMaximumFixedTrendCount) +
                              " options, not " + std::to_string(n));

    const std::shared_ptr<FieldCollection> base = selected.Copy();
    base->ResetBatch();
    const FixedTrendProcess& first = processes[0];
    const bool two = processes.size() == 2;
    const std::size_t k1 = first.values.size();
    const std::size_t k2 = two ? processes[1].values.size() : 1;

    auto bm = std::make_shared<BestMix>();
    bm->setSize(static_cast<int>(n));
    TrendGrid grid;
    grid.resize(k1, k2, two);
    s.CancelRequested = false;

    FixedTrendRun run;
    // A cancelled run ends at once: the options it computed so far, which nobody has seen, are freed elsewhere.
    const auto cancelled = [&] {
        BackgroundRelease::release(std::move(bm));
        BackgroundRelease::releaseValue(std::move(grid));
        return run;
    };
    for (std::size_t i = 0; i < k1; ++i) {
        progress.pumpMessages();
        if (s.CancelRequested)
            return cancelled();
        // Each option is ranked as a copy of its own and kept in the grid as another; the ranked copy is handed
        // to the list, and the grid keeps the option itself, which nothing else holds.
        const std::shared_ptr<FieldCollection> fc = updatedCopy(first, i, *base, s);
        if (!two) {
            bm->submit(fc->Copy(), s);
            progress.advance();
            grid.at(i) = fc;
            continue;
        }
        const FixedTrendProcess& second = processes[1];
        for (std::size_t j = 0; j < k2; ++j) {
            progress.pumpMessages();
            std::shared_ptr<FieldCollection> fc2 = updatedCopy(second, j, *fc, s);
            bm->submit(fc2->Copy(), s);
            grid.at(i, j) = std::move(fc2);
            progress.advance();
            if (s.CancelRequested)
                return cancelled();
        }
    }
    // Every option the trend shows, in the ranked list and in the grid the exports read, has figures to show.
    EvaluationRun::checkFigures(bm->entries(), s);
    BestMix::Entries cells;
    for (std::size_t i = 0; i < k1; ++i)
        for (std::size_t j = 0; j < k2; ++j)
            cells.push_back(two ? grid.at(i, j) : grid.at(i));
    EvaluationRun::checkFigures(cells, s);
    run.completed = true;
    run.list = bm->Copy();
    // The grid of the previous fixed trend goes the same way.
    BackgroundRelease::releaseValue(std::exchange(s.TrendResultGrid, std::move(grid)));
    return run;
}

} // namespace korvel
