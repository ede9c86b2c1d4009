#include "WholeRun.h"

#include "model/Field.h"
#include "model/FieldCollection.h"
#include "model/MakingCropCombos.h"
#include "model/MakingSplits.h"
#include "model/Numbers.h"

namespace korvel::bench {

std::shared_ptr<BestMix> runScenario(const RunInputs& in, SessionState& s, EvaluationObserver& progress)
{
    s.IrrigationEfficiency = in.efficiencyPercent / 100.0;
    MakingSplits::makeLandSplit(s, in.preset);
    s.LandSplit = MakingSplits::scaleLandSplit(*s.LandSplit, in.acres);
    const int fields = s.LandSplit->Count();
    const double net = in.volume * s.IrrigationEfficiency;
    const SplitCollection waterSplits = MakingSplits::makeWaterSplits(s, fields, net);
    const SplitCollection depthSplits = MakingSplits::makeDepthSplits(waterSplits, *s.LandSplit);
    const auto combos = MakingCropCombos::makeCropCombos(*in.crops, fields);

    std::shared_ptr<BestMix> bm = FieldCalculator::EvaluateCombinations(
        depthSplits, combos, *s.LandSplit, in.rain, in.bestCount, *in.irrigation, s, &progress);
    if (s.CancelRequested.load())
        return bm ? bm : std::make_shared<BestMix>();
    if (!bm)
        return std::make_shared<BestMix>();

    if (in.singleCropPlans) {
        for (const auto& c : *in.crops) {
            auto field = std::make_shared<Field>();
            field->acres = in.acres;
            field->theCrop = c;
            field->Depth =
                c->cropType == "Fallow" ? 0.0 : num::checkedFinite(net / in.acres, "the depth of a single-crop plan");
            field->annualRain = in.rain;
            field->irrigCosts = in.irrigation;
            field->IrrigationEfficiency = s.IrrigationEfficiency;
            c->setYield(field->Depth, field->annualRain);
            FieldCollection plan;
            plan.Add(field);
            bm->submit(plan, s);
        }
    }
    return bm;
}

} // namespace korvel::bench
