#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "LiteralRankedList.h"
#include "RankedListCompare.h"
#include "model/BestMix.h"
#include "model/Errors.h"

using namespace korvel;

namespace {

struct FieldSpec {
    std::string crop;
    double acres, depth, yield;
};

// An allocation whose profit is `profit` (carried by the other returns, so yields and depths do not change it),
// tagged through its first trend description so that a test can tell copies of it apart from others.
FieldCollection option(double profit, const std::string& tag, std::vector<FieldSpec> fields = {{"Corn", 1, 0, 0}})
{
    FieldCollection fc;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto f = std::make_shared<Field>();
        f->acres = fields[i].acres;
        f->Depth = fields[i].depth;
        f->theCrop->cropType = fields[i].crop;
        f->theCrop->cropUnitsArray = {"bu.", "bu."};
        f->theCrop->Yield = fields[i].yield;
        if (i == 0)
            f->theCrop->inputCosts.Returns = profit / fields[i].acres;
        fc.Add(f);
    }
    fc.AddBatchDescription(tag, 0, {"", ""});
    return fc;
}

std::string tagOf(const FieldCollection& fc)
{
    return fc.isNew ? "-" : fc.theVariable.at(0);
}

std::vector<std::string> tags(const BestMix::Entries& entries)
{
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(tagOf(*e));
    return out;
}

} // namespace

class Ranking : public ::testing::Test {
protected:
    SessionState s;
    BestMix bm;
    void SetUp() override { s.IrrigationEfficiency = 0.9; }
    void submit(double profit, const std::string& tag)
    {
        FieldCollection fc = option(profit, tag);
        bm.submit(fc, s);
    }
};

TEST_F(Ranking, SizingAndPlaceholders)
{
    EXPECT_EQ(bm.getSize(), 0);
    EXPECT_THROW(submit(1, "a"), IndexError);
    EXPECT_THROW(bm.setSize(0), InvalidArgument);
    bm.setSize(3);
    EXPECT_EQ(bm.getSize(), 3);
    auto list = bm.returnCollection(true, s);
    ASSERT_EQ(list.size(), 3u);
    for (const auto& e : list) {
        EXPECT_TRUE(e->isNew);
        EXPECT_EQ(e->Count(), 0);
    }
    EXPECT_EQ(bm.entries(), list);
}

TEST_F(Ranking, NewerWinsTiesAndTheLowestDropsOut)
{
    bm.setSize(3);
    submit(5, "5");
    submit(8, "8 first");
    submit(8, "8 second");
    submit(3, "3");
    EXPECT_EQ(tags(bm.entries()), (std::vector<std::string>{"8 second", "8 first", "5"}));
    submit(5, "5 again"); // equal to the lowest of a full list: replaces it
    EXPECT_EQ(tags(bm.entries()), (std::vector<std::string>{"8 second", "8 first", "5 again"}));
    submit(-1, "negative");
    EXPECT_EQ(tags(bm.entries()).back(), "5 again");

    BestMix two;
    two.setSize(2);
    FieldCollection loss = option(-5, "loss");
    two.submit(loss, s);
    EXPECT_EQ(tags(two.entries()), (std::vector<std::string>{"loss", "-"})); // placeholders always lose
}

TEST_F(Ranking, KeepsTheTopNNewestFirstOnTies)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        const int n = 1 + round % 6;
        BestMix list;
        list.setSize(n);
        std::vector<std::pair<int, int>> submitted; // profit, order
        for (int k = 0; k < 40; ++k) {
            int profit = static_cast<int>(rng() % 9) - 3;
            submitted.push_back({profit, k});
            FieldCollection fc = option(profit, std::to_string(k));
            list.submit(fc, s);
        }
        std::stable_sort(submitted.begin(), submitted.end(),
                         [](auto& a, auto& b) { return a.first != b.first ? a.first > b.first : a.second > b.second; });
        std::vector<std::string> expected;
        expected.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            expected.push_back(std::to_string(submitted[static_cast<std::size_t>(i)].second));
        EXPECT_EQ(tags(list.entries()), expected) << "round " << round;
    }
}

