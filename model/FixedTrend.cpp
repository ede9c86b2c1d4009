#include "model/FixedTrend.h"

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel {

std::shared_ptr<FieldCollection> selectedOption(SessionState& s)
{
    if (!s.SelectedOption)
        s.SelectedOption = std::make_shared<FieldCollection>();
    return s.SelectedOption;
}

std::shared_ptr<FieldCollection> UpdateOption(const TrendTarget& target, int theVariable, double theValue,
                                              FieldCollection& theFC, SessionState& s)
{
    theFC.TotalCost = 0;
    if (theVariable < 0 || theVariable >= kTrendVariableCount)
        return theFC.Copy();

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
            field->Depth = num::checkedFinite(field->grossDepth(s) * (theValue / 100),
                                              "the net depth at the trended efficiency");
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

FixedTrendRun runFixedTrend(FieldCollection& selected, const std::vector<FixedTrendProcess>& processes,
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

    selected.ResetBatch();
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
    for (std::size_t i = 0; i < k1; ++i) {
        progress.pumpMessages();
        if (s.CancelRequested)
            return run;
        const std::shared_ptr<FieldCollection> fc =
            UpdateOption(first.target, first.variable, first.values[i], *selected.Copy(), s);
        if (!two) {
            std::shared_ptr<FieldCollection> ranked = fc->Copy();
            bm->submit(*ranked, s);
            progress.advance();
            grid.at(i) = fc->Copy();
            continue;
        }
        const FixedTrendProcess& second = processes[1];
        for (std::size_t j = 0; j < k2; ++j) {
            progress.pumpMessages();
            const std::shared_ptr<FieldCollection> fc2 =
                UpdateOption(second.target, second.variable, second.values[j], *fc->Copy(), s);
            std::shared_ptr<FieldCollection> ranked = fc2->Copy();
            bm->submit(*ranked, s);
            grid.at(i, j) = fc2->Copy();
            progress.advance();
            if (s.CancelRequested)
                return run;
        }
    }
    run.completed = true;
    run.list = bm->Copy();
    s.TrendResultGrid = std::move(grid);
    return run;
}

} // namespace korvel
