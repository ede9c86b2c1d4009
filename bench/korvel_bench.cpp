// Speed and memory of the search on a four-field farm with seven crops, against the literal loop.
//   korvel_bench [--reference-l] [--no-reference] [--only=D|M|L] [--repeat=N]
// Prints one line per scenario:
//   scenario=<name> fields=<n> factor=<f> crops=<c> allocations=<count> fast_s=<seconds>
//   reference_s=<seconds|skipped> ratio=<x|skipped> identical=<yes|no|skipped> peak_rss_mb=<m>
// and, on standard error, how long a Cancel takes to stop a search that cannot skip anything.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/FieldCalculator.h"
#include "model/MakingCropCombos.h"
#include "model/Numbers.h"
#include "model/MakingSplits.h"
#include "model/RankedListCompare.h"
#include "model/ReferenceLoop.h"

namespace {

using namespace korvel;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A yield table with rows 0..24 inches of net irrigation and columns 0..21 inches of rainfall (zero below
// 11): a yield response that rises with water and levels off.
YieldTable responseTable(double dryYield, double wetYield, double scale)
{
    YieldTable table(25, std::vector<double>(22, 0.0));
    for (int r = 0; r <= 24; ++r)
        for (int c = 11; c <= 21; ++c) {
            const double water = r + 0.7 * (c - 11);
            const double y = dryYield + (wetYield - dryYield) * (1.0 - std::exp(-water / scale));
            table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = std::round(y * 10.0) / 10.0;
        }
    return table;
}

std::shared_ptr<Crop> crop(const std::string& name, const std::string& unit, double price, double maxYield,
                           YieldTable table, double rain)
{
    auto c = std::make_shared<Crop>();
    c->cropType = name;
    c->cropUnits = unit + "," + unit + "s";
    c->cropUnitsArray = {unit, unit + "s"};
    c->price = price;
    c->maxYield = maxYield;
    c->setYieldTable(table);
    c->setNormal(maxYield, rain);
    c->soilName = "Silt Loam";
    return c;
}

void fieldCosts(inputCosts& ic, double herbicide, double insecticide, double tillage, double planting,
                double misc)
{
    ic.Herbicide = herbicide;
    ic.Insecticide = insecticide;
    ic.Tillage = tillage;
    ic.Planting = planting;
    ic.FertilizerApplication = 6.5;
    ic.HerbicideApplication = 5.0;
    ic.InsecticideApplication = insecticide > 0 ? 5.0 : 0.0;
    ic.MiscCost = misc;
}

std::vector<std::shared_ptr<Crop>> sevenCrops(double rain)
{
    std::vector<std::shared_ptr<Crop>> crops;
    {
        auto c = crop("Corn", "bu.", 4.35, 230, responseTable(45, 240, 7.5), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 3.1;
        ic.SeedRate = 28000;
        ic.SeedOptimal = true;
        fieldCosts(ic, 32, 18, 22, 18, 25);
        ic.HarvestBasePerAcre = 28.0;
        ic.HarvestExceedBu = 100.0;
        ic.HarvestExceedRate = 0.18;
        ic.HarvestHauling = 0.16;
        ic.HarvestFlatRate = 0.0;
        crops.push_back(c);
    }
    {
        auto c = crop("Grain Sorghum", "bu.", 4.05, 140, responseTable(40, 145, 6.0), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.PApplied = 25;
        ic.SeedCost = 1.6;
        ic.SeedRate = 5;
        ic.SeedOptimal = true;
        fieldCosts(ic, 24, 6, 20, 15, 18);
        ic.HarvestBasePerAcre = 24.0;
        ic.HarvestExceedBu = 60.0;
        ic.HarvestExceedRate = 0.16;
        ic.HarvestHauling = 0.14;
        crops.push_back(c);
    }
    {
        auto c = crop("Wheat", "bu.", 6.10, 75, responseTable(30, 78, 5.0), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 0.22;
        ic.SeedRate = 90;
        ic.SeedOptimal = true;
        fieldCosts(ic, 12, 4, 24, 14, 15);
        ic.HarvestBasePerAcre = 22.0;
        ic.HarvestExceedBu = 30.0;
        ic.HarvestExceedRate = 0.15;
        ic.HarvestHauling = 0.15;
        crops.push_back(c);
    }
    {
        auto c = crop("Sunflower", "lb", 0.21, 2200, responseTable(700, 2300, 6.5), rain);
        auto& ic = c->inputCosts;
        ic.NitrogenCost = 0.55;
        ic.NOptimal = true;
        ic.PCost = 0.45;
        ic.PApplied = 20;
        ic.SeedCost = 4.2;
        ic.SeedRate = 21000;
        ic.SeedOptimal = true;
        fieldCosts(ic, 22, 14, 20, 15, 16);
        ic.HarvestBasePerAcre = 26.0;
        ic.HarvestExceedBu = 1000.0;
        ic.HarvestExceedRate = 1.0;
        ic.HarvestHauling = 0.5;
        crops.push_back(c);
    }
    {
        auto c = crop("Alfalfa", "ton", 125, 7.5, responseTable(1.5, 7.8, 9.0), rain);
        auto& ic = c->inputCosts;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 4.5;
        ic.SeedRate = 15;
        ic.SeedOptimal = true;
        fieldCosts(ic, 18, 10, 30, 20, 20);
        ic.AlfalfaSwathing = 12.0;
        ic.AlfalfaSwathingNum = 4.0;
        ic.AlfalfaRaking = 6.0;
        ic.AlfalfaRakingNum = 4.0;
        ic.AlfalfaBaling = 1.1;
        ic.AlfalfaBalingNum = 25.0;
        ic.AlfalfaPerTon = 0.0;
        ic.AlfalfaStand = 4.0;
        crops.push_back(c);
    }
    {
        auto c = crop("Soybeans", "bu.", 10.90, 68, responseTable(20, 70, 6.0), rain);
        auto& ic = c->inputCosts;
        ic.PCost = 0.45;
        ic.POptimal = true;
        ic.SeedCost = 0.38;
        ic.SeedRate = 150000;
        ic.SeedOptimal = true;
        fieldCosts(ic, 28, 12, 20, 16, 18);
        ic.HarvestBasePerAcre = 26.0;
        ic.HarvestExceedBu = 30.0;
        ic.HarvestExceedRate = 0.2;
        ic.HarvestHauling = 0.15;
        crops.push_back(c);
    }
    {
        auto c = crop("Fallow", "bu.", 0, 0, YieldTable(25, std::vector<double>(22, 0.0)), rain);
        fieldCosts(c->inputCosts, 14, 0, 10, 0, 4);
        c->inputCosts.FertilizerApplication = 0;
        crops.push_back(c);
    }
    return crops;
}

struct Scenario {
    std::string name;
    int factor;
    bool reference;
};

struct Inputs {
    SessionState s;
    std::shared_ptr<Split> landSplit;
    SplitCollection depthSplits;
    CropScenario crops;
    std::vector<std::shared_ptr<CropScenario>> combos;
    IrrigationCosts irrigation;
    double rain = 16;
};

void build(Inputs& in, int factor)
{
    constexpr double acres = 640, grossInches = 12, efficiency = 0.85;
    in.s.SplitFactor = static_cast<std::int16_t>(factor);
    in.s.IrrigationEfficiency = efficiency;
    MakingSplits::makeLandSplit(in.s, 4); // "25 - 25 - 25 - 25"
    in.s.LandSplit = MakingSplits::scaleLandSplit(*in.s.LandSplit, acres);
    in.landSplit = in.s.LandSplit;
    const double net = num::roundHalfEven(acres * grossInches) * efficiency;
    const SplitCollection water = MakingSplits::makeWaterSplits(in.s, 4, net);
    in.depthSplits = MakingSplits::makeDepthSplits(water, *in.landSplit);
    for (const auto& c : sevenCrops(in.rain))
        in.crops.Add(c);
    in.combos = MakingCropCombos::makeCropCombos(in.crops, 4);
    auto& ic = in.irrigation;
    ic.GPM = 800;
    ic.Lift = 150;
    ic.PSI = 30;
    ic.LaborPerHour = 12;
    ic.FixedPerAcre = 15;
    ic.RepairsPerAcreInch = 0.8;
    ic.NPC = 12.5;
    ic.cost = 3.5;
    ic.dblEstHours = 2000;
    ic.active = true;
    ic.FuelType = "Diesel";
}

std::shared_ptr<BestMix> fast(Inputs& in)
{
    return FieldCalculator::EvaluateCombinations(in.depthSplits, in.combos, *in.landSplit, in.rain, 100,
                                                 in.irrigation, in.s);
}

// Sets Cancel at the first message pump after the start and measures how long the search takes to return.
class CancelAtSecondPump : public EvaluationObserver {
public:
    explicit CancelAtSecondPump(SessionState& s) : s_(s) {}
    void pumpMessages() override
    {
        if (++pumps_ == 2) {
            s_.CancelRequested = true;
            setAt = Clock::now();
        }
    }
    Clock::time_point setAt{};

private:
    SessionState& s_;
    int pumps_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    bool referenceL = false, noReference = false;
    std::string only;
    int repeat = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--reference-l")
            referenceL = true;
        else if (arg == "--no-reference")
            noReference = true;
        else if (arg.rfind("--only=", 0) == 0)
            only = arg.substr(7);
        else if (arg.rfind("--repeat=", 0) == 0)
            repeat = std::max(1, std::atoi(arg.c_str() + 9));
        else {
            std::fprintf(stderr, "usage: %s [--reference-l] [--no-reference] [--only=D|M|L] [--repeat=N]\n", argv[0]);
            return 2;
        }
    }

    const std::vector<Scenario> scenarios = {{"D", 10, true}, {"M", 30, true}, {"L", 100, referenceL}};
    for (const auto& sc : scenarios) {
        if (!only.empty() && only != sc.name)
            continue;
        auto in = std::make_unique<Inputs>();
        build(*in, sc.factor);
        const auto allocations =
            static_cast<unsigned long long>(in->depthSplits.Count()) * static_cast<unsigned long long>(in->combos.size());

        std::vector<double> times;
        std::shared_ptr<BestMix> result;
        for (int r = 0; r < repeat; ++r) {
            result.reset(); // releasing the previous list is not part of the search
            const auto t0 = Clock::now();
            result = fast(*in);
            times.push_back(seconds(t0, Clock::now()));
        }
        std::sort(times.begin(), times.end());
        const double fastS = times[times.size() / 2];

        std::string referenceText = "skipped", ratioText = "skipped", identicalText = "skipped";
        if (sc.reference && !noReference) {
            const auto t0 = Clock::now();
            auto expected = korvel::testing::referenceEvaluate(in->depthSplits, in->combos, *in->landSplit, in->rain,
                                                               100, in->irrigation, in->s);
            const double referenceS = seconds(t0, Clock::now());
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.3f", referenceS);
            referenceText = buffer;
            std::snprintf(buffer, sizeof buffer, "%.0f", referenceS / fastS);
            ratioText = buffer;
            const std::string diff = korvel::testing::firstDifferenceWithProfits(*expected, *result, in->s);
            identicalText = diff.empty() ? "yes" : "no";
            if (!diff.empty())
                std::fprintf(stderr, "scenario %s differs: %s\n", sc.name.c_str(), diff.c_str());
        }
        std::printf("scenario=%s fields=4 factor=%d crops=%zu allocations=%llu fast_s=%.6f reference_s=%s "
                    "ratio=%s identical=%s peak_rss_mb=%.1f\n",
                    sc.name.c_str(), sc.factor, static_cast<std::size_t>(in->crops.Count()), allocations, fastS,
                    referenceText.c_str(), ratioText.c_str(), identicalText.c_str(), peakRssMb());
        std::fflush(stdout);
    }

    // Cancel: every crop priced 0 and free, so every allocation ties and nothing can be skipped.
    if (only.empty() || only == "cancel") {
        auto in = std::make_unique<Inputs>();
        build(*in, 100);
        for (const auto& c : in->crops) {
            c->price = 0;
            c->inputCosts = inputCosts();
        }
        in->combos = MakingCropCombos::makeCropCombos(in->crops, 4);
        in->irrigation.active = false;
        const auto u0 = Clock::now();
        auto full = fast(*in);
        const auto u1 = Clock::now();
        std::fprintf(stderr, "ties: factor 100, every allocation at profit 0, nothing prunable: %.3f s\n", seconds(u0, u1));
        full.reset();
        CancelAtSecondPump observer(in->s);
        const auto t0 = Clock::now();
        auto list = FieldCalculator::EvaluateCombinations(in->depthSplits, in->combos, *in->landSplit, in->rain, 100,
                                                          in->irrigation, in->s, &observer);
        const auto t1 = Clock::now();
        std::fprintf(stderr, "cancel: factor 100, nothing prunable: %s, %.1f ms from Cancel to return (%.1f ms in all)\n",
                     list == nullptr ? "cancelled" : "NOT cancelled",
                     observer.setAt.time_since_epoch().count() == 0 ? -1.0 : 1000.0 * seconds(observer.setAt, t1),
                     1000.0 * seconds(t0, t1));
    }
    return 0;
}
