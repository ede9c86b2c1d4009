#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "model/Errors.h"
#include "model/MakingSplits.h"
#include "model/Numbers.h"
#include "model/SessionState.h"
#include "model/Split.h"
#include "model/SplitCollection.h"
#include "model/Stack.h"

using namespace korvel;
namespace ms = korvel::MakingSplits;

namespace {

Split splitOf(const std::vector<double>& parts)
{
    Split s;
    for (double p : parts)
        s.addSplit(p);
    return s;
}

std::vector<std::vector<double>> partsOf(const SplitCollection& c)
{
    std::vector<std::vector<double>> out;
    for (const auto& s : c)
        out.push_back(s->splits);
    return out;
}

// The water splits of a run with `fields` fields at the given factor, in percent.
std::vector<std::vector<double>> percentSplits(int factor, int fields)
{
    SessionState s;
    s.SplitFactor = static_cast<std::int16_t>(factor);
    s.LandSplit = std::make_shared<Split>(splitOf(std::vector<double>(static_cast<std::size_t>(fields), 1.0)));
    return partsOf(ms::makeWaterSplits(s, fields, 100.0));
}

} // namespace

TEST(Split, TotalRoundsEachPartHalvesToEven)
{
    EXPECT_EQ(splitOf({12.5, 37.5, 62.5, 87.5}).total(), 200);
    EXPECT_EQ(splitOf({87.5, 12.5, 0}).total(), 100);
    EXPECT_EQ(splitOf({12.5, 12.5, 75}).total(), 99);
    EXPECT_EQ(Split().total(), 0);
    Split s = splitOf({12.5});
    s.total();
    EXPECT_EQ(s.splits[0], 12.5);
}

TEST(Split, ItemIsOneBasedAndCopyIsDeep)
{
    Split s = splitOf({1, 2});
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Item(1), 1);
    EXPECT_EQ(s.Item(2), 2);
    EXPECT_THROW(s.Item(0), IndexError);
    EXPECT_THROW(s.Item(3), IndexError);
    auto c = s.Copy();
    s.splits[0] = 99;
    s.addSplit(3);
    EXPECT_EQ(c->splits, (std::vector<double>{1, 2}));
}

