// The crop library shipped in data/: read as the program reads it, and the same tables as the custom-crop
// editor's built-in defaults.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "model/DefaultYieldTables.h"
#include "model/FileReader.h"

using korvel::FileReader;
using korvel::YieldTable;

namespace {

struct Shipped {
    const char* name;
    const char* singular;
    const char* plural;
    std::size_t lastIrrigation;
    double smallest;
    double largest;
};

const Shipped kShipped[] = {
    {"Corn", "bu.", "bushels", 24, 0, 213.3},      {"Grain Sorghum", "bu.", "bushels", 20, 0, 158.5},
    {"Wheat", "bu.", "bushels", 22, 0, 76.7},      {"Sunflower", "lb", "pounds", 22, 41, 3487},
    {"Alfalfa", "ton", "tons", 22, 1.391, 10.055}, {"Soybeans", "bu.", "bushels", 22, 0, 70.01},
};

// The program folder: a copy of data/crops, so the reader never writes into the source tree.
class ShippedCropData : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new korvel::testing::TempFolder("korvel-shipped");
        std::filesystem::copy(std::filesystem::path(KORVEL_DATA_DIR) / "crops", folder_->path() / "crops",
                              std::filesystem::copy_options::recursive);
        reader_ = new FileReader;
        ok_ = reader_->Initialize(folder_->path());
    }
    static void TearDownTestSuite()
    {
        delete reader_;
        delete folder_;
    }
    static korvel::testing::TempFolder* folder_;
    static FileReader* reader_;
    static bool ok_;
};

korvel::testing::TempFolder* ShippedCropData::folder_ = nullptr;
FileReader* ShippedCropData::reader_ = nullptr;
bool ShippedCropData::ok_ = false;

// Rows 0..last, rainfall columns 11..21.
double at(const YieldTable& t, std::size_t irrigation, std::size_t rain)
{
    return t.at(irrigation).at(rain);
}

} // namespace

TEST_F(ShippedCropData, ReadsSixCropsAndFallowWithTheirSoilTables)
{
    ASSERT_TRUE(ok_);
    const auto& crops = *reader_->cropCollection;
    ASSERT_EQ(crops.Count(), 7);
    EXPECT_EQ(crops.Item(7)->cropType, "Fallow");
    for (std::size_t i = 0; i < std::size(kShipped); ++i) {
        const Shipped& s = kShipped[i];
        SCOPED_TRACE(s.name);
        const auto& crop = *crops.Item(static_cast<long>(i) + 1);
        EXPECT_EQ(crop.cropType, s.name);
        EXPECT_FALSE(crop.Custom);
        EXPECT_EQ(crop.cropUnitsArray, (std::vector<std::string>{s.singular, s.plural}));
        ASSERT_EQ(crop.yieldTable.size(), s.lastIrrigation + 1);
        double lo = 1e9, hi = -1e9;
        for (const auto& row : crop.yieldTable) {
            ASSERT_EQ(row.size(), 22u);
            for (std::size_t c = 0; c < 11; ++c)
                EXPECT_EQ(row[c], 0.0); // columns below 11 inches stay empty
            lo = std::min(lo, *std::min_element(row.begin() + 11, row.end()));
            hi = std::max(hi, *std::max_element(row.begin() + 11, row.end()));
        }
        EXPECT_EQ(lo, s.smallest);
        EXPECT_EQ(hi, s.largest);

        const korvel::SoilCollection* soils[] = {crop.soil_ulysses.get(), crop.soil_valent.get(),
                                                 crop.soil_valentine.get()};
        const std::size_t last = s.lastIrrigation;
        for (const auto* soil : soils) {
            ASSERT_EQ(soil->Count(), 2);
            const YieldTable& yields = soil->Item("yield");
            const YieldTable& relative = soil->Item("relative");
            ASSERT_EQ(yields.size(), last + 1);
            ASSERT_EQ(relative.size(), last + 1);
            for (std::size_t r = 0; r <= last; ++r)
                for (std::size_t c = 11; c <= 21; ++c) {
                    EXPECT_LE(yields[r][c], at(crop.yieldTable, r, c));
                    EXPECT_GE(relative[r][c], 0.0);
                    EXPECT_LE(relative[r][c], 1.0);
                }
            // all soils meet at full irrigation
            EXPECT_EQ(yields[last], crop.yieldTable[last]);
        }
        EXPECT_EQ(crop.soil_ulysses->Item("yield"), crop.yieldTable);
        // the sands yield less in a dry year at the wettest rainfall
        EXPECT_LT(crop.soil_valent->Item("yield")[0][21], crop.soil_valentine->Item("yield")[0][21]);
        EXPECT_LT(crop.soil_valentine->Item("yield")[0][21], crop.yieldTable[0][21]);
    }
}