TEST_F(Ranking, EntriesAreCopiesAndTheCallerIsComputed)
{
    bm.setSize(2);
    FieldCollection fc = option(4, "a");
    fc.Item(1)->theCrop->inputCosts.Herbicide = 1;
    bm.submit(fc, s);
    EXPECT_EQ(fc.Item(1)->TotalReturn, 4);    // its profit was asked of it, even against placeholders
    EXPECT_EQ(bm.entries()[0]->TotalCost, 1); // and the entry is a copy with the costs computed
    EXPECT_NE(bm.entries()[0]->Item(1), fc.Item(1));
    fc.Item(1)->theCrop->cropType = "Wheat";
    EXPECT_EQ(bm.entries()[0]->Item(1)->theCrop->cropType, "Corn");

    // Submitting an allocation that must stay untouched leaves its caches empty.
    const FieldCollection untouched = option(6, "b");
    bm.submit(untouched, s);
    EXPECT_EQ(tagOf(*bm.entries()[0]), "b");
    EXPECT_EQ(untouched.Item(1)->TotalReturn, 0);
}

TEST_F(Ranking, ReturnCollectionDropsDuplicatesPlaceholdersLast)
{
    bm.setSize(5);
    const FieldSpec cornA{"Corn", 50, 10, 100}, wheatA{"Wheat", 50, 5, 60};
    FieldCollection x = option(100, "corn+wheat", {cornA, wheatA});
    FieldCollection y = option(100, "wheat+corn", {wheatA, cornA});
    FieldCollection other = option(100, "corn+wheat 6in", {cornA, {"Wheat", 50, 6, 60}});
    FieldCollection low = option(50, "low");
    bm.submit(low, s);
    bm.submit(other, s);
    bm.submit(x, s);
    bm.submit(y, s);
    EXPECT_EQ(tags(bm.entries()), (std::vector<std::string>{"wheat+corn", "corn+wheat", "corn+wheat 6in", "low", "-"}));

    auto all = bm.returnCollection(false, s);
    EXPECT_EQ(tags(all), (std::vector<std::string>{"wheat+corn", "corn+wheat", "corn+wheat 6in", "low", "-"}));
    auto list = bm.returnCollection(true, s);
    EXPECT_EQ(tags(list), (std::vector<std::string>{"wheat+corn", "corn+wheat 6in", "low", "-", "-"}));
    EXPECT_EQ(bm.entries(), list);
    auto again = bm.returnCollection(true, s);
    EXPECT_EQ(tags(again), tags(list));
    EXPECT_NE(again[0], list[0]); // each call hands out fresh copies
}

TEST_F(Ranking, DuplicateTest)
{
    const struct {
        const char* what;
        double profitA, profitB;
        std::vector<FieldSpec> a, b;
        bool same;
    } cases[] = {
        {"same fields", 10, 10, {{"Corn", 50, 10, 100}}, {{"Corn", 50, 10, 100}}, true},
        {"depth equal to two decimals", 10, 10, {{"Corn", 50, 10.001, 100}}, {{"Corn", 50, 10.004, 100}}, true},
        {"yield equal to whole units", 10, 10, {{"Corn", 50, 10, 100.2}}, {{"Corn", 50, 10, 99.8}}, true},
        {"depth differs", 10, 10, {{"Corn", 50, 10.01, 100}}, {{"Corn", 50, 10, 100}}, false},
        {"yield differs", 10, 10, {{"Corn", 50, 10, 100.6}}, {{"Corn", 50, 10, 100.4}}, false},
        // Yields rounded to whole units: halves go to the even neighbour.
        {"yield of a half below", 10, 10, {{"Corn", 50, 10, 100.5}}, {{"Corn", 50, 10, 100.4}}, true},
        {"yield of a half above", 10, 10, {{"Corn", 50, 10, 101.5}}, {{"Corn", 50, 10, 101.6}}, true},
        {"yields of halves apart", 10, 10, {{"Corn", 50, 10, 100.5}}, {{"Corn", 50, 10, 101.5}}, false},
        {"acres differ", 10, 10, {{"Corn", 50, 10, 100}}, {{"Corn", 50.0000001, 10, 100}}, false},
        {"crop case differs", 10, 10, {{"Corn", 50, 10, 100}}, {{"corn", 50, 10, 100}}, false},
        {"profit differs", 10, 11, {{"Corn", 50, 10, 100}}, {{"Corn", 50, 10, 100}}, false},
        {"field counts differ",
         10,
         10,
         {{"Corn", 100, 0, 0}},
         {{"Wheat", 33, 1, 1}, {"Wheat", 33, 2, 2}, {"Wheat", 33, 3, 3}},
         true},
    };
    for (const auto& c : cases) {
        FieldCollection a = option(c.profitA, "a", c.a), b = option(c.profitB, "b", c.b);
        EXPECT_EQ(BestMix::sameScenario(a, b, true, s), c.same) << c.what;
        EXPECT_FALSE(BestMix::sameScenario(a, b, false, s)) << c.what;
    }
    FieldCollection p1, p2;
    p1.isNew = p2.isNew = true;
    EXPECT_FALSE(BestMix::sameScenario(p1, p2, true, s));
}

