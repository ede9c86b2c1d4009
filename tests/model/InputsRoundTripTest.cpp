// Every state a user can reach comes back from the inputs file as it was saved. Random states: the general
// boxes' texts as typed (digit grouping, blanks, quotes, stray text), the irrigation costs with typed fuel
// names, every crop's price, yield, costs, flags and stand life, custom crops with awkward names (named like a
// library crop, like a number, like the trend mark), numbers of every size, and the trend mark. Each is saved,
// loaded into a window with the same library whose values were scrambled, and compared value by value.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "FakeInputsWindow.h"
#include "RoundTripValues.h"
#include "TempFolder.h"
#include "model/InputsFile.h"
#include "model/Numbers.h"

using korvel::Crop;
using korvel::Variant;
using korvel::testing::cropDifferences;
using korvel::testing::FakeWindow;
using korvel::testing::same;
using korvel::testing::sameBoxText;
using korvel::testing::shown;
using korvel::testing::TempFolder;
namespace num = korvel::num;
namespace InputsFile = korvel::InputsFile;
using MainBox = korvel::InputsTarget::MainBox;
using IrrigationBox = korvel::InputsTarget::IrrigationBox;

namespace {

const std::vector<std::string> kLibrary = {"Corn",    "Grain Sorghum", "Wheat", "Sunflower",
                                           "Alfalfa", "Soybeans",      "Fallow"};
const MainBox kMainBoxes[] = {MainBox::txtArea, MainBox::txtMax, MainBox::txtEff, MainBox::txtAnnRain};

// The kinds of awkward values a state holds; the others stay ordinary (whole numbers and short decimals, fuels
// from the list, plain crop names).
struct Awkward {
    bool numbers = true; // any finite double: 17 digits, the largest, the tiniest, -0
    bool boxes = true;   // general box texts with grouping, blanks, quotes, stray text
    bool fuel = true;    // a typed fuel name
    bool names = true;   // custom crops named like a library crop, a number, the trend mark, or typed oddly
    bool held = true;    // a harvest or forage value kept as a text from an older file
};

// Random reachable states, from one seed.
class StateMaker {
public:
    explicit StateMaker(std::uint64_t seed) : rng_(seed) {}

    Awkward drawAwkward() { return {chance(0.5), chance(0.5), chance(0.5), chance(0.5), chance(0.5)}; }

    // A window holding a random state, with the library crops and `customNames` after them.
    void fill(FakeWindow& w, const std::vector<std::string>& customNames, const Awkward& awkward = {})
    {
        awkward_ = awkward;
        for (const MainBox b : kMainBoxes)
            w.main[b] = boxText();
        w.preset = below(6);
        korvel::IrrigationCosts& ic = w.irrigation;
        for (double* v : {&ic.GPM, &ic.Lift, &ic.PSI, &ic.LaborPerHour, &ic.FixedPerAcre, &ic.RepairsPerAcreInch,
                          &ic.NPC, &ic.cost, &ic.dblEstHours})
            *v = number();
        ic.active = chance(0.5);
        ic.FuelType =
            !awkward_.fuel || chance(0.3) ? pick({"Natural Gas", "Diesel", "Electricity", "LP Gas", ""}) : typed();
        for (const std::string& name : kLibrary)
            fillCrop(*w.addCrop(name));
        for (const std::string& name : customNames)
            fillCrop(*w.addCrop(name));
        w.batch = chance(0.5);
    }

