// Speed and memory of the search, of the whole run and of the trend runs, on a four-field farm with seven crops.
//   korvel_bench [--reference-l] [--reference-f] [--no-reference] [--only=NAME] [--repeat=N] [--trend-f=K]
//                [--trend-v=M]
// Prints one line per scenario, each scenario in a process of its own so that its peak memory is its own:
//   scenario=D|M|L fields=<n> factor=<f> crops=<c> allocations=<count> fast_s=<seconds>
//     reference_s=<seconds|skipped> ratio=<x|skipped> identical=<yes|no|skipped> peak_rss_mb=<m>
//       the search alone, against the literal loop (L only with --reference-l: it takes minutes);
//   scenario=RUN-L ... time_s=<seconds> first_s=<seconds> ...  the whole run of the run button at factor 100
//       (splits, combinations, search, single-crop plans, the list read twice as the window reads it): the
//       median of N runs and the first run of the process;
//   scenario=TREND-F ... time_s=...          one fixed trend over K × K values (181 unless --trend-f=K), with
//       --reference-f against the trend written out step by step (that takes hours at 181: try --trend-f=45);
//   scenario=TREND-V ... time_s=...          one variable trend of M whole runs at factor 100 (50 unless --trend-v);
//   scenario=TIES-L ... time_s=...           the search at factor 100 when every allocation ties (nothing to skip);
// and, on standard error, how long a Cancel takes to stop a search that cannot skip anything. The benchmark
// keeps freed memory for reuse as the program does.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchFarm.h"
#include "Measure.h"
#include "model/EvaluationRun.h"
#include "model/FieldCalculator.h"
#include "model/FixedTrend.h"
#include "model/LiteralRankedList.h"
#include "model/MakingCropCombos.h"
#include "model/MakingSplits.h"
#include "model/Numbers.h"
#include "model/RankedListCompare.h"
#include "model/ReferenceLoop.h"
#include "ui/platform/MemoryPolicy.h"