TEST_F(Ranking, CopySharesTheEntries)
{
    bm.setSize(2);
    submit(3, "a");
    auto copy = bm.Copy();
    EXPECT_EQ(copy->getSize(), 2);
    EXPECT_EQ(copy->entries(), bm.entries());
    copy->entries()[0]->theVariable[0] = "changed";
    EXPECT_EQ(tags(bm.entries())[0], "changed");
    submit(9, "b");
    EXPECT_EQ(tags(bm.entries()), (std::vector<std::string>{"b", "changed"}));
    EXPECT_EQ(tags(copy->entries()), (std::vector<std::string>{"changed", "-"}));
}

namespace {

// One random offer, built the same way as often as asked: ties, zero costs (asked again at every comparison),
// profits that are not numbers or infinite, caches already filled, what a copy drops (isNothing, the flat
// forage charge), placeholder marks and computations that fail (a crop without units).
struct OfferSpec {
    std::uint64_t seed;
};

std::shared_ptr<FieldCollection> offer(const OfferSpec& spec)
{
    std::mt19937_64 rng(spec.seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<std::uint64_t>(n)); };
    auto fc = std::make_shared<FieldCollection>();
    const int fields = 1 + pick(3);
    for (int i = 0; i < fields; ++i) {
        auto f = std::make_shared<Field>();
        f->acres = 10.0 * (1 + pick(2));
        f->Depth = pick(3);
        // Copies share a crop's soil tables; so do the offers built from one seed.
        static const auto soils = std::make_shared<SoilCollection>();
        f->theCrop->soil_ulysses = f->theCrop->soil_valent = f->theCrop->soil_valentine = soils;
        f->theCrop->cropType = i == 0 ? "Corn" : "Wheat";
        f->theCrop->cropUnitsArray = {"bu.", "bu."};
        f->theCrop->Yield = pick(4) * 10;
        f->theCrop->inputCosts.Returns = pick(5) - 1;
        f->theCrop->inputCosts.Herbicide = pick(3) == 0 ? 0.0 : pick(3);
        if (pick(10) == 0)
            f->theCrop->inputCosts.AlfalfaFlat = 7;
        if (pick(8) == 0)
            f->TotalReturn = f->theCrop->inputCosts.Returns * f->acres;
        fc->Add(f);
    }
    const int oddity = pick(60);
    Crop& first = *fc->Item(1)->theCrop;
    if (oddity == 0)
        first.inputCosts.Returns = std::numeric_limits<double>::quiet_NaN();
    if (oddity == 1)
        first.inputCosts.Returns = std::numeric_limits<double>::infinity();
    if (oddity == 2)
        first.cropUnitsArray.clear(); // its costs cannot be computed
    if (oddity == 3)
        fc->isNew = true;
    if (oddity == 4)
        first.inputCosts.Herbicide = std::numeric_limits<double>::quiet_NaN();
    fc->isNothing = pick(6) == 0;
    fc->AddBatchDescription("offer " + std::to_string(spec.seed), 0, {"", ""});
    return fc;
}

