#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "model/CStack.h"
#include "model/Crop.h"
#include "model/CropScenario.h"
#include "model/Errors.h"
#include "model/MakingCropCombos.h"

using namespace korvel;

namespace {

// Rows 0..24 (net inches), columns 0..20 (rainfall); columns below 5 hold 0 as below a file's first rainfall.
// Rows 10, 11 and 24 hold 150, 160 and 200.
YieldTable yieldsTable()
{
    YieldTable t(25, std::vector<double>(21, 0.0));
    for (std::size_t r = 0; r < 25; ++r) {
        double v = (r <= 11) ? 100 + 5 * static_cast<double>(r) : 160 + (static_cast<double>(r) - 11) * 40.0 / 13;
        if (r == 11)
            v = 160;
        for (std::size_t c = 5; c < 21; ++c)
            t[r][c] = v;
    }
    return t;
}

std::shared_ptr<Crop> namedCrop(const std::string& name)
{
    auto c = std::make_shared<Crop>();
    c->cropType = name;
    c->cropUnitsArray = {"bu.", "bu."};
    return c;
}

std::vector<std::string> names(const CropScenario& s)
{
    std::vector<std::string> out;
    for (const auto& c : s)
        out.push_back(c->cropType);
    return out;
}

} // namespace

TEST(CropYield, YieldTableIsInterpolatedAndNormalised)
{
    Crop corn = *namedCrop("Corn");
    corn.maxYield = 220;
    corn.setYieldTable(yieldsTable());
    corn.setNormal(220, 15);
    EXPECT_DOUBLE_EQ(corn.normalFactor, 1.1);

    const struct {
        double depth, rain, yield;
    } cases[] = {
        {10.5, 15, 155 * 1.1},
        {30, 15, 200 * 1.1}, // above the last row: the last row only
        {24, 15, 200 * 1.1},
        {10, 2, 0}, // a rainfall below the file's first: a column of zeros
        {10.04, 15.4, 150 * 1.1 + 0.04 * 10 * 1.1},
    };
    for (const auto& c : cases) {
        corn.setYield(c.depth, c.rain);
        EXPECT_NEAR(corn.Yield, c.yield, 1e-9) << c.depth << " " << c.rain;
    }
    corn.setYield(10.5, 15);
    EXPECT_DOUBLE_EQ(corn.Yield, 170.5);
}

TEST(CropYield, FractionTablesScaleTheMaximumYield)
{
    Crop c = *namedCrop("Wheat");
    YieldTable t(12, std::vector<double>(3, 0.5));
    t[10] = {0.7, 0.7, 0.7};
    t[11] = {0.8, 0.8, 0.8};
    t[6] = {0.6, 0.6, 0.6};
    t[7] = {1.0, 1.0, 1.0};
    c.setYieldTable(t);
    c.maxYield = 200;
    c.normalFactor = 5; // plays no part for fractions
    c.setYield(10.25, 1);
    EXPECT_DOUBLE_EQ(c.Yield, 145);
    // 5.96 reads rows 6 and 7 with a fraction of -0.04; 1.0 counts as a fraction.
    c.setYield(5.96, 1);
    EXPECT_NEAR(c.Yield, (-0.04 * (1.0 - 0.6) + 0.6) * 200, 1e-9);
    c.setYield(5.94, 1);
    EXPECT_NEAR(c.Yield, (0.94 * (0.6 - 0.5) + 0.5) * 200, 1e-9);
}

TEST(CropYield, RainfallColumnRoundsHalvesToEven)
{
    Crop c = *namedCrop("Corn");
    YieldTable t(2, std::vector<double>(20));
    for (std::size_t col = 0; col < 20; ++col)
        t[0][col] = t[1][col] = static_cast<double>(col) / 100;
    c.setYieldTable(t);
    c.maxYield = 100;
    const struct {
        double rain, column;
    } cases[] = {{12.5, 12}, {13.5, 14}, {12.49, 12}, {19.4, 19}};
    for (const auto& k : cases) {
        c.setYield(0.5, k.rain);
        EXPECT_DOUBLE_EQ(c.Yield, k.column) << k.rain;
    }
}

TEST(CropYield, FallowAndLookupFailures)
{
    Crop fallow = *namedCrop("Fallow");
    fallow.Yield = 3;
    fallow.setYield(-5, 1000); // no table, any depth and rainfall
    EXPECT_EQ(fallow.Yield, 0);

    Crop corn = *namedCrop("Corn");
    EXPECT_THROW(corn.setYield(5, 10), YieldLookupError); // no table
    corn.setYieldTable(yieldsTable());
    corn.normalFactor = 1;
    corn.Yield = 42;
    const struct {
        double depth, rain;
    } bad[] = {{5, 21}, {5, 21.5}, {5, -0.6}, {-0.1, 10}, {5, NAN}, {NAN, 10}};
    for (const auto& b : bad) {
        EXPECT_THROW(corn.setYield(b.depth, b.rain), YieldLookupError) << b.depth << " " << b.rain;
        EXPECT_EQ(corn.Yield, 42);
    }
    EXPECT_NO_THROW(corn.setYield(5, 20.5)); // column 20, halves to even
    EXPECT_NO_THROW(corn.setYield(5, -0.5));
}

TEST(CropYield, SetNormalIgnoresFailures)
{
    Crop c = *namedCrop("Corn");
    c.normalFactor = 7;
    c.setNormal(220, 10); // no table
    YieldTable t = yieldsTable();
    c.setYieldTable(t);
    c.setNormal(220, 40); // outside the table
    c.setNormal(220, 2);  // a table value of 0
    EXPECT_EQ(c.normalFactor, 7);
}

