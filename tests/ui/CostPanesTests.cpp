// The production-cost pane, the irrigation-cost pane and the default values, driven through the real main window
// on a small crop library (Corn, Wheat, Alfalfa, the built-in Fallow and a custom crop Barley).
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "model/Crop.h"
#include "model/IrrigationCosts.h"
#include "model/ProductionCostFields.h"
#include "model/SessionState.h"
#include "ui/MainWindowFixture.h"
#include "ui/ScriptedDialogService.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/CropRow.h"
#include "ui/main/IrrigationCostPane.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProductionCostPane.h"

using namespace korvel::ui;

namespace {

const QString kDataDir = QStringLiteral(KORVEL_DATA_DIR);

QByteArray shippedCrop(const QString& file)
{
    QFile f(kDataDir + QStringLiteral("/crops/") + file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A crop file with the shipped corn table under another name.
QByteArray cornTableNamed(const QByteArray& name)
{
    QByteArray bytes = shippedCrop(QStringLiteral("01-corn.txt"));
    bytes.replace("CROP=Corn", "CROP=" + name);
    return bytes;
}

class CostPanesTest : public korvel::ui::test::MainWindowTest {
protected:
    void SetUp() override
    {
        korvel::ui::test::copyShippedCrops(folder.path(), {"01-corn.txt", "03-wheat.txt", "05-alfalfa.txt"});
        folder.write("crops/custom/barley.txt", cornTableNamed("Barley").toStdString());
        open();
        korvel::ui::test::activate(window.get());
        ASSERT_EQ(window->cropRowCount(), 5); // Corn, Wheat, Alfalfa, Fallow, Barley
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    }

    std::shared_ptr<korvel::Crop> crop(const QString& name) { return row(name)->crop(); }

    // Ticks the row and presses its "Costs/Returns".
    ProductionCostPane* openCosts(const QString& name)
    {
        CropRow* r = row(name);
        if (!r->chkCrop->isChecked())
            r->chkCrop->click();
        r->cmdInputCosts->click();
        return window->pneInputCosts();
    }
    IrrigationCostPane* openIrrigation()
    {
        window->pneMain()->irrigationButton->click();
        return window->pneIrrigCosts();
    }

    template <class T = QLineEdit>
    T* on(QWidget* pane, const QString& name) const
    {
        T* w = pane->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(QWidget* pane, const QString& name) const
    {
        if (auto* l = pane->findChild<QLabel*>(name))
            return l->text();
        if (auto* b = pane->findChild<QAbstractButton*>(name))
            return b->text();
        if (auto* c = pane->findChild<QComboBox*>(name))
            return c->currentText();
        return on(pane, name)->text();
    }
    void click(QWidget* pane, const QString& name) { on<QAbstractButton>(pane, name)->click(); }

    void type(QLineEdit* box, const QString& t) { korvel::ui::test::typeInto(box, t); }
    // Leaves a box for another control of the same pane.
    void leave(QLineEdit* box, QWidget* next)
    {
        box->setFocus();
        QApplication::processEvents();
        next->setFocus();
        QApplication::processEvents();
    }

    // A fuel picked from the open list with the mouse.
    void pickFuel(QComboBox* fuel, int index)
    {
        fuel->showPopup();
        QAbstractItemView* view = fuel->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QRect item = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QApplication::processEvents();
    }
};

// --- Production-cost pane ---------------------------------------------------------------------------------------

TEST_F(CostPanesTest, SeedUnitsAndTheSubtotalFollowTheOpenedCrop)
{
    struct Case {
        const char* crop;
        const char* rateUnit;
        const char* costUnit;
        const char* subtotal; // 75 of 0.16 a unit: per lb, or per 1000 seeds
    };
    // Opening one crop and then one of the other seed unit: each shows its own subtotal.
    const Case cases[] = {{"Wheat", "lb/acre", "/lb", "$12.00 / ac"},
                          {"Corn", "seeds/acre", "/1000 seeds", "$0.01 / ac"},
                          {"Alfalfa", "lb/acre", "/lb", "$12.00 / ac"},
                          {"Barley", "seeds/acre", "/1000 seeds", "$0.01 / ac"}};
    for (const Case& c : cases) {
        korvel::inputCosts& ic = crop(c.crop)->inputCosts;
        ic.SeedRate = 75;
        ic.SeedCost = 0.16;
        ProductionCostPane* pane = openCosts(c.crop);
        EXPECT_TRUE(pane->isVisible());
        EXPECT_EQ(window->state().activeCrop, crop(c.crop));
        EXPECT_EQ(text(pane, "lblHeader"), QString("Production Costs for ") + c.crop);
        EXPECT_EQ(text(pane, "lblSeedRate"), c.rateUnit) << c.crop;
        EXPECT_EQ(text(pane, "lblSeedUnits"), c.costUnit) << c.crop;
        EXPECT_EQ(text(pane, "txtSeedRate"), "75");
        EXPECT_EQ(text(pane, "txtSeedCost"), "0.16");
        EXPECT_EQ(text(pane, "lblGICTOTAL"), c.subtotal) << c.crop;
        click(pane, "cmdCancel(1)");
        EXPECT_TRUE(window->pneMain()->isVisible());
    }

    // Units of the yield beside the harvest charges; the default button names the crop.
    ProductionCostPane* pane = openCosts("Corn");
    EXPECT_EQ(text(pane, "lblUnits"), "bushels");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(text(pane, QString("lblperunits(%1)").arg(i)), "/ bu.");
    EXPECT_EQ(text(pane, "cmdDefault"), "Load Default Corn Values");
    EXPECT_EQ(text(pane, "lblApplicationCosts"), "Operation Costs");
    EXPECT_FALSE(on<QWidget>(pane, "frmICAlf")->isVisible());

    // The live subtotals as the user types.
    type(on(pane, "txtNitrogenCost"), "0.5");
    type(on(pane, "txtNitrogenApplied"), "100");
    type(on(pane, "txtHerbicide"), "1,000.00");
    EXPECT_EQ(text(pane, "lblGICTOTAL"), "$1,050.01 / ac");
    type(on(pane, "txtTillage"), "20");
    type(on(pane, "txtPlanting"), "10.5");
    type(on(pane, "txtFertilizerApplication"), "1");
    type(on(pane, "txtInsecticideApplication"), "2");
    type(on(pane, "txtHerbicideApplication"), "3");
    type(on(pane, "txtHarvestBase"), "500"); // not in either subtotal
    EXPECT_EQ(text(pane, "lblOC"), "$36.50 / ac");
}

TEST_F(CostPanesTest, RateBoxesTickTheirOptimalBoxWhenEmpty)
{
    korvel::inputCosts& ic = crop("Corn")->inputCosts;
    ic.NitrogenApplied = 0; // a rate of 0 without the flag opens as an optimal rate
    ic.NOptimal = false;
    ic.PApplied = 40; // the stored flag wins over the rate written before it
    ic.POptimal = true;
    ic.SeedRate = 26000;
    ic.SeedOptimal = true;
    ic.Returns = 0;
    ProductionCostPane* pane = openCosts("Corn");
    auto* n = on<QCheckBox>(pane, "chkNOptimal");
    auto* p = on<QCheckBox>(pane, "chkPOptimal");
    auto* seed = on<QCheckBox>(pane, "chkSeedOptimal");
    EXPECT_EQ(text(pane, "txtNitrogenApplied"), "");
    EXPECT_TRUE(n->isChecked());
    EXPECT_EQ(text(pane, "txtPApplied"), "40");
    EXPECT_TRUE(p->isChecked());
    EXPECT_EQ(text(pane, "txtSeedRate"), "");
    EXPECT_TRUE(seed->isChecked());
    EXPECT_EQ(text(pane, "txtReturns"), "0.00"); // a money zero is not blanked

    type(on(pane, "txtSeedRate"), "30000");
    EXPECT_FALSE(seed->isChecked());
    type(on(pane, "txtSeedRate"), "");
    EXPECT_TRUE(seed->isChecked());
    type(on(pane, "txtSeedRate"), "28000");

    click(pane, "Command6");
    EXPECT_TRUE(ic.NOptimal);
    EXPECT_TRUE(ic.POptimal);
    EXPECT_FALSE(ic.SeedOptimal);
    EXPECT_EQ(ic.SeedRate, 28000);
    EXPECT_EQ(ic.PApplied, 40);
    EXPECT_EQ(window->state().activeCrop, nullptr);
    EXPECT_TRUE(window->pneMain()->isVisible());
}

TEST_F(CostPanesTest, CustomCropHasNoDefaultsButTheRateRuleStillRuns)
{
    ProductionCostPane* pane = openCosts("Barley");
    EXPECT_TRUE(crop("Barley")->Custom);
    for (const char* name : {"cmdDefault", "chkNOptimal", "chkPOptimal", "chkSeedOptimal"})
        EXPECT_FALSE(on<QWidget>(pane, name)->isEnabled()) << name;
    auto* n = on<QCheckBox>(pane, "chkNOptimal");
    type(on(pane, "txtNitrogenApplied"), "120");
    EXPECT_FALSE(n->isChecked());
    type(on(pane, "txtNitrogenApplied"), "");
    EXPECT_TRUE(n->isChecked());

    // A library crop enables them again.
    click(pane, "cmdCancel(1)");
    pane = openCosts("Wheat");
    for (const char* name : {"cmdDefault", "chkNOptimal", "chkPOptimal", "chkSeedOptimal"})
        EXPECT_TRUE(on<QWidget>(pane, name)->isEnabled()) << name;
}

TEST_F(CostPanesTest, ForageApplyNeedsAStandLifeAndCommitsOnlyTheGeneralFieldsWithoutOne)
{
    const std::shared_ptr<korvel::Crop> alfalfa = crop("Alfalfa");
    korvel::inputCosts& ic = alfalfa->inputCosts;
    ic.AlfalfaSwathing = 11.0;
    ic.Returns = 5;
    ic.MiscCost = 6;
    ic.HarvestBasePerAcre = 20.0;
    ProductionCostPane* pane = openCosts("Alfalfa");
    EXPECT_TRUE(on<QWidget>(pane, "frmICAlf")->isVisible());
    EXPECT_TRUE(on<QWidget>(pane, "frmICAlf2")->isVisible());
    EXPECT_TRUE(on<QWidget>(pane, "lblAnnualized")->isVisible());
    EXPECT_FALSE(on(pane, "txtHarvestBase")->isVisible());
    EXPECT_EQ(text(pane, "lblApplicationCosts"), "Alfalfa Operation Costs");
    EXPECT_EQ(text(pane, "txtSwathing"), "11");
    EXPECT_EQ(text(pane, "txtStand"), ""); // never given

    type(on(pane, "txtNitrogenCost"), "0.5");
    type(on(pane, "txtSwathing"), "9");
    type(on(pane, "txtReturns"), "7");
    type(on(pane, "txtMiscCost"), "8");
    type(on(pane, "txtHarvestBase"), "33");
    click(pane, "Command6");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), "Please enter a 'Life of Stand' value for the Forage crop");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(dialogs.messages[0].title.isEmpty());
    EXPECT_EQ(ic.NitrogenCost, 0.5);                      // committed before the check
    EXPECT_EQ(ic.AlfalfaSwathing, korvel::Variant(11.0)); // the rest stays
    EXPECT_EQ(ic.Returns, 5);
    EXPECT_EQ(ic.MiscCost, 6);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(window->state().activeCrop, alfalfa);

    type(on(pane, "txtStand"), "4");
    click(pane, "Command6");
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(ic.AlfalfaStand, korvel::Variant(4.0));
    EXPECT_EQ(ic.AlfalfaSwathing, korvel::Variant(9.0));
    EXPECT_EQ(ic.Returns, 7);
    EXPECT_EQ(ic.MiscCost, 8);
    EXPECT_EQ(ic.HarvestBasePerAcre, korvel::Variant(20.0)); // a forage crop keeps its harvest charges
    EXPECT_TRUE(window->pneMain()->isVisible());
    EXPECT_EQ(window->state().activeCrop, nullptr);

    // A grain crop commits its harvest charges and keeps its forage values.
    korvel::inputCosts& wheat = crop("Wheat")->inputCosts;
    wheat.AlfalfaSwathing = 3.0;
    pane = openCosts("Wheat");
    EXPECT_FALSE(on<QWidget>(pane, "frmICAlf")->isVisible());
    type(on(pane, "txtHarvestBase"), "24.12");
    type(on(pane, "txtSwathing"), "99"); // hidden with its frame; typed here only to show it is not committed
    click(pane, "Command6");
    EXPECT_EQ(wheat.HarvestBasePerAcre, korvel::Variant(24.12));
    EXPECT_EQ(wheat.AlfalfaSwathing, korvel::Variant(3.0));
}

TEST_F(CostPanesTest, MoneyTextsOfAThousandOrMoreRoundTrip)
{
    korvel::inputCosts& ic = crop("Corn")->inputCosts;
    ic.Returns = 1234.5;
    ic.SeedCost = 2500;
    ic.Tillage = 1000000;
    ic.HarvestHauling = 1500.25;
    ic.NitrogenCost = 1500;       // a plain box keeps its digits ungrouped
    ic.HarvestExceedRate = 0.003; // rates finer than cents keep their decimals
    ic.MiscCost = 1234.5678;
    ProductionCostPane* pane = openCosts("Corn");
    EXPECT_EQ(text(pane, "txtExceedCost"), "0.003");
    EXPECT_EQ(text(pane, "txtMiscCost"), "1,234.5678");
    EXPECT_EQ(text(pane, "txtReturns"), "1,234.50");
    EXPECT_EQ(text(pane, "txtSeedCost"), "2,500.00");
    EXPECT_EQ(text(pane, "txtTillage"), "1,000,000.00");
    EXPECT_EQ(text(pane, "txtHaulingCost"), "1,500.25");
    EXPECT_EQ(text(pane, "txtNitrogenCost"), "1500");
    EXPECT_EQ(text(pane, "lblOC"), "$1,000,000.00 / ac");
    korvel::inputCosts before = ic;
    click(pane, "Command6");
    EXPECT_EQ(ic.Returns, before.Returns);
    EXPECT_EQ(ic.SeedCost, before.SeedCost);
    EXPECT_EQ(ic.Tillage, before.Tillage);
    EXPECT_EQ(ic.HarvestHauling, before.HarvestHauling);
    EXPECT_EQ(ic.NitrogenCost, before.NitrogenCost);
    EXPECT_EQ(ic.HarvestExceedRate, before.HarvestExceedRate);
    EXPECT_EQ(ic.MiscCost, before.MiscCost);
}

TEST_F(CostPanesTest, CancelCommitsNothingAndKeepsTheActiveCrop)
{
    korvel::inputCosts& ic = crop("Wheat")->inputCosts;
    ic.Herbicide = 4;
    ProductionCostPane* pane = openCosts("Wheat");
    type(on(pane, "txtHerbicide"), "9");
    click(pane, "cmdCancel(1)");
    EXPECT_EQ(ic.Herbicide, 4);
    EXPECT_TRUE(window->pneMain()->isVisible());
    EXPECT_EQ(window->state().activeCrop, crop("Wheat"));
}

TEST_F(CostPanesTest, ClearEmptiesEveryBoxAndUnticksTheOptimalBoxes)
{
    korvel::inputCosts& ic = crop("Alfalfa")->inputCosts;
    ic.NitrogenCost = 0.4;
    ic.Tillage = 30;
    ic.AlfalfaStand = 3;
    ic.AlfalfaBaling = 2.0;
    ic.NOptimal = true;
    ProductionCostPane* pane = openCosts("Alfalfa");
    click(pane, "Command13");
    for (QLineEdit* b : pane->findChildren<QLineEdit*>())
        EXPECT_EQ(b->text(), "") << b->objectName().toStdString();
    for (const char* name : {"chkNOptimal", "chkPOptimal", "chkSeedOptimal"})
        EXPECT_FALSE(on<QCheckBox>(pane, name)->isChecked()) << name;
    EXPECT_EQ(text(pane, "lblGICTOTAL"), "$0.00 / ac");
    EXPECT_EQ(text(pane, "lblOC"), "$0.00 / ac");
    EXPECT_EQ(ic.Tillage, 30); // nothing committed
}

// Every field of the crop shows in its box when the pane opens, and Apply writes back those of the crop's kind
// (the harvest charges of a grain crop, the forage operations of a forage crop) and no others.
TEST_F(CostPanesTest, EveryCostFieldShowsInItsBoxAndApplyWritesBackThoseOfTheCropsKind)
{
    using korvel::CostBox;
    using korvel::CostCommit;
    using korvel::inputCosts;
    using korvel::Overloaded;
    using korvel::Variant;
    for (const QString& name : {QStringLiteral("Corn"), QStringLiteral("Alfalfa")}) {
        SCOPED_TRACE(name.toStdString());
        const bool forage = name == QLatin1String("Alfalfa");
        inputCosts& ic = crop(name)->inputCosts;
        double next = 1000.25;
        for (const korvel::ProductionCostField& f : korvel::kProductionCostFields)
            std::visit(Overloaded{[&](bool inputCosts::*m) { ic.*m = f.box != std::string("chkSeedOptimal"); },
                                  [&](double inputCosts::*m) { ic.*m = next++; },
                                  [&](Variant inputCosts::*m) { ic.*m = next++; }},
                       f.member);
        const inputCosts entered = ic;

        ProductionCostPane* pane = openCosts(name);
        for (const korvel::ProductionCostField& f : korvel::kProductionCostFields) {
            SCOPED_TRACE(f.box);
            if (f.committed == (forage ? CostCommit::Harvest : CostCommit::Forage))
                continue; // shown or not, this crop never commits it
            std::visit(
                Overloaded{[&](bool inputCosts::*m) { EXPECT_EQ(on<QCheckBox>(pane, f.box)->isChecked(), entered.*m); },
                           [&](auto m) {
                               const QString shown = on(pane, f.box)->text();
                               EXPECT_EQ(korvel::ui::BoxTexts::value(shown), Variant(entered.*m).number());
                               EXPECT_EQ(shown.contains(QLatin1Char(',')), f.shown == CostBox::Money);
                           }},
                f.member);
        }

        ic = inputCosts();
        click(pane, "Command6"); // leaving the focused box may show its limit; it keeps the text it was given
        for (const korvel::ProductionCostField& f : korvel::kProductionCostFields) {
            SCOPED_TRACE(f.box);
            const bool written = f.committed != (forage ? CostCommit::Harvest : CostCommit::Forage);
            std::visit(Overloaded{[&](bool inputCosts::*m) { EXPECT_EQ(ic.*m, written && entered.*m); },
                                  [&](double inputCosts::*m) { EXPECT_EQ(ic.*m, written ? entered.*m : 0.0); },
                                  [&](Variant inputCosts::*m) { EXPECT_EQ(ic.*m, written ? entered.*m : Variant()); }},
                       f.member);
        }
    }
}

TEST_F(CostPanesTest, OpeningACostPaneBlanksTheZerosOfTheMainWindow)
{
    MainPane* mp = window->pneMain();
    mp->txtArea->setText("0");
    mp->txtMax->setText("0");
    mp->txtEff->setText("85");
    mp->txtAnnRain->setEditText("0");
    CropRow* corn = row("Corn");
    corn->chkCrop->click();
    corn->txtMaxYield->setText("0"); // the crop rows' boxes are their own
    on(window->pneIrrigCosts(), "txtGPM")->setText("0");

    openCosts("Wheat");
    EXPECT_EQ(mp->txtArea->text(), "");
    EXPECT_EQ(mp->txtMax->text(), "");
    EXPECT_EQ(mp->txtAnnRain->currentText(), "");
    EXPECT_EQ(mp->txtEff->text(), "85");
    EXPECT_EQ(corn->txtMaxYield->text(), "0");
    EXPECT_EQ(text(window->pneIrrigCosts(), "txtGPM"), "");

    click(window->pneInputCosts(), "cmdCancel(1)");
    mp->txtArea->setText("0");
    openIrrigation();
    EXPECT_EQ(mp->txtArea->text(), "");
}

TEST_F(CostPanesTest, DefaultButtonFillsTheBoxesOfTheCropByItsExactName)
{
    struct Case {
        const char* crop;
        std::vector<std::pair<const char*, const char*>> texts;
    };
    const Case cases[] = {
        {"Corn",
         {{"txtSeedCost", "2.89"},
          {"txtHerbicide", "30.00"},
          {"txtInsecticide", "36.48"},
          {"txtHarvestBase", "28.58"},
          {"txtExceed", "74"},
          {"txtExceedCost", "0.214"},
          {"txtHaulingCost", "0.197"},
          {"txtFlatRate", ""},
          {"txtReturns", ""},
          {"txtMiscCost", "3.00"},
          {"txtTillage", "31.26"}}},
        {"Alfalfa",
         {{"txtStand", "3"},
          {"txtSwathing", "12.50"},
          {"txtSwathingNum", ""},
          {"txtRaking", "4.54"},
          {"txtBaling", "16.50"},
          {"txtAlfFlat", "35.00"},
          {"txtPCost", "0.80"},
          {"txtHarvestBase", "9.00"}}},
        {"Fallow",
         {{"txtHerbicide", "8.00"},
          {"txtTillage", "25.00"},
          {"txtNitrogenCost", ""},
          {"txtPCost", "0.9"},
          {"txtInsecticideApplication", ""},
          {"txtSeedCost", "1.00"}}},
    };
    for (const Case& c : cases) {
        korvel::inputCosts& ic = crop(c.crop)->inputCosts;
        ic.MiscCost = 3;
        ic.AlfalfaSwathing = 7.0;
        ic.HarvestBasePerAcre = 9.0;
        ic.PCost = 0.9;
        ic.SeedCost = 1;
        ic.NitrogenApplied = 100;
        ic.Herbicide = 1;
        ProductionCostPane* pane = openCosts(c.crop);
        ASSERT_EQ(text(pane, "txtNitrogenApplied"), "100");
        const korvel::inputCosts before = ic;
        click(pane, "cmdDefault");
        for (const auto& [box, expected] : c.texts)
            EXPECT_EQ(text(pane, box), expected) << c.crop << " " << box;
        EXPECT_EQ(text(pane, "txtNitrogenApplied"), "");
        for (const char* name : {"chkNOptimal", "chkPOptimal", "chkSeedOptimal"})
            EXPECT_TRUE(on<QCheckBox>(pane, name)->isChecked()) << c.crop << " " << name;
        EXPECT_EQ(ic.Herbicide, before.Herbicide); // nothing committed before Apply
        click(pane, "cmdCancel(1)");
    }
}

TEST_F(CostPanesTest, CostBoxesAreCheckedWhenLeftWithTheCropsLimits)
{
    struct Case {
        const char* crop;
        const char* box;
        const char* typed;
        const char* message; // empty: the text passes
    };
    const Case cases[] = {
        {"Corn", "txtSeedRate", "99999", ""},
        {"Corn", "txtSeedRate", "100000",
         "Seed Rate - Corn:  Please enter a value that's less than or equal to 99,999"},
        {"Wheat", "txtSeedCost", "0.5", "Seed Cost - Wheat:  Please enter a value that's less than or equal to 0.4"},
        {"Corn", "txtNitrogenCost", "2", "Nitrogen Cost:  Please enter a value that's less than or equal to 1.5"},
        {"Corn", "txtNitrogenApplied", "-1", "Nitrogen Rate - Corn:  Please enter a value that's greater than 0"},
        {"Corn", "txtHerbicide", "x", "Herbicide Cost - Corn:  Please enter a numeric value!"},
        {"Alfalfa", "txtHerbicide", "199", ""},
        {"Alfalfa", "txtStand", "40", ""},
        {"Alfalfa", "txtStand", "41", "Life of Alfalfa Stand:  Please enter a value that's less than or equal to 40"},
        {"Alfalfa", "txtAlfFlat", "101",
         "Alfalfa Harvest Flat Rate:  Please enter a value that's less than or equal to 100"},
        {"Alfalfa", "txtRaking", "13", "Side Raking cost:  Please enter a value that's less than or equal to 12"},
        // A custom crop's crop-dependent boxes take the limit of their kind of value.
        {"Barley", "txtSeedRate", "10000000", ""},
        {"Barley", "txtSeedRate", "1e300",
         "Seed Rate - Barley:  Please enter a value that's less than or equal to 10,000,000"},
        {"Barley", "txtSeedCost", "1e300",
         "Seed Cost - Barley:  Please enter a value that's less than or equal to 100,000"},
        {"Barley", "txtHerbicide", "100001",
         "Herbicide Cost - Barley:  Please enter a value that's less than or equal to 100,000"},
        {"Barley", "txtFlatRate", "abc", "Harvesting Flat Rate - Barley:  Please enter a numeric value!"},
        {"Barley", "txtTillage", "101", "Tillage Cost:  Please enter a value that's less than or equal to 100"},
        {"Fallow", "txtFlatRate", "5", ""},
        // The boxes without a limit of their own: one limit for each kind of value.
        {"Wheat", "txtExceed", "1000000", ""},
        {"Wheat", "txtExceed", "1000001",
         "Extra Charge Yield - Wheat:  Please enter a value that's less than or equal to 1,000,000"},
        {"Wheat", "txtExceed", "abc", "Extra Charge Yield - Wheat:  Please enter a numeric value!"},
        {"Corn", "txtReturns", "-100000", ""},
        {"Corn", "txtReturns", "1e308",
         "Land Usage Returns:  Please enter a value that's less than or equal to 100,000"},
        {"Barley", "txtMiscCost", "250.5", ""},
        {"Barley", "txtMiscCost", "-1e308",
         "Miscellaneous Costs:  Please enter a value that's greater than or equal to -100,000"},
    };
    for (const Case& c : cases) {
        ProductionCostPane* pane = openCosts(c.crop);
        QLineEdit* b = on(pane, c.box);
        const QString before = b->text();
        dialogs.clearRecord();
        type(b, c.typed);
        leave(b, on(pane, std::string(c.box) == "txtMiscCost" ? "txtTillage" : "txtMiscCost"));
        if (*c.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u) << c.crop << " " << c.box;
            EXPECT_EQ(dialogs.lastText(), c.message);
            EXPECT_EQ(dialogs.messages[0].title, "Input error");
            EXPECT_EQ(b->text(), before); // the text before the typing
            EXPECT_EQ(QApplication::focusWidget(), b);
        } else {
            EXPECT_TRUE(dialogs.messages.empty()) << c.crop << " " << c.box << " " << dialogs.lastText().toStdString();
            EXPECT_EQ(b->text(), c.typed);
        }
        b->setText(QString());
        click(pane, "cmdCancel(1)");
    }
    // Texts set by code are never checked.
    ProductionCostPane* pane = openCosts("Corn");
    dialogs.clearRecord();
    on(pane, "txtNitrogenCost")->setText("99");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CostPanesTest, SubtotalsBeyondTheRangeOfANumberShowNoFigure)
{
    // Texts set from code (as the inputs file restores them) are never checked; the previews follow them.
    ProductionCostPane* pane = openCosts("Barley");
    on(pane, "txtHerbicide")->setText("1e308");
    on(pane, "txtInsecticide")->setText("1e308");
    EXPECT_EQ(text(pane, "lblGICTOTAL"), "$------- / ac");
    on(pane, "txtInsecticide")->setText("1");
    EXPECT_TRUE(text(pane, "lblGICTOTAL").startsWith("$100,000,000,")) << text(pane, "lblGICTOTAL").toStdString();
    on(pane, "txtTillage")->setText("1e999"); // too large to read: counts 0
    EXPECT_EQ(text(pane, "lblOC"), "$0.00 / ac");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
}

// --- Irrigation-cost pane ---------------------------------------------------------------------------------------

TEST_F(CostPanesTest, PumpingCostAndSeasonHintOfTheWorkedExample)
{
    window->pneMain()->txtArea->setText("160");
    IrrigationCostPane* pane = openIrrigation();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(text(pane, "lblICosts"), "$------- / ac");
    EXPECT_EQ(text(pane, "cboFuelType"), "Select fuel type");
    EXPECT_EQ(text(pane, "txtRepairsPerAcre"), "0.33");
    type(on(pane, "txtGPM"), "750");
    type(on(pane, "txtEstHours"), "1800");
    type(on(pane, "txtLift"), "120");
    type(on(pane, "txtPSI"), "35");
    type(on(pane, "txtCost"), "5.1");
    EXPECT_EQ(text(pane, "lblICosts"), "$------- / ac"); // no fuel chosen yet
    EXPECT_EQ(text(pane, "lblInchHint"), "Based on 750 gpm, 160 acres, and 1800 hours of pumping, you would apply "
                                         "18.6 inches of water in a season");
    pickFuel(on<QComboBox>(pane, "cboFuelType"), 2);
    EXPECT_EQ(text(pane, "cboFuelType"), "Natural Gas");
    EXPECT_EQ(text(pane, "lblICosts"), "$2.22 / ac-in");
    type(on(pane, "txtLaborPerHour"), "10"); // labour is not in the figure
    EXPECT_EQ(text(pane, "lblICosts"), "$2.22 / ac-in");

    // Without a discharge nothing is pumped: the repairs alone.
    type(on(pane, "txtGPM"), "0");
    EXPECT_EQ(text(pane, "lblICosts"), "$0.33 / ac-in");
    // Without acres the inches are not shown.
    window->pneMain()->txtArea->setText("");
    type(on(pane, "txtGPM"), "750");
    EXPECT_EQ(text(pane, "lblInchHint"), "Based on 750 gpm, 0 acres, and 1800 hours of pumping, you would apply "
                                         " inches of water in a season");

    click(pane, "Command9");
    const korvel::IrrigationCosts& c = *window->state().tempIrrigationCosts;
    EXPECT_EQ(c.GPM, 750);
    EXPECT_EQ(c.dblEstHours, 1800);
    EXPECT_EQ(c.Lift, 120);
    EXPECT_EQ(c.PSI, 35);
    EXPECT_EQ(c.cost, 5.1);
    EXPECT_EQ(c.LaborPerHour, 10);
    EXPECT_EQ(c.RepairsPerAcreInch, 0.33);
    EXPECT_EQ(c.FuelType, "Natural Gas");
    EXPECT_EQ(c.NPC, 61.7);
    EXPECT_TRUE(c.active);
    EXPECT_TRUE(window->pneMain()->isVisible());
}

TEST_F(CostPanesTest, AFuelPickedUpdatesTheCostATypedFuelOnlyReachesApply)
{
    window->state().tempIrrigationCosts->NPC = 12.5;
    IrrigationCostPane* pane = openIrrigation();
    auto* fuel = on<QComboBox>(pane, "cboFuelType");
    type(on(pane, "txtGPM"), "750");
    type(on(pane, "txtLift"), "120");
    type(on(pane, "txtPSI"), "35");
    type(on(pane, "txtCost"), "0.1");

    // "Select fuel type": never computed, and Apply keeps the energy per unit.
    click(pane, "Command9");
    EXPECT_EQ(window->state().tempIrrigationCosts->FuelType, "Select fuel type");
    EXPECT_EQ(window->state().tempIrrigationCosts->NPC, 12.5);
    EXPECT_TRUE(window->state().tempIrrigationCosts->active);
    pane = openIrrigation();
    EXPECT_EQ(text(pane, "lblICosts"), "$------- / ac");

    pickFuel(fuel, 3);
    EXPECT_EQ(text(pane, "cboFuelType"), "Electricity");
    const QString electric = text(pane, "lblICosts");
    EXPECT_EQ(electric, "$2.91 / ac-in"); // 38.04 whp for 0.6 hours at 0.1 a unit of 0.885, and 0.33 repairs

    pickFuel(fuel, 0);
    const QString diesel = text(pane, "lblICosts");
    EXPECT_EQ(diesel, "$0.51 / ac-in");
    type(fuel->lineEdit(), "Electricity");
    leave(fuel->lineEdit(), on(pane, "txtGPM"));
    EXPECT_EQ(text(pane, "lblICosts"), diesel);
    click(pane, "Command9");
    EXPECT_EQ(window->state().tempIrrigationCosts->FuelType, "Electricity");
    EXPECT_EQ(window->state().tempIrrigationCosts->NPC, 0.885);
}

TEST_F(CostPanesTest, FuelCostLimitFollowsTheFuelBox)
{
    IrrigationCostPane* pane = openIrrigation();
    auto* fuel = on<QComboBox>(pane, "cboFuelType");
    QLineEdit* cost = on(pane, "txtCost");
    struct Case {
        const char* fuel;
        const char* typed;
        const char* limit; // empty: passes
    };
    const Case cases[] = {
        {"Electricity", "0.5", "0.4"},      {"Diesel", "0.5", ""}, {"Diesel", "11", "10"}, {"Natural Gas", "25", ""},
        {"Select fuel type", "101", "100"}, {"Wood", "100", ""}};
    for (const Case& c : cases) {
        fuel->setEditText(c.fuel);
        dialogs.clearRecord();
        type(cost, c.typed);
        leave(cost, on(pane, "txtGPM"));
        if (*c.limit) {
            ASSERT_EQ(dialogs.messages.size(), 1u) << c.fuel;
            EXPECT_EQ(dialogs.lastText(),
                      QString("Fuel Cost:  Please enter a value that's less than or equal to ") + c.limit);
        } else {
            EXPECT_TRUE(dialogs.messages.empty()) << c.fuel << " " << dialogs.lastText().toStdString();
        }
        cost->setText(QString());
    }
    // The other boxes, and the discharge, which is never checked.
    struct Box {
        const char* box;
        const char* typed;
        const char* message;
    };
    const Box boxes[] = {
        {"txtLift", "1000", "Pumping Water Lift::  Please enter a value that's less than or equal to 999"},
        {"txtPSI", "201", "Well Head Operating Pressure:  Please enter a value that's less than or equal to 200"},
        {"txtRepairsPerAcre", "1", "Repairs and Maintenance:  Please enter a value that's less than or equal to 0.99"},
        {"txtEstHours", "8000", ""},
        {"txtLaborPerHour", "abc", "Labor:  Please enter a numeric value!"},
        {"txtGPM", "abc", ""},
    };
    for (const Box& b : boxes) {
        QLineEdit* box = on(pane, b.box);
        box->setText(QString());
        dialogs.clearRecord();
        type(box, b.typed);
        leave(box, cost);
        if (*b.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u) << b.box;
            EXPECT_EQ(dialogs.lastText(), b.message);
        } else {
            EXPECT_TRUE(dialogs.messages.empty()) << b.box;
        }
    }
}

