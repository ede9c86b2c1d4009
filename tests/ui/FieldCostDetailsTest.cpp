// The field cost details: every value label of an evaluated field against hand-computed figures, a forage
// stand, the seed units, the trend-override boxes, Back and printing.
#include <QAbstractButton>
#include <gtest/gtest.h>

#include "ui/ResultFixtures.h"
#include "ui/ScriptedDialogService.h"
#include "ui/results/FieldCostDetails.h"

using namespace korvel;
using namespace korvel::test;
using korvel::ui::FieldCostDetails;

namespace {

class DetailsPane : public ::testing::Test {
protected:
    DetailsPane() { session.IrrigationEfficiency = 0.9; }

    std::string label(const char* name) { return text(&pane, name); }
    bool boxShown(int i) { return child<QWidget>(&pane, i == 0 ? "picBatch(0)" : "picBatch(1)")->isVisibleTo(&pane); }

    ui::test::ScriptedDialogs dialogs;
    SessionState session;
    FieldCostDetails pane{session};
};

// 800 GPM, 200 ft lift, 30 psi, 12.5 whp-hours per unit of fuel at $3, labour $10 an hour, repairs $0.50
// per acre-inch: 9 net inches at 90 % cost $83.45 per acre.
std::shared_ptr<IrrigationCosts> pumpingPlant()
{
    auto irrig = std::make_shared<IrrigationCosts>();
    irrig->GPM = 800;
    irrig->Lift = 200;
    irrig->PSI = 30;
    irrig->NPC = 12.5;
    irrig->cost = 3;
    irrig->LaborPerHour = 10;
    irrig->RepairsPerAcreInch = 0.5;
    irrig->active = true;
    irrig->FuelType = "Diesel";
    return irrig;
}

TEST_F(DetailsPane, EvaluatedCornFieldShowsEveryGroupAndTotalPerAcre)
{
    auto field = cornField();
    inputCosts& c = field->theCrop->inputCosts;
    c.Tillage = 12.5;
    c.Planting = 7.25;
    c.FertilizerApplication = 4;
    c.HarvestBasePerAcre = Variant(10);
    c.HarvestHauling = Variant(0.1);
    c.Returns = 12.5;
    c.MiscCost = 12.5;
    field->irrigCosts = pumpingPlant();
    field->getCosts(session);       // as the evaluation leaves it: rates and totals computed
    field->irrigCosts->hours = 100; // left by another field sharing the plant: the field's own hours are shown

    pane.loadCosts(*field);

    struct Expected {
        const char* label;
        const char* text;
    };
    const Expected expected[] = {
        {"lblNC", "$0.5/lb"},
        {"lblNAPA", "150.0 lb/ac"},
        {"lblPC", "$0/lb"},
        {"lblPAPA", "0.0 lb/ac"},
        {"lblSC", "$2.50 / 1,000 seeds"},
        {"lblSPR", "30,000 seeds/acre"},
        {"lblHC", "$20.00 /acre"},
        {"lblI", "$.00 /acre"},
        {"lblGeneralCosts", "Subtotal: $170.00 /acre"}, // 75 nitrogen + 75 seed + 20 herbicide
        {"lblTC", "$12.50 /acre"},
        {"lblPlantCost", "$7.25 /acre"},
        {"lblFertApplicationCost", "$4.00 /acre"},
        {"lblHAC", "$.00 /acre"},
        {"lblIAC", "$.00 /acre"},
        {"lblHarvestTotalCost", "$28.00 /acre"}, // 10 + 0.1 x 180
        {"lblApplicationCosts", "Subtotal: $51.75 /acre"},
        {"lblMR", "$12.50 /acre"},
        {"lblReturns", "Subtotal: $12.50 /acre"},
        {"lblGPM", "800 GPM"},
        {"lblPWL", "200 feet"},
        {"lblPSI", "30 psi"},
        {"lblFT", "Diesel"},
        {"lblFC", "$3.00/ unit"},
        {"lblLC", "$10 /hr"},
        {"lblMaint", "$0.5 /acre-inch"},
        {"lblHours", "338 hrs"}, // 10 gross inches on 60 acres at 800 / 450 acre-inches an hour
        {"lblIrrigationCosts", "Subtotal: $83.45 /acre"}, // 5,006.73 over 60 acres
        {"lblAcres", "60"},
        {"lblCrop", "Corn"},
        {"lblCropPrice", "$8 /bu."},
        {"lblYield", "180.0 bu./ac"},
        {"lblGross", "10.0''"},
        {"lblRain", "16.0''"},
        {"lblTotalCosts", "$318"},     // 234.25 production + 83.45 irrigation
        {"lblTotalReturns", "$1,452"}, // 1,440 + 12.50: the half to the even neighbour
        {"lblTotalProfit", "$1,135"},
        {"lblMC", "$12.50 /acre"},
        {"lblSubTotalMC", "$12.50 /acre"},
        {"lblAlfDetails", ""},
        {"lblAnnualized", ""},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(label(e.label), e.text) << e.label;
    EXPECT_FALSE(boxShown(0));
    EXPECT_FALSE(boxShown(1));
    // The pane works on its own copy; the subtotal recomputed the copy's pumping hours.
    EXPECT_NE(pane.field(), field);
    EXPECT_DOUBLE_EQ(pane.field()->irrigCosts->hours, 337.5);
    EXPECT_DOUBLE_EQ(field->irrigCosts->hours, 100);
}

TEST_F(DetailsPane, ForageStandOfFourYearsSpreadsSeedTillageAndPlanting)
{
    auto crop = makeCrop("Alfalfa", "ton", 100, 5);
    inputCosts& c = crop->inputCosts;
    c.SeedCost = 6;
    c.SeedRate = 20;
    c.Tillage = 40;
    c.Planting = 20;
    c.AlfalfaStand = Variant(4);
    c.AlfalfaPerTon = Variant(10);
    pane.loadCosts(*makeField(50, 12, crop));

    EXPECT_EQ(label("lblSC"), "*$1.50 / lb");
    EXPECT_EQ(label("lblSPR"), "20 lb/ac");
    EXPECT_EQ(label("lblTC"), "*$10.00 /acre");
    EXPECT_EQ(label("lblPlantCost"), "*$5.00 /acre");
    EXPECT_EQ(label("lblGeneralCosts"), "Subtotal: $30.00 /acre"); // a quarter of $120 of seed
    EXPECT_EQ(label("lblHarvestTotalCost"), "$50.00 /acre");
    EXPECT_EQ(label("lblApplicationCosts"), "Subtotal: $65.00 /acre"); // a quarter of $60, plus harvest
    EXPECT_EQ(label("lblCropPrice"), "$100 /ton");
    EXPECT_EQ(label("lblAlfDetails"), "Life of Alfalfa stand is 4 years");
    EXPECT_EQ(label("lblAnnualized"), "*Input cost annualized over the 4 year stand");

    // The next field, not a forage crop, clears the notes.
    pane.loadCosts(*cornField());
    EXPECT_EQ(label("lblAlfDetails"), "");
    EXPECT_EQ(label("lblAnnualized"), "");
    EXPECT_EQ(label("lblSC"), "$2.50 / 1,000 seeds");
}

TEST_F(DetailsPane, SeedUnitsFollowTheExactCropName)
{
    struct Case {
        const char* crop;
        const char* price;
        const char* rate;
    };
    const Case cases[] = {
        {"Alfalfa", "$2.00 / lb", "10 lb/ac"},
        {"Grain Sorghum", "$2.00 / lb", "10 lb/ac"},
        {"Wheat", "$2.00 / lb", "10 lb/ac"},
        {"alfalfa", "$2.00 / 1,000 seeds", "10 seeds/acre"},
        {"Corn", "$2.00 / 1,000 seeds", "10 seeds/acre"},
        {"Millet", "$2.00 / 1,000 seeds", "10 seeds/acre"},
    };
    for (const Case& c : cases) {
        auto crop = makeCrop(c.crop, "bu.", 4, 100);
        crop->inputCosts.SeedCost = 2;
        crop->inputCosts.SeedRate = 10;
        pane.loadCosts(*makeField(10, 6, crop));
        EXPECT_EQ(label("lblSC"), c.price) << c.crop;
        EXPECT_EQ(label("lblSPR"), c.rate) << c.crop;
    }
}

TEST_F(DetailsPane, OptimalSeedingRateIsShownAfterTheSeedCostSetsIt)
{
    auto field = cornField();
    field->theCrop->inputCosts.SeedOptimal = true; // 9 net inches: 23,000 seeds
    pane.loadCosts(*field);                        // a field never costed: its nitrogen rate is still 0
    EXPECT_EQ(label("lblSPR"), "23,000 seeds/acre");
    EXPECT_EQ(label("lblGeneralCosts"), "Subtotal: $77.50 /acre"); // 57.50 seed + 20 herbicide
}

TEST_F(DetailsPane, OverrideBoxesCoverTheGroupsTheyReplace)
{
    auto production = cornField();
    production->theCrop->inputCosts.UseBatch = true;
    production->theCrop->inputCosts.BatchGeneralCosts = 250;
    pane.loadCosts(*production);
    EXPECT_TRUE(boxShown(0));
    EXPECT_FALSE(boxShown(1));
    EXPECT_EQ(label("lblBatchGeneralProductionCost"), "$250 per acre");

    auto irrigation = cornField();
    irrigation->Depth = 12;
    irrigation->irrigCosts->UseBatch = true;
    irrigation->irrigCosts->BatchIrrigationCosts = 3;
    pane.loadCosts(*irrigation);
    EXPECT_FALSE(boxShown(0));
    EXPECT_TRUE(boxShown(1));
    EXPECT_EQ(label("lblBatchIrrigationCosts"), "$36 per acre");

    pane.loadCosts(*wheatField());
    EXPECT_FALSE(boxShown(0));
    EXPECT_FALSE(boxShown(1));
    EXPECT_EQ(label("lblBatchGeneralProductionCost"), "$250 per acre"); // unseen until shown again
}

TEST_F(DetailsPane, FallowAndFiguresWithoutAFiniteValue)
{
    auto fallow = std::make_shared<Crop>();
    fallow->cropType = "Fallow";
    fallow->cropUnitsArray = {"", ""};
    auto idle = makeField(20, 0, fallow);
    idle->irrigCosts = pumpingPlant();
    idle->irrigCosts->hours = 576; // left by a watered field sharing the plant
    pane.loadCosts(*idle);
    EXPECT_EQ(label("lblCropPrice"), "$0 /");
    EXPECT_EQ(label("lblTotalCosts"), "$0");
    EXPECT_EQ(label("lblHours"), "0 hrs") << "a field without water pumps nothing";
    EXPECT_EQ(label("lblIrrigationCosts"), "Subtotal: $0.00 /acre");

    // No acres: the per-acre figures are left empty.
    auto bare = cornField();
    bare->acres = 0;
    pane.loadCosts(*bare);
    EXPECT_EQ(label("lblAcres"), "0");
    for (const char* name : {"lblGeneralCosts", "lblHarvestTotalCost", "lblApplicationCosts", "lblTotalCosts",
                             "lblTotalReturns", "lblTotalProfit"})
        EXPECT_EQ(label(name), "") << name;
    EXPECT_EQ(label("lblHC"), "$20.00 /acre");

    // An efficiency of 0: no gross depth, no irrigation or total costs.
    session.IrrigationEfficiency = 0;
    auto pumped = cornField();
    pumped->irrigCosts = pumpingPlant();
    pane.loadCosts(*pumped);
    for (const char* name : {"lblGross", "lblHours", "lblIrrigationCosts", "lblTotalCosts", "lblGeneralCosts"})
        EXPECT_EQ(label(name), "") << name;
    EXPECT_EQ(label("lblAcres"), "60");
}

TEST_F(DetailsPane, BackPrintAndThePrintMenu)
{
    std::vector<std::string> calls;
    std::shared_ptr<Field> printerField;
    pane.hooks.showResultsPane = [&] { calls.push_back("results"); };
    pane.hooks.showTrendResultsPane = [&] { calls.push_back("trend results"); };
    pane.hooks.setPrintEnabled = [&](bool on) { calls.push_back(on ? "print on" : "print off"); };
    pane.hooks.setPrinterField = [&](const std::shared_ptr<Field>& f) { printerField = f; };
    pane.hooks.printDetails = [&] { calls.push_back("print"); };

    pane.loadCosts(*cornField());
    ASSERT_NE(printerField, nullptr);
    EXPECT_NE(printerField, pane.field()); // the report gets a copy of its own
    EXPECT_EQ(printerField->acres, 60);

    child<QAbstractButton>(&pane, "Command3")->click();
    session.TrendMode = true;
    child<QAbstractButton>(&pane, "Command3")->click();
    child<QAbstractButton>(&pane, "Command2")->click();
    EXPECT_EQ(calls, (std::vector<std::string>{"print on", "results", "trend results", "print"}));
}

} // namespace