TEST(CropData, TextsAndCopies)
{
    auto c = namedCrop("Corn");
    c->Yield = 234.56;
    EXPECT_EQ(c->yieldToString(), "234.6 bu./ac");
    c->Yield = 1234.56;
    EXPECT_EQ(c->yieldToString(), "1,234.6 bu./ac");
    EXPECT_EQ(c->priceUnits(), "bu.");
    EXPECT_THROW(Crop().priceUnits(), IndexError);

    c->price = 3.25;
    c->maxYield = 200;
    const std::string data = c->writeData();
    EXPECT_EQ(data.substr(0, 17), "Corn\r\n3.25\r\n200\r\n");
    EXPECT_EQ(data.substr(17), c->inputCosts.writeData());

    c->setYieldTable(yieldsTable());
    c->soilName = "Fine Sand";
    c->normalFactor = 1.1;
    c->inputCosts.AlfalfaFlat = 4;
    c->inputCosts.Herbicide = 12;
    auto copy = c->Copy();
    c->yieldTable.edit()[10][10] = -1;
    c->inputCosts.Herbicide = 0;
    c->soil_ulysses->Add({{1.0}}, "yield");
    EXPECT_EQ(copy->yieldTable[10][10], 150);
    EXPECT_EQ(copy->inputCosts.Herbicide, 12);
    EXPECT_EQ(copy->inputCosts.AlfalfaFlat, 0);
    EXPECT_EQ(copy->soil_ulysses->Count(), 1); // soil tables are shared
    EXPECT_EQ(copy->soilName, "Fine Sand");
    EXPECT_EQ(copy->normalFactor, 1.1);
    EXPECT_EQ(copy->Yield, 1234.56);
}

TEST(SoilTables, ItemsByPositionAndKey)
{
    SoilCollection soil;
    soil.Add({{100.0}}, "yield");
    soil.Add({{0.5}}, "relative");
    EXPECT_EQ(soil.Count(), 2);
    EXPECT_EQ(soil.Item(2)[0][0], 0.5);
    EXPECT_EQ(soil.Item("Yield")[0][0], 100);
    EXPECT_THROW(soil.Item(3), IndexError);
    EXPECT_THROW(soil.Item("other"), IndexError);
    EXPECT_THROW(soil.Add({}, "YIELD"), InvalidArgument);
}

TEST(CropScenario, HoldsReferences)
{
    CropScenario s;
    EXPECT_EQ(s.toString(), "");
    auto corn = namedCrop("Corn");
    s.Add(corn);
    s.Add(namedCrop("Wheat"));
    EXPECT_EQ(s.toString(), "Corn, Wheat");
    auto copy = s.Copy();
    corn->price = 9;
    EXPECT_EQ(copy->Item(1)->price, 9);
    EXPECT_EQ(copy->Item(1), corn);
    EXPECT_THROW(s.Item(0), IndexError);
    EXPECT_THROW(s.Item(3), IndexError);
}

TEST(CStack, ByReference)
{
    CStack st;
    EXPECT_EQ(st.Top(), nullptr);
    EXPECT_THROW(st.Pop(), IndexError);
    auto x = std::make_shared<CropScenario>();
    auto kept = x;
    st.Push(x);
    EXPECT_EQ(x, nullptr);
    EXPECT_EQ(st.Top(), kept);
    EXPECT_EQ(st.Pop(), kept);
    EXPECT_EQ(st.Count(), 0);
}

TEST(CropCombos, EveryOrderedChoiceLastCropFirst)
{
    CropScenario abc;
    for (const char* n : {"A", "B", "C"})
        abc.Add(namedCrop(n));

    std::vector<std::vector<std::string>> two;
    for (const auto& s : MakingCropCombos::makeCropCombos(abc, 2))
        two.push_back(names(*s));
    EXPECT_EQ(two, (std::vector<std::vector<std::string>>{{"C", "C"},
                                                          {"C", "B"},
                                                          {"C", "A"},
                                                          {"B", "C"},
                                                          {"B", "B"},
                                                          {"B", "A"},
                                                          {"A", "C"},
                                                          {"A", "B"},
                                                          {"A", "A"}}));

    std::vector<std::vector<std::string>> one;
    for (const auto& s : MakingCropCombos::makeCropCombos(abc, 1))
        one.push_back(names(*s));
    EXPECT_EQ(one, (std::vector<std::vector<std::string>>{{"C"}, {"B"}, {"A"}}));

    EXPECT_EQ(MakingCropCombos::makeCropCombos(abc, 4).size(), 81u);
    EXPECT_TRUE(MakingCropCombos::makeCropCombos(CropScenario(), 3).empty());
    EXPECT_THROW(MakingCropCombos::makeCropCombos(abc, 0), InvalidArgument);

    CropScenario withFallow;
    withFallow.Add(namedCrop("Corn"));
    withFallow.Add(namedCrop("Fallow"));
    auto combos = MakingCropCombos::makeCropCombos(withFallow, 2);
    ASSERT_EQ(combos.size(), 4u);
    EXPECT_EQ(names(*combos[0]), (std::vector<std::string>{"Fallow", "Fallow"}));
}

TEST(CropCombos, CropsAreCopiesSharedAlongAPrefix)
{
    CropScenario abc;
    for (const char* n : {"A", "B", "C"})
        abc.Add(namedCrop(n));
    auto combos = MakingCropCombos::makeCropCombos(abc, 2);
    // [C, C], [C, B] and [C, A] share their first crop; each last crop is its own copy.
    EXPECT_EQ(combos[1]->Item(1), combos[2]->Item(1));
    EXPECT_NE(combos[1]->Item(2), combos[2]->Item(2));
    std::set<const Crop*> library;
    for (const auto& c : abc)
        library.insert(c.get());
    for (const auto& s : combos)
        for (const auto& c : *s)
            EXPECT_EQ(library.count(c.get()), 0u);
}