TEST_F(CostPanesTest, IrrigationBackAndClearCommitNothing)
{
    IrrigationCostPane* pane = openIrrigation();
    type(on(pane, "txtGPM"), "900");
    click(pane, "cmdCancel(0)");
    EXPECT_TRUE(window->pneMain()->isVisible());
    EXPECT_EQ(window->state().tempIrrigationCosts->GPM, 0);
    pane = openIrrigation();
    EXPECT_EQ(text(pane, "txtGPM"), "900"); // the working copy stays

    click(pane, "cmdDefaultIrrigCosts");
    EXPECT_EQ(text(pane, "txtGPM"), "750");
    EXPECT_EQ(text(pane, "txtEstHours"), "1800");
    EXPECT_EQ(text(pane, "txtLift"), "120");
    EXPECT_EQ(text(pane, "txtPSI"), "35");
    EXPECT_EQ(text(pane, "txtRepairsPerAcre"), "0.33");
    EXPECT_EQ(text(pane, "cboFuelType"), "Natural Gas");
    EXPECT_EQ(text(pane, "txtCost"), "5.10");
    EXPECT_EQ(text(pane, "txtLaborPerHour"), "10");
    EXPECT_EQ(text(pane, "lblICosts"), "$2.22 / ac-in");
    EXPECT_EQ(window->state().tempIrrigationCosts->GPM, 0); // not until Apply
    EXPECT_FALSE(window->state().tempIrrigationCosts->active);

    click(pane, "Command4");
    for (QLineEdit* b : pane->findChildren<QLineEdit*>())
        EXPECT_EQ(b->text(), "") << b->objectName().toStdString();
    EXPECT_EQ(text(pane, "cboFuelType"), "");
    EXPECT_EQ(window->state().tempIrrigationCosts->GPM, 0);
}