namespace {

using namespace korvel;
using namespace korvel::bench;

struct Options {
    bool referenceL = false;
    bool referenceF = false;
    bool noReference = false;
    std::string only;
    int repeat = 5;
    int trendF = 181;
    int trendV = 50;
};

// The median of `repeat` timings of f; `before` runs untimed ahead of each.
double median(int repeat, const std::function<void()>& f, const std::function<void()>& before = {})
{
    std::vector<double> times;
    for (int r = 0; r < repeat; ++r) {
        if (before)
            before();
        const auto t0 = Clock::now();
        f();
        times.push_back(seconds(t0, Clock::now()));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// --- The search alone -----------------------------------------------------------------------------

struct Inputs {
    SessionState s;
    std::shared_ptr<Split> landSplit;
    SplitCollection depthSplits;
    CropScenario crops;
    std::vector<std::shared_ptr<CropScenario>> combos;
    IrrigationCosts irrigation;
    double rain = kRain;
};

void build(Inputs& in, int factor)
{
    const double efficiency = kEfficiencyPercent / 100;
    in.s.SplitFactor = static_cast<std::int16_t>(factor);
    in.s.IrrigationEfficiency = efficiency;
    MakingSplits::makeLandSplit(in.s, kFourFields);
    in.s.LandSplit = MakingSplits::scaleLandSplit(*in.s.LandSplit, kAcres);
    in.landSplit = in.s.LandSplit;
    const double net = num::roundHalfEven(kAcres * kGrossInches) * efficiency;
    const SplitCollection water = MakingSplits::makeWaterSplits(in.s, 4, net);
    in.depthSplits = MakingSplits::makeDepthSplits(water, *in.landSplit);
    for (const auto& c : sevenCrops(in.rain))
        in.crops.Add(c);
    in.combos = MakingCropCombos::makeCropCombos(in.crops, 4);
    in.irrigation = farmIrrigation();
}

std::shared_ptr<BestMix> fast(Inputs& in, EvaluationObserver* observer = nullptr)
{
    return FieldCalculator::EvaluateCombinations(in.depthSplits, in.combos, *in.landSplit, in.rain, 100, in.irrigation,
                                                 in.s, observer);
}

// Every crop priced 0 and free, no irrigation costs: every allocation ties and nothing can be skipped.
void tieEverything(Inputs& in)
{
    for (const auto& c : in.crops) {
        c->price = 0;
        c->inputCosts = inputCosts();
    }
    in.combos = MakingCropCombos::makeCropCombos(in.crops, 4);
    in.irrigation.active = false;
}

void searchScenario(const std::string& name, int factor, bool reference, const Options& o)
{
    auto in = std::make_unique<Inputs>();
    build(*in, factor);
    const auto allocations =
        static_cast<unsigned long long>(in->depthSplits.Count()) * static_cast<unsigned long long>(in->combos.size());
    std::shared_ptr<BestMix> result;
    // Releasing the previous list is not part of the search.
    const double fastS = median(
        o.repeat, [&] { result = fast(*in); }, [&] { result.reset(); });

    std::string referenceText = "skipped", ratioText = "skipped", identicalText = "skipped";
    if (reference && !o.noReference) {
        const auto t0 = Clock::now();
        auto expected = korvel::testing::referenceEvaluate(in->depthSplits, in->combos, *in->landSplit, in->rain, 100,
                                                           in->irrigation, in->s);
        const double referenceS = seconds(t0, Clock::now());
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.3f", referenceS);
        referenceText = buffer;
        std::snprintf(buffer, sizeof buffer, "%.0f", referenceS / fastS);
        ratioText = buffer;
        const std::string diff = korvel::testing::firstDifferenceWithProfits(*expected, *result, in->s);
        identicalText = diff.empty() ? "yes" : "no";
        if (!diff.empty())
            std::fprintf(stderr, "scenario %s differs: %s\n", name.c_str(), diff.c_str());
    }
    std::printf("scenario=%s fields=4 factor=%d crops=%zu allocations=%llu fast_s=%.6f reference_s=%s "
                "ratio=%s identical=%s peak_rss_mb=%.1f\n",
                name.c_str(), factor, static_cast<std::size_t>(in->crops.Count()), allocations, fastS,
                referenceText.c_str(), ratioText.c_str(), identicalText.c_str(), peakRssMb());
}

// Sets Cancel at the second message pump (the first comes before the search clears the flag) and
// measures how long the search takes to return.
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

void tiesScenario(const Options& o)
{
    auto in = std::make_unique<Inputs>();
    build(*in, 100);
    tieEverything(*in);
    std::shared_ptr<BestMix> list;
    const double t = median(
        o.repeat, [&] { list = fast(*in); }, [&] { list.reset(); });
    std::printf("scenario=TIES-L fields=4 factor=100 crops=%zu allocations=%llu time_s=%.6f reference_s=skipped "
                "ratio=skipped peak_rss_mb=%.1f\n",
                static_cast<std::size_t>(in->crops.Count()),
                static_cast<unsigned long long>(in->depthSplits.Count()) *
                    static_cast<unsigned long long>(in->combos.size()),
                t, peakRssMb());
    list.reset();

    CancelAtSecondPump observer(in->s);
    const auto t0 = Clock::now();
    auto stopped = fast(*in, &observer);
    const auto t1 = Clock::now();
    std::fprintf(stderr, "cancel: factor 100, nothing prunable: %s, %.1f ms from Cancel to return (%.1f ms in all)\n",
                 stopped == nullptr ? "cancelled" : "NOT cancelled",
                 observer.setAt.time_since_epoch().count() == 0 ? -1.0 : 1000.0 * seconds(observer.setAt, t1),
                 1000.0 * seconds(t0, t1));
}

// --- The whole run and the trends -------------------------------------------------------------------

// A progress window that only counts what it is told.
class CountingProgress : public EvaluationRun::Observer {
public:
    void pumpMessages() override { ++pumps; }
    void advance() override { ++advances; }
    void close() override { ++closes; }
    long long pumps = 0, advances = 0, closes = 0;
};

// The run button's inputs for the farm at an iteration factor; the crops' rows show the prices and maximum yields
// the crops were made with.
EvaluationRun::Inputs farmRun(std::int16_t factor)
{
    EvaluationRun::Inputs in;
    in.preset = kFourFields;
    in.acres = kAcres;
    in.volume = num::roundHalfEven(kAcres * kGrossInches);
    in.efficiencyPercent = kEfficiencyPercent;
    in.rain = kRain;
    in.factor = factor;
    for (const auto& c : sevenCrops(kRain))
        in.crops.push_back({c, c->price, c->maxYield});
    in.irrigation = std::make_shared<IrrigationCosts>(farmIrrigation());
    return in;
}

void wholeRunScenario(const Options& o)
{
    SessionState s;
    const EvaluationRun::Inputs in = farmRun(100);
    CountingProgress progress;
    std::shared_ptr<BestMix> bm;
    BestMix::Entries shown, printed;
    std::vector<double> each;
    const double t = median(
        o.repeat,
        [&] {
            const auto t0 = Clock::now();
            progress = CountingProgress();
            bm = EvaluationRun::run(in, s, progress).list;
            shown = bm->returnCollection(true, s);
            printed = bm->returnCollection(true, s);
            each.push_back(seconds(t0, Clock::now()));
        },
        [&] {
            bm.reset();
            shown.clear();
            printed.clear();
        });
    // time_s: the median run, on memory the process has used before (every run after the first);
    // first_s: the first run of the process.
    std::printf("scenario=RUN-L fields=4 factor=100 crops=%zu options=%zu time_s=%.6f first_s=%.6f "
                "reference_s=skipped ratio=skipped progress_steps=%lld pumps=%lld peak_rss_mb=%.1f\n",
                in.crops.size(), shown.size(), t, each.front(), progress.advances, progress.pumps, peakRssMb());
}

// Fixed trend on the best four-field option of a run at factor 10: the price of the crop of its first field over
// k values (rising, so that every option climbs the list) crossed with the irrigation costs over k values.
void fixedTrendScenario(const Options& o)
{
    SessionState s;
    const EvaluationRun::Inputs in = farmRun(10);
    CountingProgress quiet;
    std::shared_ptr<BestMix> bm = EvaluationRun::run(in, s, quiet).list;
    std::shared_ptr<FieldCollection> option;
    for (const auto& entry : bm->returnCollection(true, s))
        if (!option && entry->Count() == 4)
            option = entry;
    const std::string crop = option->Item(1)->theCrop->cropType;
    const auto k = static_cast<std::size_t>(o.trendF);
    FixedTrendProcess price{{crop, crop, {"$", "/ unit"}}, CropPriceVariable, {}};
    FixedTrendProcess irrigation{{crop, crop, {"$", "/ ac-in"}}, IrrigationCostsVariable, {}};
    for (std::size_t i = 0; i < k; ++i) {
        price.values.push_back(1.0 + 0.05 * static_cast<double>(i));
        irrigation.values.push_back(0.1 * static_cast<double>(i));
    }
    CountingProgress progress;
    // One run, as a user starts it: the options it keeps take memory the process has not used before. The
    // trend written out step by step works on a copy of the same option.
    const std::shared_ptr<FieldCollection> base = option->Copy();
    const auto t0 = Clock::now();
    const FixedTrendRun run = runFixedTrend(*option, {price, irrigation}, s, progress);
    const double t = seconds(t0, Clock::now());

    std::string referenceText = "skipped", ratioText = "skipped", identicalText = "skipped";
    if (o.referenceF) {
        SessionState literalState;
        literalState.IrrigationEfficiency = s.IrrigationEfficiency;
        const auto r0 = Clock::now();
        const korvel::testing::LiteralFixedTrend expected =
            korvel::testing::literalFixedTrend(*base, {price, irrigation}, literalState);
        const double referenceS = seconds(r0, Clock::now());
        BestMix expectedList;
        expectedList.SetBestArray(expected.list);
        std::string diff = korvel::testing::firstDifferenceWithProfits(expectedList, *run.list, s);
        for (std::size_t i = 0; diff.empty() && i < k; ++i)
            for (std::size_t j = 0; diff.empty() && j < k; ++j) {
                BestMix want, got;
                want.SetBestArray({expected.grid[i * k + j]});
                got.SetBestArray({s.TrendResultGrid.at(i, j)});
                diff = korvel::testing::firstDifference(want, got);
            }
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.3f", referenceS);
        referenceText = buffer;
        std::snprintf(buffer, sizeof buffer, "%.0f", referenceS / t);
        ratioText = buffer;
        identicalText = diff.empty() ? "yes" : "no";
        if (!diff.empty())
            std::fprintf(stderr, "scenario TREND-F differs: %s\n", diff.c_str());
    }
    std::printf("scenario=TREND-F processes=2 values=%zux%zu options=%d time_s=%.6f reference_s=%s ratio=%s "
                "identical=%s progress_steps=%lld peak_rss_mb=%.1f\n",
                k, k, run.list ? run.list->getSize() : 0, t, referenceText.c_str(), ratioText.c_str(),
                identicalText.c_str(), progress.advances, peakRssMb());
}

// Variable trend on the price of Corn: each step puts its value into the inputs and runs the whole evaluation,
// then keeps the step's list with duplicates removed.
void variableTrendScenario(const Options& o)
{
    SessionState s;
    EvaluationRun::Inputs in = farmRun(100);
    EvaluationRun::CropChoice& corn = in.crops.front();
    std::vector<std::shared_ptr<BestMix>> collection;
    CountingProgress progress;
    const auto t0 = Clock::now();
    for (int i = 0; i < o.trendV; ++i) {
        corn.price = 3.0 + 0.05 * i;
        const std::shared_ptr<BestMix> bm = EvaluationRun::run(in, s, progress).list;
        bm->returnCollection(true, s);
        collection.push_back(bm->Copy());
    }
    const double t = seconds(t0, Clock::now());
    std::printf("scenario=TREND-V fields=4 factor=100 crops=%zu steps=%d time_s=%.6f reference_s=skipped "
                "ratio=skipped peak_rss_mb=%.1f\n",
                in.crops.size(), o.trendV, t, peakRssMb());
}

// Runs one scenario in a child process, so that its peak memory is its own.
void inOwnProcess(const std::function<void()>& scenario)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0) {
        scenario();
        return;
    }
    if (child == 0) {
        scenario();
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "a scenario ended abnormally\n");
}

} // namespace