    // Names a user gives custom crops (the editor refuses an empty name; a line edit holds no line break).
    std::vector<std::string> customNames(const Awkward& awkward)
    {
        std::vector<std::string> names;
        for (int n = below(5); n > 0; --n) {
            std::string name;
            switch (awkward.names ? below(4) : 4) {
            case 0: name = pick({"Corn", "Fallow", "Wheat"}); break; // named like a library crop
            case 1: name = pick({"007", "1.50", "1,500", "12", "-3", "1e5", "True", "batch_enabled"}); break;
            case 2:
            case 3: name = typed(); break;
            default: name = std::string("Barley ") + char('A' + names.size()); break; // a plain name of its own
            }
            names.push_back(name.empty() ? "Barley" : name);
        }
        return names;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    std::string pick(std::initializer_list<const char*> list) { return *(list.begin() + below(int(list.size()))); }

    // A number as a user gets it into a box (typed in any spelling, up to the largest double) or as the program
    // works it out (an optimal seeding rate, a trend step).
    double number()
    {
        switch (awkward_.numbers ? below(6) : below(2)) {
        case 0: return below(5001);
        case 1: return below(1000000) / std::pow(10.0, below(5));
        case 2: return std::uniform_real_distribution<double>(-1e4, 1e4)(rng_);
        case 3: {
            const double special[] = {std::numeric_limits<double>::max(),
                                      -std::numeric_limits<double>::max(),
                                      std::numeric_limits<double>::min(),
                                      std::numeric_limits<double>::denorm_min(),
                                      1e-310,
                                      -0.0,
                                      0.0,
                                      1e16,
                                      1e22,
                                      9007199254740993.0,
                                      0.1 + 0.2,
                                      1.0 / 3.0,
                                      123456789012345678.0,
                                      1e-5,
                                      6.525};
            return special[below(int(std::size(special)))];
        }
        case 4: {
            for (;;) {
                const std::uint64_t bits = rng_();
                double x;
                std::memcpy(&x, &bits, sizeof x);
                if (std::isfinite(x))
                    return x;
            }
        }
        default: return num::leadingNumberOrZero(boxText());
        }
    }

    // Text as typed: pieces that trouble a one-value-per-line file, and random characters.
    std::string typed()
    {
        static const char* const pieces[] = {"Gas, LP", "Natural Gas", " ",           "\t",   ",",     "\"",
                                             "\"\"",    "'",           "007",         "1.50", "1,500", "batch_enabled",
                                             "True",    "false",       "Corn",        "e",    "E5",    "-",
                                             ".",       "1e999",       "Ma\xc3\xafs", "x",    "12",    "0",
                                             "  lead",  "trail  "};
        static const char alphabet[] = " \t,\".-+eE0123456789abcXYZ'";
        std::string text;
        for (int n = below(4); n >= 0; --n) {
            if (chance(0.6)) {
                text += pieces[below(int(std::size(pieces)))];
            } else {
                for (int k = below(4); k >= 0; --k)
                    text += alphabet[below(int(sizeof alphabet) - 1)];
            }
        }
        return chance(0.1) ? std::string() : text;
    }

    // What a user types into a general box: a number in some spelling, with grouping, or anything else.
    std::string boxText()
    {
        switch (awkward_.boxes ? below(4) : 2 * below(2)) {
        case 0: return num::plainText(below(1000000) / 100.0);
        case 1:
            return pick({"1,500",
                         "1,234,567.25",
                         " 160",
                         "160 ",
                         "85.50",
                         "+5",
                         "-0",
                         ".5",
                         "5.",
                         "1e3",
                         "1E+03",
                         "0160",
                         "12.345678901234567891",
                         "1.7976931348623157e308",
                         "1e999",
                         "",
                         "  ",
                         "1,,2",
                         "12,",
                         ",12",
                         "12\"",
                         "\"12\"",
                         "16\t"});
        case 2: return std::to_string(below(100000));
        default: return typed();
        }
    }

    // A harvest or forage value: empty until the costs are applied, then a number; a text only when an older
    // file held one there.
    Variant heldValue()
    {
        const int k = below(10);
        if (k < 3)
            return Variant();
        if (k < 9 || !awkward_.held)
            return Variant(number());
        return Variant(typed());
    }

    void fillCrop(Crop& c)
    {
        c.price = number();
        c.maxYield = number();
        korvel::inputCosts& ic = c.inputCosts;
        for (double* v : {&ic.NitrogenCost, &ic.NitrogenApplied, &ic.PCost, &ic.PApplied, &ic.SeedCost, &ic.SeedRate,
                          &ic.Herbicide, &ic.Insecticide, &ic.Tillage, &ic.Planting, &ic.HerbicideApplication,
                          &ic.InsecticideApplication, &ic.Returns, &ic.MiscCost, &ic.FertilizerApplication})
            *v = number();
        for (bool* b : {&ic.NOptimal, &ic.POptimal, &ic.SeedOptimal})
            *b = chance(0.5);
        for (Variant* v : {&ic.HarvestBasePerAcre, &ic.HarvestExceedBu, &ic.HarvestExceedRate, &ic.HarvestHauling,
                           &ic.HarvestFlatRate, &ic.AlfalfaSwathing, &ic.AlfalfaSwathingNum, &ic.AlfalfaRaking,
                           &ic.AlfalfaRakingNum, &ic.AlfalfaBaling, &ic.AlfalfaBalingNum, &ic.AlfalfaPerTon})
            *v = heldValue();
        ic.AlfalfaStand = chance(0.7) ? Variant(below(41)) : heldValue(); // the life of a forage stand, in years
    }

    std::mt19937_64 rng_;
    Awkward awkward_;
};

// Every value of `saved` that `loaded` does not hold, one line each.
std::vector<std::string> differences(const FakeWindow& saved, const FakeWindow& loaded)
{
    std::vector<std::string> out;
    auto check = [&](bool ok, const std::string& what) {
        if (!ok)
            out.push_back(what);
    };
    for (const MainBox b : kMainBoxes)
        check(sameBoxText(saved.mainText(b), loaded.mainText(b)), std::string(FakeWindow::name(b)) + " " +
                                                                      shown(saved.mainText(b)) + " came back as " +
                                                                      shown(loaded.mainText(b)));
    check(saved.preset == loaded.preset, "preset");
    for (const std::string& d : korvel::testing::irrigationDifferences(saved.irrigation, loaded.irrigation))
        out.push_back(d);
    const korvel::IrrigationCosts& a = saved.irrigation;
    const struct {
        IrrigationBox box;
        double value;
    } boxes[] = {{IrrigationBox::txtGPM, a.GPM},
                 {IrrigationBox::txtEstHours, a.dblEstHours},
                 {IrrigationBox::txtLift, a.Lift},
                 {IrrigationBox::txtPSI, a.PSI},
                 {IrrigationBox::txtCost, a.cost},
                 {IrrigationBox::txtLaborPerHour, a.LaborPerHour},
                 {IrrigationBox::txtRepairsPerAcre, a.RepairsPerAcreInch}};
    for (const auto& x : boxes) {
        const auto it = loaded.irrigationBoxes.find(x.box);
        const std::string text = it == loaded.irrigationBoxes.end() ? std::string("(not set)") : it->second;
        check(same(num::parseNumeric(text), x.value),
              std::string(FakeWindow::name(x.box)) + " shows " + shown(text) + " for " + shown(x.value));
    }
    const auto fuel = loaded.irrigationBoxes.find(IrrigationBox::cboFuelType);
    check(fuel != loaded.irrigationBoxes.end() && fuel->second == a.FuelType, "cboFuelType");

    for (std::size_t i = 0; i < saved.rows.size() && i < loaded.rows.size(); ++i) {
        for (const std::string& d : cropDifferences(*saved.rows[i], *loaded.rows[i]))
            out.push_back("row " + std::to_string(i) + " " + d);
    }
    check(saved.batch == loaded.batch, "batch_enabled");
    return out;
}

// A window with the library of `saved` (new Crop objects of the same names) in which every value differs from the
// saved one, so that a value the load does not set shows.
FakeWindow scrambled(const FakeWindow& saved)
{
    FakeWindow w;
    for (const MainBox b : kMainBoxes)
        w.main[b] = "scrambled";
    w.preset = (saved.preset + 1) % 6;
    korvel::IrrigationCosts& ic = w.irrigation;
    for (double* v : {&ic.GPM, &ic.Lift, &ic.PSI, &ic.LaborPerHour, &ic.FixedPerAcre, &ic.RepairsPerAcreInch, &ic.NPC,
                      &ic.cost, &ic.dblEstHours})
        *v = 4242.25;
    ic.active = !saved.irrigation.active;
    ic.FuelType = "scrambled";
    for (const std::shared_ptr<Crop>& savedCrop : saved.rows) {
        Crop& c = *w.addCrop(savedCrop->cropType);
        c.price = c.maxYield = 4242.25;
        korvel::inputCosts& p = c.inputCosts;
        const korvel::inputCosts& q = savedCrop->inputCosts;
        for (double* v : {&p.NitrogenCost, &p.NitrogenApplied, &p.PCost, &p.PApplied, &p.SeedCost, &p.SeedRate,
                          &p.Herbicide, &p.Insecticide, &p.Tillage, &p.Planting, &p.HerbicideApplication,
                          &p.InsecticideApplication, &p.Returns, &p.MiscCost, &p.FertilizerApplication})
            *v = 4242.25;
        p.NOptimal = !q.NOptimal;
        p.POptimal = !q.POptimal;
        p.SeedOptimal = !q.SeedOptimal;
        for (korvel::Variant* v :
             {&p.HarvestBasePerAcre, &p.HarvestExceedBu, &p.HarvestExceedRate, &p.HarvestHauling, &p.HarvestFlatRate,
              &p.AlfalfaSwathing, &p.AlfalfaSwathingNum, &p.AlfalfaRaking, &p.AlfalfaRakingNum, &p.AlfalfaBaling,
              &p.AlfalfaBalingNum, &p.AlfalfaPerTon, &p.AlfalfaStand})
            *v = Variant("scrambled");
    }
    w.batch = false; // loading switches the mark on, never off
    return w;
}

} // namespace

TEST(InputsFileRoundTrip, EveryReachableStateComesBackAsSaved)
{
    const int states = 3000;
    StateMaker maker(20240611);
    TempFolder dir;
    int failed = 0;
    int loadsFailed = 0;
    std::vector<std::string> firstFailures;
    for (int state = 0; state < states; ++state) {
        const Awkward awkward = maker.drawAwkward();
        FakeWindow saved;
        maker.fill(saved, maker.customNames(awkward), awkward);
        FakeWindow loaded = scrambled(saved);
        std::vector<std::string> diff;
        if (!InputsFile::saveInputs(dir.path(), saved)) {
            diff.push_back("the save failed");
        } else if (!InputsFile::loadInputs(dir.path(), loaded)) {
            diff.push_back("the load failed");
            ++loadsFailed;
        }
        for (const std::string& d : differences(saved, loaded))
            diff.push_back(d);
        if (loaded.refreshes != 1)
            diff.push_back("the crop rows were not refreshed");
        if (diff.empty()) {
            // What was loaded survives the next save and load as well.
            FakeWindow again = scrambled(saved);
            if (!InputsFile::saveInputs(dir.path(), loaded) || !InputsFile::loadInputs(dir.path(), again) ||
                !differences(loaded, again).empty())
                diff.push_back("the state did not survive a second round");
        }
        if (!diff.empty()) {
            ++failed;
            if (firstFailures.size() < 8)
                firstFailures.push_back("state " + std::to_string(state) + ": " + diff.front() + " (" +
                                        std::to_string(diff.size()) + " values)");
        }
    }
    std::cout << "inputs file round trip: " << states << " states, " << failed << " lost data, " << loadsFailed
              << " loads failed\n";
    std::string report;
    for (const std::string& f : firstFailures)
        report += f + "\n";
    EXPECT_EQ(failed, 0) << report;
}