// --- Default values of the main pane ----------------------------------------------------------------------------

TEST_F(CostPanesTest, LoadDefaultValuesCommitsTheTablesForTheNamedCrops)
{
    korvel::inputCosts& barley = crop("Barley")->inputCosts;
    barley.Herbicide = 3;
    barley.SeedCost = 1.5;
    korvel::inputCosts& corn = crop("Corn")->inputCosts;
    corn.MiscCost = 4;
    corn.AlfalfaSwathing = 2.0;
    window->pneMain()->txtArea->setText("160");

    window->pneMain()->defaultsButton->click();

    CropRow* cornRow = row("Corn");
    EXPECT_EQ(cornRow->txtPrice->text(), "6.52");
    EXPECT_EQ(cornRow->txtMaxYield->text(), "220");
    EXPECT_EQ(crop("Corn")->price, 6.52);
    EXPECT_EQ(crop("Corn")->maxYield, 220);
    EXPECT_EQ(corn.SeedCost, 2.89);
    EXPECT_EQ(corn.NitrogenCost, 0.44);
    EXPECT_EQ(corn.PCost, 0.8);
    EXPECT_EQ(corn.Insecticide, 36.48);
    EXPECT_EQ(corn.Tillage, 31.26);
    EXPECT_EQ(corn.FertilizerApplication, 5.12);
    EXPECT_EQ(corn.HarvestExceedBu, korvel::Variant(74));
    EXPECT_EQ(corn.HarvestHauling, korvel::Variant(0.197));
    EXPECT_EQ(corn.MiscCost, 4); // not in the tables
    EXPECT_EQ(corn.AlfalfaSwathing, korvel::Variant(2.0));
    EXPECT_EQ(row("Wheat")->txtPrice->text(), "6.20");

    const korvel::inputCosts& alfalfa = crop("Alfalfa")->inputCosts;
    EXPECT_EQ(alfalfa.AlfalfaPerTon, korvel::Variant(35));
    EXPECT_EQ(alfalfa.AlfalfaStand, korvel::Variant(3));
    EXPECT_TRUE(alfalfa.HarvestBasePerAcre.isEmpty());
    EXPECT_TRUE(alfalfa.AlfalfaSwathing.isEmpty());

    const korvel::inputCosts& fallow = crop("Fallow")->inputCosts;
    EXPECT_EQ(fallow.Herbicide, 8);
    EXPECT_EQ(fallow.Tillage, 25);
    EXPECT_EQ(fallow.HerbicideApplication, 5.26);
    EXPECT_EQ(fallow.NitrogenCost, 0);
    EXPECT_EQ(crop("Fallow")->price, 0);

    EXPECT_EQ(barley.Herbicide, 3);
    EXPECT_EQ(barley.SeedCost, 1.5);
    EXPECT_EQ(crop("Barley")->price, 0);
    for (const char* name : {"Corn", "Wheat", "Alfalfa", "Fallow", "Barley"}) {
        const korvel::inputCosts& ic = crop(name)->inputCosts;
        EXPECT_TRUE(ic.NOptimal && ic.POptimal && ic.SeedOptimal) << name;
        EXPECT_FALSE(row(name)->isActive()) << name; // the tick boxes are left alone
    }

    const korvel::IrrigationCosts& c = *window->state().tempIrrigationCosts;
    EXPECT_EQ(c.GPM, 750);
    EXPECT_EQ(c.Lift, 120);
    EXPECT_EQ(c.PSI, 35);
    EXPECT_EQ(c.RepairsPerAcreInch, 0.33);
    EXPECT_EQ(c.cost, 5.1);
    EXPECT_EQ(c.LaborPerHour, 10);
    EXPECT_EQ(c.FuelType, "Natural Gas");
    EXPECT_EQ(c.dblEstHours, 1800);
    EXPECT_EQ(c.NPC, 61.7);
    EXPECT_TRUE(c.active);
    IrrigationCostPane* pane = window->pneIrrigCosts();
    EXPECT_EQ(text(pane, "txtGPM"), "750");
    EXPECT_EQ(text(pane, "txtCost"), "5.10");
    EXPECT_EQ(text(pane, "cboFuelType"), "Natural Gas");
    EXPECT_EQ(text(pane, "lblICosts"), "$2.22 / ac-in");
    EXPECT_TRUE(text(pane, "lblInchHint").contains("18.6 inches")) << text(pane, "lblInchHint").toStdString();
    EXPECT_TRUE(window->pneMain()->isVisible());

    // The production-cost pane shows the committed values.
    ProductionCostPane* costs = openCosts("Corn");
    EXPECT_EQ(text(costs, "txtSeedCost"), "2.89");
    EXPECT_EQ(text(costs, "txtSeedRate"), "");
    EXPECT_EQ(text(costs, "txtExceed"), "74");
}