BestMix wrap(const BestMix::Entries& entries)
{
    BestMix list;
    list.SetBestArray(entries);
    return list;
}

std::string differenceOf(const std::shared_ptr<FieldCollection>& expected,
                         const std::shared_ptr<FieldCollection>& actual)
{
    return korvel::testing::firstDifference(wrap({expected}), wrap({actual}));
}

} // namespace

// Random offers (by reference, untouched, handed over), reads, lists without duplicates and entries kept by a
// caller: the list, whether it ranks as offers come or when it is read, moves entries or copies them, ends every
// step as the insertion written down does, each entry, the offer and every kept entry field by field.
TEST_F(Ranking, MatchesTheLiteralInsertionStepByStep)
{
    using korvel::testing::firstDifference;
    std::mt19937_64 rng(20240611);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const int n = 1 + static_cast<int>(rng() % (round % 3 == 0 ? 3 : 14));
        const int readEvery = round % 4 == 0 ? 1000 : 12; // some rounds are read only at the end
        BestMix list;
        list.setSize(n);
        BestMix::Entries literal = korvel::testing::literalList(n);
        std::vector<std::pair<std::shared_ptr<FieldCollection>, std::shared_ptr<FieldCollection>>> kept;
        const int steps = 1 + static_cast<int>(rng() % 60);
        for (int step = 0; step < steps; ++step) {
            const int action = static_cast<int>(rng() % static_cast<std::uint64_t>(readEvery));
            if (action == 0) {
                ASSERT_EQ(firstDifference(wrap(literal), list), "") << "read at step " << step;
                continue;
            }
            if (action == 1) {
                const bool axe = rng() % 2 == 0;
                const auto expected = korvel::testing::literalReturnCollection(literal, axe, s);
                const auto actual = list.returnCollection(axe, s);
                ASSERT_EQ(firstDifference(wrap(expected), wrap(actual)), "") << "returned at step " << step;
                continue;
            }
            if (action == 2) {
                const std::size_t at = rng() % static_cast<std::size_t>(n);
                kept.emplace_back(literal[at], list.entries()[at]);
                continue;
            }
            const OfferSpec spec{rng()};
            const int way = static_cast<int>(rng() % 3);
            auto mine = offer(spec);
            auto theirs = offer(spec);
            bool mineFailed = false, theirsFailed = false;
            try {
                if (way == 0) {
                    korvel::testing::literalSubmit(literal, *theirs, s);
                } else {
                    auto probe = theirs->Copy();
                    korvel::testing::literalSubmit(literal, *probe, s);
                }
            } catch (const IndexError&) {
                theirsFailed = true;
            }
            try {
                if (way == 0)
                    list.submit(*mine, s);
                else if (way == 1)
                    list.submit(static_cast<const FieldCollection&>(*mine), s);
                else
                    list.submit(mine->Copy(), s);
            } catch (const IndexError&) {
                mineFailed = true;
            }
            ASSERT_EQ(mineFailed, theirsFailed) << "step " << step;
            ASSERT_EQ(differenceOf(theirs, mine), "") << "the offer after step " << step;
        }
        ASSERT_EQ(firstDifference(wrap(literal), list), "") << "at the end";
        for (const auto& [theirs, mine] : kept)
            ASSERT_EQ(differenceOf(theirs, mine), "") << "a kept entry";
    }
}

TEST(FieldCollectionCopy, ClearingWhatCopyDropsLeavesTheOptionAsItsCopy)
{
    SessionState s;
    s.IrrigationEfficiency = 0.8;
    for (std::uint64_t seed = 0; seed < 50; ++seed) {
        auto fc = offer({seed});
        try {
            fc->getProfit(s);
        } catch (const IndexError&) {
        }
        const auto copy = fc->Copy();
        fc->clearWhatCopyDrops();
        EXPECT_EQ(differenceOf(copy, fc), "") << seed;
    }
}