TEST(SplitCollection, AddFillsTheCallersObjectAndKeepsItsParts)
{
    SplitCollection col;
    auto s = std::make_shared<Split>(splitOf({90, 10}));
    col.Add(s, 3);
    EXPECT_EQ(s->splits, (std::vector<double>{90, 10, 0}));
    EXPECT_EQ(col.Item(1)->splits, s->splits);
    EXPECT_THROW(col.Item(2), IndexError);
    // Splits of different lengths side by side; a longer split is not cut, and copies read the same.
    col.Add(std::make_shared<Split>(splitOf({1, 2, 3, 4})), 2);
    for (int i = 0; i < 1000; ++i)
        col.Add(std::make_shared<Split>(splitOf({double(i)})), 2);
    const SplitCollection copy = col;
    EXPECT_EQ(copy.Item(1)->splits, (std::vector<double>{90, 10, 0}));
    EXPECT_EQ(copy.Item(2)->splits, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(copy.Item(1002)->splits, (std::vector<double>{999, 0}));
    EXPECT_EQ(col.Item(2)->Item(4), 4);
    EXPECT_THROW(col.Item(2)->Item(5), IndexError);
    EXPECT_EQ(col.Item(3)->Copy()->splits, (std::vector<double>{0, 0}));
    Split longer = splitOf({1, 2, 3});
    EXPECT_EQ(&SplitCollection::fillSplits(longer, 2), &longer);
    EXPECT_EQ(longer.Count(), 3);
}

TEST(Stack, HoldsCopiesOnly)
{
    Stack st;
    Split s = splitOf({10});
    st.Push(s);
    s.splits[0] = 20;
    EXPECT_EQ(st.Top().splits[0], 10);
    Split a = st.Top();
    a.splits[0] = 30;
    EXPECT_EQ(st.Top().splits[0], 10);
    EXPECT_EQ(st.Count(), 1);
    EXPECT_EQ(st.Pop().splits[0], 10);
    EXPECT_EQ(st.Count(), 0);
    EXPECT_THROW(st.Top(), IndexError);
    EXPECT_THROW(st.Pop(), IndexError);
}

TEST(LandSplit, PresetsAndScaling)
{
    const struct {
        int index;
        const char* caption;
        std::vector<double> parts;
    } presets[] = {
        {0, "50 - 50", {50, 50}},
        {1, "75 - 25", {75, 25}},
        {2, "33 - 33 - 33", {33, 33, 33}},
        {3, "50 - 25 - 25", {50, 25, 25}},
        {4, "25 - 25 - 25 - 25", {25, 25, 25, 25}},
        {5, "100 ", {100}},
    };
    for (const auto& p : presets) {
        SessionState s;
        auto split = ms::makeLandSplit(s, p.index);
        EXPECT_EQ(split, s.LandSplit);
        EXPECT_EQ(split->splits, p.parts) << p.index;
        EXPECT_EQ(ms::landSplitPresets()[static_cast<std::size_t>(p.index)].caption, p.caption);
    }
    SessionState s;
    auto before = s.LandSplit;
    EXPECT_EQ(ms::makeLandSplit(s, -1)->Count(), 0);
    EXPECT_NE(s.LandSplit, before);
    EXPECT_THROW(ms::makeLandSplit(s, 6), InvalidArgument);

    auto acres = ms::scaleLandSplit(*ms::makeLandSplit(s, 2), 300);
    EXPECT_EQ(acres->splits, (std::vector<double>{99, 99, 99}));
}

TEST(WaterSplits, CountsForEachFactorAndFieldCount)
{
    const struct {
        int factor;
        int counts[4];
    } table[] = {
        {3, {1, 4, 9, 16}}, {6, {0, 5, 21, 60}}, {8, {1, 9, 33, 101}}, {10, {1, 11, 66, 286}}, {20, {1, 21, 231, 1771}},
    };
    for (const auto& row : table)
        for (int fields = 1; fields <= 4; ++fields)
            EXPECT_EQ(percentSplits(row.factor, fields).size(), static_cast<std::size_t>(row.counts[fields - 1]))
                << "factor " << row.factor << ", " << fields << " fields";
}

// Every list of share values whose rounded total is 100, each once, in descending lexicographic order.
TEST(WaterSplits, AreEverySplitOfOneHundredInDescendingOrder)
{
    for (int factor : {3, 6, 8, 10, 20}) {
        std::vector<double> shares;
        for (double v = 0; v <= 100; v += 100.0 / factor)
            shares.push_back(v);
        for (int fields = 1; fields <= 4; ++fields) {
            std::vector<std::vector<double>> expected;
            std::vector<double> current;
            std::function<void()> build = [&] {
                if (static_cast<int>(current.size()) == fields) {
                    if (splitOf(current).total() == 100) {
                        // Scaled to 100 acre-inches the way the run scales every split.
                        std::vector<double> scaled;
                        scaled.reserve(current.size());
                        for (double v : current)
                            scaled.push_back(100.0 * (v / 100));
                        expected.push_back(scaled);
                    }
                    return;
                }
                for (double v : shares) {
                    current.push_back(v);
                    build();
                    current.pop_back();
                }
            };
            build();
            std::sort(expected.begin(), expected.end(), std::greater<>());
            EXPECT_EQ(percentSplits(factor, fields), expected) << "factor " << factor << ", " << fields << " fields";
        }
    }
}

TEST(WaterSplits, OrderAndEdgeCases)
{
    auto three = percentSplits(10, 3);
    ASSERT_EQ(three.size(), 66u);
    const std::vector<std::vector<double>> firstSix = {{100, 0, 0}, {90, 10, 0},  {90, 0, 10},
                                                       {80, 20, 0}, {80, 10, 10}, {80, 0, 20}};
    EXPECT_EQ(std::vector<std::vector<double>>(three.begin(), three.begin() + 6), firstSix);
    EXPECT_EQ(three.back(), (std::vector<double>{0, 0, 100}));

    EXPECT_EQ(percentSplits(10, 1), (std::vector<std::vector<double>>{{100}}));
    EXPECT_TRUE(percentSplits(6, 1).empty());
    auto two = percentSplits(10, 2);
    ASSERT_EQ(two.size(), 11u);
    EXPECT_EQ(two.front(), (std::vector<double>{100, 0}));
    EXPECT_EQ(two.back(), (std::vector<double>{0, 100}));

    // The parts keep their summed values; only the test rounds them.
    const double step = 100.0 / 3;
    EXPECT_EQ(percentSplits(3, 2),
              (std::vector<std::vector<double>>{{100, 0}, {step + step, step}, {step, step + step}, {0, 100}}));
    // [87.5, 12.5] reaches 100 and is taken; [12.5, 12.5, 75] totals 99 and is not.
    auto eight = percentSplits(8, 3);
    EXPECT_NE(std::find(eight.begin(), eight.end(), std::vector<double>{87.5, 12.5, 0}), eight.end());
    EXPECT_EQ(std::find(eight.begin(), eight.end(), std::vector<double>{12.5, 12.5, 75}), eight.end());
}

TEST(WaterSplits, ScaledToAcreInchesAndFilledToTheLandSplit)
{
    SessionState s;
    s.SplitFactor = 10;
    ms::makeLandSplit(s, 3);
    s.LandSplit = ms::scaleLandSplit(*s.LandSplit, 100);
    auto water = ms::makeWaterSplits(s, 3, 1020);
    ASSERT_EQ(water.Count(), 66);
    EXPECT_EQ(water.Item(2)->splits, (std::vector<double>{918, 102, 0}));
    auto depth = ms::makeDepthSplits(water, *s.LandSplit);
    ASSERT_EQ(depth.Count(), 66);
    const std::vector<double> d = depth.Item(2)->splits;
    ASSERT_EQ(d.size(), 3u);
    EXPECT_DOUBLE_EQ(d[0], 18.36);
    EXPECT_DOUBLE_EQ(d[1], 4.08);
    EXPECT_EQ(d[2], 0);

    // Splits of fewer fields than the land split are filled with zeros.
    auto two = ms::makeWaterSplits(s, 2, 100);
    EXPECT_EQ(two.Item(1)->splits, (std::vector<double>{100, 0, 0}));
}

TEST(WaterSplits, RefuseWhatTheyCannotEnumerate)
{
    SessionState s;
    s.SplitFactor = 0;
    EXPECT_THROW(ms::makeWaterSplits(s, 2, 100), InvalidArgument);
    s.SplitFactor = 10;
    EXPECT_THROW(ms::makeWaterSplits(s, 0, 100), InvalidArgument);

    SplitCollection water;
    water.Add(std::make_shared<Split>(splitOf({50, 50})), 2);
    EXPECT_THROW(ms::makeDepthSplits(water, splitOf({10, 0})), NonFiniteResult);
    EXPECT_THROW(ms::makeDepthSplits(water, splitOf({10})), IndexError);
}