// A library crop named in lower case.
class CostPanesLowerCaseTest : public korvel::ui::test::MainWindowTest {
protected:
    void SetUp() override
    {
        folder.write("crops/01-corn.txt", cornTableNamed("corn").toStdString());
        open();
    }
};

TEST_F(CostPanesLowerCaseTest, CommandSevenMatchesInLowerCaseThePaneButtonExactly)
{
    MainWindow& main = w();
    ASSERT_EQ(main.cr(0)->GetCrop(), "corn");
    const std::shared_ptr<korvel::Crop> corn = main.cr(0)->crop();

    main.pneMain()->defaultsButton->click();
    EXPECT_EQ(corn->inputCosts.SeedCost, 2.89);
    EXPECT_EQ(corn->maxYield, 220);

    main.cr(0)->chkCrop->click();
    main.cr(0)->cmdInputCosts->click();
    ProductionCostPane* pane = main.pneInputCosts();
    auto* herbicide = pane->findChild<QLineEdit*>("txtHerbicide");
    auto* rate = pane->findChild<QLineEdit*>("txtNitrogenApplied");
    herbicide->setText("1.00");
    rate->setText("50");
    pane->findChild<QPushButton*>("cmdDefault")->click();
    EXPECT_EQ(herbicide->text(), "1.00"); // no table for "corn" on the pane
    EXPECT_EQ(rate->text(), "");
    EXPECT_TRUE(pane->findChild<QCheckBox*>("chkNOptimal")->isChecked());
}

} // namespace