TEST_F(ShippedCropData, TablesKeepTheirReferenceRowsAndShape)
{
    ASSERT_TRUE(ok_);
    const auto& crops = *reader_->cropCollection;
    const YieldTable& corn = crops.Item(1)->yieldTable;
    EXPECT_EQ(corn[1], (std::vector<double>{0, 0, 0, 0, 0,   0,    0,    0,    0,    0,    0,
                                            0, 0, 0, 0, 0.4, 12.4, 24.8, 37.4, 50.1, 62.8, 75.4}));
    EXPECT_EQ(corn[24][11], 203.8);
    const YieldTable& sunflower = crops.Item(4)->yieldTable;
    EXPECT_EQ(sunflower[21][20], 3479);
    EXPECT_EQ(sunflower[22][20], 3478);
    EXPECT_EQ(sunflower[21][21], 3487);
    EXPECT_EQ(sunflower[22][21], 3486);
    for (long i = 1; i <= 6; ++i) {
        const auto& crop = *crops.Item(i);
        SCOPED_TRACE(crop.cropType);
        const YieldTable& t = crop.yieldTable;
        for (std::size_t r = 0; r < t.size(); ++r)
            for (std::size_t c = 11; c <= 21; ++c) {
                if (c > 11) {
                    EXPECT_GE(t[r][c], t[r][c - 1]) << r << " in., " << c << " in.";
                }
                const bool exception = crop.cropType == "Sunflower" && r == 22 && c >= 20;
                if (r > 0 && !exception) {
                    EXPECT_GE(t[r][c], t[r - 1][c]) << r << " in., " << c << " in.";
                }
            }
    }
}

TEST_F(ShippedCropData, EditorDefaultsAreTheShippedTables)
{
    ASSERT_TRUE(ok_);
    const auto& tables = korvel::defaultYieldTables();
    std::vector<std::string> order;
    order.reserve(tables.size());
    for (const auto& t : tables)
        order.emplace_back(t.name);
    EXPECT_EQ(order, (std::vector<std::string>{"Corn", "Alfalfa", "Grain Sorghum", "Soybeans", "Sunflower", "Wheat"}));
    for (const auto& crop : *reader_->cropCollection) {
        if (crop->cropType == "Fallow")
            continue;
        SCOPED_TRACE(crop->cropType);
        const korvel::DefaultYieldTable* t = korvel::findDefaultYieldTable(crop->cropType);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->lowestRain, 11);
        EXPECT_EQ(t->highestRain, 21);
        const std::string values(t->values);
        EXPECT_EQ(std::count(values.begin(), values.end(), ',') + 1, (t->maxIrrigation + 1) * 11);
        EXPECT_EQ(values.find(' '), std::string::npos);
        std::string rows = "0";
        for (int i = 1; i <= t->maxIrrigation; ++i)
            rows += "," + std::to_string(i);
        EXPECT_EQ(FileReader::makeYieldArray("11,12,13,14,15,16,17,18,19,20,21", rows, values), crop->yieldTable);
    }
    EXPECT_EQ(korvel::findDefaultYieldTable("grain SORGHUM")->maxIrrigation, 20);
    EXPECT_EQ(korvel::findDefaultYieldTable("Sunflower")->unitsEntry, "pounds/acre");
    EXPECT_EQ(korvel::findDefaultYieldTable("Alfalfa")->unitsEntry, "tons/acre");
    EXPECT_EQ(korvel::findDefaultYieldTable("Wheat")->unitsEntry, "bushels/acre");
    EXPECT_EQ(korvel::findDefaultYieldTable("Barley"), nullptr);
}