int main(int argc, char** argv)
{
    korvel::ui::keepFreedMemoryForReuse(); // the memory policy the program starts with
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--reference-l")
            o.referenceL = true;
        else if (arg == "--reference-f")
            o.referenceF = true;
        else if (arg == "--no-reference")
            o.noReference = true;
        else if (arg.rfind("--only=", 0) == 0)
            o.only = arg.substr(7);
        else if (arg.rfind("--repeat=", 0) == 0)
            o.repeat = std::max(1, std::atoi(arg.c_str() + 9));
        else if (arg.rfind("--trend-f=", 0) == 0)
            o.trendF = std::max(1, std::atoi(arg.c_str() + 10));
        else if (arg.rfind("--trend-v=", 0) == 0)
            o.trendV = std::max(1, std::atoi(arg.c_str() + 10));
        else {
            std::fprintf(stderr,
                         "usage: %s [--reference-l] [--reference-f] [--no-reference] "
                         "[--only=D|M|L|RUN-L|TREND-F|TREND-V|TIES-L] [--repeat=N] [--trend-f=K] [--trend-v=M]\n",
                         argv[0]);
            return 2;
        }
    }

    const std::vector<std::pair<std::string, std::function<void()>>> scenarios = {
        {"D", [&] { searchScenario("D", 10, true, o); }},
        {"M", [&] { searchScenario("M", 30, true, o); }},
        {"L", [&] { searchScenario("L", 100, o.referenceL, o); }},
        {"RUN-L", [&] { wholeRunScenario(o); }},
        {"TREND-F", [&] { fixedTrendScenario(o); }},
        {"TREND-V", [&] { variableTrendScenario(o); }},
        {"TIES-L", [&] { tiesScenario(o); }},
    };
    for (const auto& [name, scenario] : scenarios)
        if (o.only.empty() || o.only == name || (o.only == "cancel" && name == "TIES-L"))
            inOwnProcess(scenario);
    return 0;
}
