#include "model/EvaluationRun.h"

#include <cmath>
#include <string>

#include "model/Errors.h"
#include "model/Field.h"
#include "model/FieldCollection.h"
#include "model/MakingCropCombos.h"
#include "model/MakingSplits.h"
#include "model/Numbers.h"

namespace korvel::EvaluationRun {

namespace {

// The crops as the run reads them when it starts: copies that nothing outside the run can change. The crop rows
// write into the library crops as the user types, also while the search runs; that is for the next run.
std::shared_ptr<CropScenario> runCopies(const CropScenario& crops)
{
    auto copies = std::make_shared<CropScenario>();
    for (const auto& c : crops)
        copies->Add(c->Copy());
    return copies;
}

// Each crop alone on the whole acreage with all the net water as its depth ("Fallow" none): the run's crop, whose
// Yield the plan writes, and the run's irrigation costs. The list keeps deep copies.
void submitSingleCropPlans(const Inputs& in, const CropScenario& crops, const std::shared_ptr<IrrigationCosts>& costs,
                           double net, BestMix& list, SessionState& s)
{
    for (const auto& c : crops) {
        auto field = std::make_shared<Field>();
        field->acres = in.acres;
        field->theCrop = c;
        field->Depth =
            c->cropType == "Fallow" ? 0.0 : num::checkedFinite(net / in.acres, "the depth of a single-crop plan");
        field->annualRain = in.rain;
        field->irrigCosts = costs;
        field->IrrigationEfficiency = s.IrrigationEfficiency;
        c->setYield(field->Depth, field->annualRain);
        FieldCollection plan;
        plan.Add(field);
        list.submit(plan, s);
    }
}

} // namespace

void checkFigures(const BestMix::Entries& options, const SessionState& s)
{
    std::size_t rank = 0;
    for (const auto& entry : options) {
        ++rank;
        if (!entry || entry->Count() == 0)
            continue;
        const auto fail = [&](const char* figure) {
            throw NonFiniteResult(std::string(figure) + " of option " + std::to_string(rank) +
                                  " cannot be computed: the value is too large");
        };
        const auto check = [&](double all, double acres, const char* figure) {
            if (!std::isfinite(all) || !std::isfinite(all / acres))
                fail(figure);
        };
        const auto option = entry->Copy();
        double acres = 0;
        for (const auto& field : *option) {
            acres += field->acres;
            const double costs = field->getCosts(s);
            const double returns = field->getReturn();
            check(costs, field->acres, "the costs of a field");
            check(returns, field->acres, "the returns of a field");
            check(returns - costs, field->acres, "the net return of a field");
        }
        check(option->getCosts(s), acres, "the total costs");
        check(option->getReturn(), acres, "the total returns");
        check(option->getProfit(s), acres, "the net return");
    }
}

std::shared_ptr<CropScenario> returnCrops(const std::vector<CropChoice>& crops, const std::string& soil, double rain)
{
    auto scenario = std::make_shared<CropScenario>();
    for (const CropChoice& choice : crops) {
        const std::shared_ptr<Crop>& c = choice.crop;
        c->price = choice.price;
        c->maxYield = choice.maxYield;
        c->setNormal(c->maxYield, rain);
        c->soilName = "Silt Loam";
        std::shared_ptr<SoilCollection> tables = c->soil_ulysses;
        std::string soilName = "Silt Loam";
        if (soil == "Fine Sand") {
            tables = c->soil_valent;
            soilName = "Fine Sand";
        } else if (soil == "Loamy Sand") {
            tables = c->soil_valentine;
            soilName = "Loamy Sand";
        }
        try {
            if (tables && tables->Count() > 0) {
                c->setYieldTable(tables->Item(2));
                c->soilName = soilName;
            }
        } catch (const KorvelError&) {
            // The crop keeps its own table.
        }
        scenario->Add(c);
    }
    return scenario;
}

Result run(const Inputs& in, SessionState& s, Observer& observer)
{
    s.IrrigationEfficiency = in.efficiencyPercent / 100.0;
    const int listSize = static_cast<int>(num::toWhole(in.listSize));
    const std::shared_ptr<IrrigationCosts> costs = in.irrigation ? in.irrigation->Copy() : nullptr;

    MakingSplits::makeLandSplit(s, in.preset);
    s.LandSplit = MakingSplits::scaleLandSplit(*s.LandSplit, in.acres);
    const int fields = s.LandSplit->Count();
    if (in.preset < 0 || fields < 1)
        return {End::NoLandSplit, std::make_shared<BestMix>()};

    // Building a large run's splits takes a while. In a step of a trend, which keeps a Cancel pressed before its
    // search, the window's messages run between the two and a Cancel ends the run there. (A run of its own would
    // forget such a Cancel when its search starts.)
    const auto cancelKept = [&] {
        if (in.earlierCancel != FieldCalculator::EarlierCancel::Keep)
            return false;
        observer.pumpMessages();
        return s.CancelRequested.load();
    };
    const double net = in.volume * s.IrrigationEfficiency;
    const SplitCollection waterSplits = MakingSplits::makeWaterSplits(in.factor, fields, net, fields);
    if (cancelKept())
        return {End::Cancelled, std::make_shared<BestMix>()};
    const SplitCollection depthSplits = MakingSplits::makeDepthSplits(waterSplits, *s.LandSplit);
    if (cancelKept())
        return {End::Cancelled, std::make_shared<BestMix>()};
    const std::shared_ptr<CropScenario> prepared = returnCrops(in.crops, in.soil, in.rain);
    observer.cropsPrepared(prepared);
    // Every option of this run comes from the inputs as they stand now.
    const std::shared_ptr<CropScenario> crops = runCopies(*prepared);
    const auto combos = MakingCropCombos::makeCropCombos(*crops, fields);

    observer.searchBegins(static_cast<std::size_t>(depthSplits.Count()));
    std::shared_ptr<BestMix> list = FieldCalculator::EvaluateCombinations(
        depthSplits, combos, *s.LandSplit, in.rain, listSize, *costs, s, &observer, in.earlierCancel);
    observer.searchEnded();

    if (s.CancelRequested.load()) {
        if (list)
            checkFigures(list->entries(), s);
        return {End::Cancelled, list ? list : std::make_shared<BestMix>()};
    }
    if (!list)
        return {End::Stopped, std::make_shared<BestMix>()};
    if (in.singleCropPlans)
        submitSingleCropPlans(in, *crops, costs, net, *list, s);
    checkFigures(list->entries(), s);
    return {End::Finished, list};
}

} // namespace korvel::EvaluationRun
