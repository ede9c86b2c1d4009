// The evaluation run from the main pane: the refusals of incomplete inputs, a full run on the shipped crops
// compared with the engine driven directly, the single-crop plans, failures inside a run, Cancel, a click on the
// run button while its search runs, closing during a search, and the inputs file round trip through the window.
#include <QProgressBar>
#include <QTimer>
#include <bit>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/FieldCalculator.h"
#include "model/FieldCollection.h"
#include "model/FileReader.h"
#include "model/IrrigationCosts.h"
#include "model/MakingCropCombos.h"
#include "model/MakingSplits.h"
#include "ui/AssembledWindow.h"
#include "ui/main/ProgressWindow.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

const QString kIncomplete = QStringLiteral("Please enter all of the necessary information before continuing!");

struct CropInput {
    std::string name;
    double price;
    double maxYield;
};

// The ranked list the engine gives for these inputs, built from a library read afresh (so nothing the window
// did to its crops can leak in): the search, then one single-crop plan per crop on the whole acreage.
std::shared_ptr<korvel::BestMix> engineList(const std::filesystem::path& folder, const std::vector<CropInput>& crops,
                                            double acres, double volume, double efficiency, double rain, int preset,
                                            const korvel::IrrigationCosts& costs)
{
    korvel::FileReader reader;
    EXPECT_TRUE(reader.Initialize(folder));
    korvel::CropScenario cs;
    for (const CropInput& in : crops) {
        for (const auto& c : *reader.cropCollection) {
            if (c->cropType != in.name)
                continue;
            c->price = in.price;
            c->maxYield = in.maxYield;
            c->setNormal(c->maxYield, rain);
            c->soilName = "Silt Loam";
            if (c->soil_ulysses->Count() > 0)
                c->setYieldTable(c->soil_ulysses->Item(2));
            cs.Add(c);
        }
    }
    korvel::SessionState s;
    s.SplitFactor = 10;
    s.IrrigationEfficiency = efficiency / 100;
    korvel::MakingSplits::makeLandSplit(s, preset);
    s.LandSplit = korvel::MakingSplits::scaleLandSplit(*s.LandSplit, acres);
    const double net = volume * s.IrrigationEfficiency;
    const int n = s.LandSplit->Count();
    const auto depths =
        korvel::MakingSplits::makeDepthSplits(korvel::MakingSplits::makeWaterSplits(s, n, net), *s.LandSplit);
    auto bm = korvel::FieldCalculator::EvaluateCombinations(depths, korvel::MakingCropCombos::makeCropCombos(cs, n),
                                                            *s.LandSplit, rain, 100, costs, s);
    auto shared = std::make_shared<korvel::IrrigationCosts>(costs);
    for (const auto& c : cs) {
        auto f = std::make_shared<korvel::Field>();
        f->acres = acres;
        f->theCrop = c;
        f->Depth = c->cropType == "Fallow" ? 0 : net / acres;
        f->annualRain = rain;
        f->irrigCosts = shared;
        c->setYield(f->Depth, rain);
        korvel::FieldCollection plan;
        plan.Add(f);
        bm->submit(plan, s);
    }
    return bm;
}

void expectSameList(korvel::BestMix::Entries got, korvel::BestMix::Entries want, const korvel::SessionState& s)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i]->Count(), want[i]->Count()) << "entry " << i;
        for (long k = 1; k <= got[i]->Count(); ++k) {
            const auto& a = got[i]->Item(k);
            const auto& b = want[i]->Item(k);
            EXPECT_EQ(a->theCrop->cropType, b->theCrop->cropType) << "entry " << i;
            EXPECT_EQ(a->acres, b->acres) << "entry " << i;
            EXPECT_EQ(a->Depth, b->Depth) << "entry " << i;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(a->theCrop->Yield), std::bit_cast<std::uint64_t>(b->theCrop->Yield));
        }
        if (got[i]->Count() > 0) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(got[i]->Copy()->getProfit(s)),
                      std::bit_cast<std::uint64_t>(want[i]->Copy()->getProfit(s)))
                << "entry " << i;
        }
    }
}

// Runs `step` every time the search lets window messages through, from the second time on (the first one comes
// before the search clears the cancel flag).
class DuringSearch {
public:
    DuringSearch(MainWindow& w, std::function<void(ProgressWindow&)> step) : w_(w), step_(std::move(step))
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            ProgressWindow* progress = w_.progressWindow();
            if (!w_.searchRunning() || !progress)
                return;
            if (++ticks_ >= 2)
                step_(*progress);
        });
        timer_.start();
    }
    int ticks() const { return ticks_; }

private:
    MainWindow& w_;
    std::function<void(ProgressWindow&)> step_;
    QTimer timer_;
    int ticks_ = 0;
};

} // namespace

TEST_F(MainWindowTest, RunButtonRefusesIncompleteInputs)
{
    open();
    struct Case {
        const char* what;
        std::function<void(MainWindowTest&)> spoil;
    };
    const std::vector<Case> cases = {
        {"no acreage", [](MainWindowTest& t) { t.pane().txtArea->setText(""); }},
        {"an acreage of 0", [](MainWindowTest& t) { t.pane().txtArea->setText("0"); }},
        {"a negative acreage",
         [](MainWindowTest& t) {
             t.pane().txtArea->setText("-160");
             t.pane().txtMax->setText("-12");
         }},
        {"no gross inches", [](MainWindowTest& t) { t.pane().txtMax->setText(""); }},
        {"a rainfall that is not a number", [](MainWindowTest& t) { t.pane().txtAnnRain->setEditText("16 in"); }},
        {"no rainfall", [](MainWindowTest& t) { t.pane().txtAnnRain->setEditText(""); }},
        {"no crop ticked",
         [](MainWindowTest& t) {
             for (int i = 0; i < t.w().cropRowCount(); ++i)
                 t.w().cr(i)->chkCrop->setChecked(false);
         }},
        {"no preset",
         [](MainWindowTest& t) {
             t.pane().presetButtons[0]->setAutoExclusive(false);
             t.pane().presetButtons[0]->setChecked(false);
             t.pane().presetButtons[0]->setAutoExclusive(true);
         }},
        {"an empty efficiency", [](MainWindowTest& t) { t.pane().txtEff->setText(""); }},
        {"an efficiency of 0", [](MainWindowTest& t) { t.pane().txtEff->setText("0"); }},
    };
    for (const Case& c : cases) {
        fillInputs();
        ASSERT_TRUE(w().ready());
        c.spoil(*this);
        dialogs.clearRecord();
        session.TrendMode = true;
        pane().runButton->click();
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.messages[0].text, kIncomplete) << c.what;
        EXPECT_EQ(dialogs.messages[0].title, "Error");
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_FALSE(session.TrendMode) << "the run button leaves trend mode first";
        EXPECT_FALSE(inputsFileExists()) << c.what;
        EXPECT_EQ(w().progressWindow(), nullptr) << c.what;
        EXPECT_TRUE(pneResults(w())->isHidden());
    }
}

TEST_F(MainWindowTest, FullRunRanksWhatTheEngineRanksAndShowsTheResults)
{
    open();
    fillInputs();
    tick("Fallow", "", "");
    w().state().tempIrrigationCosts->GPM = 750;
    w().state().tempIrrigationCosts->Lift = 120;
    w().state().tempIrrigationCosts->PSI = 35;
    w().state().tempIrrigationCosts->NPC = 61.7;
    w().state().tempIrrigationCosts->cost = 5.1;
    w().state().tempIrrigationCosts->RepairsPerAcreInch = 0.33;
    w().state().tempIrrigationCosts->active = true;

    pane().runButton->click();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    EXPECT_FALSE(pneResults(w())->isHidden());
    EXPECT_TRUE(pane().isHidden());
    EXPECT_TRUE(inputsFileExists()) << "every run saves the inputs";
    EXPECT_TRUE(w().mnuPrint->isEnabled());
    ASSERT_NE(w().progressWindow(), nullptr);
    EXPECT_FALSE(w().progressWindow()->isVisible()) << "the progress window closes with the search";
    EXPECT_EQ(w().progressWindow()->findChild<QLabel*>("lblTitle(0)")->text(), "Evaluating Possible Combinations");
    EXPECT_EQ(session.IrrigationEfficiency, 0.85);
    ASSERT_EQ(session.LandSplit->Count(), 2);
    EXPECT_EQ(session.LandSplit->Item(1), 80);
    ASSERT_EQ(w().state().cs->Count(), 3);
    EXPECT_EQ(w().state().cs->Item(1), w().cropLibrary()->Item(1))
        << "the run's crops are the library crops themselves";
    EXPECT_EQ(w().state().cs->Item(1)->soilName, "Silt Loam");
    EXPECT_EQ(w().state().cs->Item(1)->price, 6.52);

    const auto bm = w().RunScenario(QString());
    const auto want = engineList(folder.path(), {{"Corn", 6.52, 220}, {"Wheat", 6.2, 75}, {"Fallow", 0, 0}}, 160, 1920,
                                 85, 16, 0, *w().state().tempIrrigationCosts);
    expectSameList(bm->returnCollection(true, session), want->returnCollection(true, session), session);
}

// Typing into a crop row while the run is held before its search or before its single-crop plans: every option
// of that run keeps the price and maximum yield the run read when it started, the typed value counts from the next
// run, and a value above the row's limit is refused when the box is left, as at any other time.
TEST_F(MainWindowTest, ValuesTypedDuringARunCountFromTheNextRun)
{
    using Point = MainWindow::RunPoint;
    struct Case {
        Point point;
        const char* box;
        const char* typed;
        CropInput next; // Corn as the next run reads it
    };
    const Case cases[] = {
        {Point::SearchBegins, "txtMaxYield", "300", {"Corn", 6.52, 300}},
        {Point::SearchEnded, "txtMaxYield", "300", {"Corn", 6.52, 300}},
        {Point::SearchEnded, "txtPrice", "9", {"Corn", 9, 220}},
    };
    open();
    activate(&w());
    fillInputs();
    const auto& costs = *w().state().tempIrrigationCosts;
    const CropInput wheat{"Wheat", 6.2, 75};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed + (c.point == Point::SearchBegins ? " before" : " after") +
                     " the search");
        tick("Corn", "6.52", "220");
        QLineEdit* box = row("Corn")->findChild<QLineEdit*>(c.box);
        ASSERT_NE(box, nullptr);
        int held = 0;
        w().setRunPointObserver([&](Point at) {
            if (at == c.point && held++ == 0)
                typeInto(box, QString::fromLatin1(c.typed));
        });
        const auto bm = w().RunScenario(QString());
        w().setRunPointObserver({});
        ASSERT_EQ(held, 1);
        EXPECT_EQ(box->text(), QString::fromLatin1(c.typed));
        const auto read = engineList(folder.path(), {{"Corn", 6.52, 220}, wheat}, 160, 1920, 85, 16, 0, costs);
        expectSameList(bm->returnCollection(true, session), read->returnCollection(true, session), session);

        const auto next = engineList(folder.path(), {c.next, wheat}, 160, 1920, 85, 16, 0, costs);
        expectSameList(w().RunScenario(QString())->returnCollection(true, session),
                       next->returnCollection(true, session), session);
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    }

    // A value above the row's limit typed while the run is held is refused when the box is left.
    tick("Corn", "6.52", "220");
    QLineEdit* maxYield = row("Corn")->txtMaxYield;
    w().setRunPointObserver([&](Point at) {
        if (at == Point::SearchEnded)
            typeInto(maxYield, QStringLiteral("1e300"));
    });
    const auto bm = w().RunScenario(QString());
    w().setRunPointObserver({});
    const auto read = engineList(folder.path(), {{"Corn", 6.52, 220}, wheat}, 160, 1920, 85, 16, 0, costs);
    expectSameList(bm->returnCollection(true, session), read->returnCollection(true, session), session);
    activate(&w()); // back from the progress window
    row("Corn")->txtPrice->setFocus(Qt::TabFocusReason);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.lastText(), "Maximum Yield - Corn:  Please enter a value that's less than or equal to 500");
    EXPECT_EQ(maxYield->text(), "220");
}

TEST_F(MainWindowTest, WholeFarmPresetWithAFactorOfSixGivesOnlyTheSingleCropPlans)
{
    open();
    fillInputs();
    pane().presetButtons[5]->setChecked(true);
    session.SplitFactor = 6;
    const auto bm = w().RunScenario(QString());
    const auto list = bm->returnCollection(true, session);
    ASSERT_EQ(list.size(), 100u);
    ASSERT_EQ(list[0]->Count(), 1);
    ASSERT_EQ(list[1]->Count(), 1);
    EXPECT_EQ(list[2]->Count(), 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(list[i]->Item(1)->acres, 160);
        EXPECT_DOUBLE_EQ(list[i]->Item(1)->Depth, 1920 * 0.85 / 160);
    }
}

TEST_F(MainWindowTest, TheRunSharesTheVolumeTheLabelShows)
{
    open();
    fillInputs();
    pane().presetButtons[5]->setChecked(true);
    typeInto(pane().txtArea, QStringLiteral("640.5"));
    typeInto(pane().txtMax, QStringLiteral("9"));
    ASSERT_EQ(pane().lblVolume->text(), "5,764") << "5,764.5 acre-inches, the half to the even neighbour";
    const auto list = w().RunScenario(QString())->returnCollection(true, session);
    ASSERT_EQ(list[0]->Count(), 1);
    EXPECT_DOUBLE_EQ(list[0]->Item(1)->Depth, 5764 * 0.85 / 640.5);
}

TEST_F(MainWindowTest, AcresTypedWithDigitGroupingAreTheAcresTheRunUses)
{
    open();
    fillInputs();
    pane().presetButtons[5]->setChecked(true);
    typeInto(pane().txtArea, QStringLiteral("1,500"));
    typeInto(pane().txtMax, QStringLiteral("12"));
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    ASSERT_EQ(pane().lblVolume->text(), "18,000");
    const auto list = w().RunScenario(QString())->returnCollection(true, session);
    ASSERT_FALSE(list.empty());
    ASSERT_EQ(list[0]->Count(), 1);
    EXPECT_DOUBLE_EQ(list[0]->Item(1)->acres, 1500);
    EXPECT_DOUBLE_EQ(list[0]->Item(1)->Depth, 18000 * 0.85 / 1500);
}

TEST_F(MainWindowTest, RainfallOutsideTheTablesStopsTheRunWithAMessage)
{
    open();
    fillInputs();
    pane().runButton->click();
    ASSERT_FALSE(pneResults(w())->isHidden());
    w().ShowPane(&pane());

    dialogs.clearRecord();
    pane().txtAnnRain->setEditText("30");
    pane().runButton->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("The evaluation could not be completed"))
        << dialogs.lastText().toStdString();
    EXPECT_EQ(dialogs.messages[0].title, "Error");
    EXPECT_FALSE(w().progressWindow()->isVisible());
    EXPECT_FALSE(pane().isHidden()) << "the previous results are not replaced";
    EXPECT_FALSE(w().searchRunning());

    // The next sound run works again.
    dialogs.clearRecord();
    pane().txtAnnRain->setEditText("16");
    pane().runButton->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(pneResults(w())->isHidden());
}

// Values that no box takes when typed can still come from code (the inputs file restores texts unchecked): when a
// figure of an option has no finite value, the run says so and shows no option rather than blank figures.
TEST_F(MainWindowTest, FiguresThatCannotBeComputedStopTheRunWithAMessage)
{
    struct Case {
        const char* what;
        std::function<void(CropRow&)> set;
        const char* figure;
    };
    const Case cases[] = {
        {"price and maximum yield of 1e300",
         [](CropRow& r) {
             r.txtPrice->setText("1e300");
             r.txtMaxYield->setText("1e300");
         },
         "the returns of a field"},
        {"land usage returns of 1e308", [](CropRow& r) { r.crop()->inputCosts.Returns = 1e308; },
         "the returns of a field"},
        {"miscellaneous costs of -1e308", [](CropRow& r) { r.crop()->inputCosts.MiscCost = -1e308; },
         "the costs of a field"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        fillInputs();
        c.set(*row("Corn"));
        dialogs.clearRecord();
        pane().runButton->click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.lastText().startsWith("The evaluation could not be completed: a result is not a finite "
                                                  "number ("))
            << dialogs.lastText().toStdString();
        EXPECT_TRUE(dialogs.lastText().contains(QString::fromLatin1(c.figure))) << dialogs.lastText().toStdString();
        EXPECT_TRUE(pneResults(w())->isHidden()) << "no option is shown";
        EXPECT_FALSE(pane().isHidden());
        EXPECT_FALSE(w().searchRunning());
    }
}

// The inputs file sets the acreage and the gross inches unchecked: a value above its box's limit stops the run
// with that box's message before any search, and the previous results stay.
TEST_F(MainWindowTest, AcresOrGrossInchesAboveTheirLimitsStopTheRunWithTheLimitMessage)
{
    struct Case {
        const char* acres;
        const char* inches;
        const char* message;
    };
    const Case cases[] = {
        {"1000001", "12", "Total Acres:  Please enter a value that's less than or equal to 1,000,000"},
        {"1e304", "1", "Total Acres:  Please enter a value that's less than or equal to 1,000,000"},
        {"160", "200.5",
         "Annual Gross Irrigation Amount (inches):  Please enter a value that's less than or equal to 200"},
        {"2,000,000", "2000", "Total Acres:  Please enter a value that's less than or equal to 1,000,000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        open();
        fillInputs();
        pane().runButton->click();
        ASSERT_FALSE(pneResults(w())->isHidden());
        w().ShowPane(&pane());

        pane().txtArea->setText(c.acres);
        pane().txtMax->setText(c.inches);
        ASSERT_TRUE(w().ready());
        dialogs.clearRecord();
        session.TrendMode = true;
        EXPECT_EQ(w().RunScenario(QString())->getSize(), 0);
        EXPECT_TRUE(session.TrendCancelled) << "a trend ends with the refused run";
        session.TrendMode = false;
        pane().runButton->click();
        ASSERT_EQ(dialogs.messages.size(), 2u);
        for (const auto& m : dialogs.messages) {
            EXPECT_EQ(m.text, c.message);
            EXPECT_EQ(m.title, "Error");
        }
        EXPECT_FALSE(w().progressWindow() && w().progressWindow()->isVisible());
        EXPECT_FALSE(pane().isHidden()) << "the previous results are not replaced";
        EXPECT_FALSE(w().searchRunning());
    }
}

TEST(ProgressWindow, CountsStepsShowsItsTitleAndCancelOnlySetsTheFlag)
{
    korvel::SessionState s;
    ProgressWindow progress(s);
    EXPECT_EQ(progress.windowTitle(), "Form1");
    EXPECT_EQ(progress.findChild<QLabel*>("lblTitle(0)")->text(), "Label1");
    EXPECT_EQ(progress.findChild<QLabel*>("lblTitle(1)")->text(), "");
    progress.setTitle("Evaluating Possible Combinations");
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.findChild<QLabel*>("lblTitle(0)")->text(), "Evaluating Possible Combinations");
    for (int i = 0; i < 11; ++i)
        progress.Update();
    progress.setMax(12);
    EXPECT_EQ(progress.value(), 0);
    progress.Update();
    EXPECT_EQ(progress.value(), 1);
    EXPECT_EQ(progress.findChild<QProgressBar*>("ProgressBar")->value(), 1);
    EXPECT_EQ(progress.findChild<QProgressBar*>("ProgressBar")->maximum(), 12);

    auto* cancel = progress.findChild<QPushButton*>("Command1");
    EXPECT_EQ(cancel->text(), "Cancel");
    cancel->click();
    cancel->click();
    EXPECT_TRUE(s.CancelRequested);
    EXPECT_TRUE(progress.isVisible()) << "Cancel leaves closing to the search";
    progress.close();
    EXPECT_FALSE(progress.isVisible());
}

// A large run: the search reports finished depth splits in batches, and the window still counts every one of
// them and ends with a full bar.
TEST_F(MainWindowTest, ProgressCountsEveryDepthSplitOfALargeRun)
{
    open();
    fillInputs();
    pane().presetButtons[4]->setChecked(true); // four fields
    session.SplitFactor = 100;                 // 176,851 water splits
    pane().runButton->click();
    ASSERT_FALSE(pneResults(w())->isHidden());
    const ProgressWindow* progress = w().progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->maximum(), 176851);
    EXPECT_EQ(progress->value(), 176851);
    EXPECT_EQ(progress->findChild<QProgressBar*>("ProgressBar")->value(), 176851);
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(MainWindowTest, CancelStopsTheSearchAndKeepsThePreviousResults)
{
    open();
    fillInputs();
    tieEverything();

    ProgressWindow* seen = nullptr;
    int runClicks = 0;
    DuringSearch during(w(), [&](ProgressWindow& progress) {
        seen = &progress;
        // The run button does nothing while its own search runs.
        if (runClicks++ == 0) {
            pane().runButton->click();
            EXPECT_EQ(w().progressWindow(), &progress);
            EXPECT_TRUE(dialogs.messages.empty());
        }
        progress.findChild<QPushButton*>("Command1")->click();
    });
    session.TrendMode = true;
    const auto bm = w().RunScenario(QString());
    EXPECT_EQ(bm->getSize(), 0) << "a cancelled run yields an empty list";
    EXPECT_TRUE(session.CancelRequested);
    EXPECT_TRUE(session.TrendCancelled) << "set from the trend mode of the cancelled run";
    ASSERT_NE(seen, nullptr) << "the search let window messages through";
    EXPECT_FALSE(w().progressWindow()->isVisible());

    // Through the run button: nothing new is shown.
    session.TrendCancelled = false;
    pane().runButton->click();
    EXPECT_FALSE(pane().isHidden());
    EXPECT_TRUE(pneResults(w())->isHidden());
    EXPECT_FALSE(session.TrendCancelled) << "the run button clears trend mode first";
}

TEST_F(MainWindowTest, ClosingDuringASearchCancelsItAndClosesAfterwards)
{
    open();
    w().show();
    fillInputs();
    tieEverything();
    bool closedDuring = false;
    DuringSearch during(w(), [&](ProgressWindow&) {
        if (!closedDuring) {
            closedDuring = true;
            EXPECT_FALSE(w().close()) << "the window stays while the search unwinds";
        }
    });
    pane().runButton->click();
    EXPECT_TRUE(closedDuring);
    EXPECT_TRUE(session.CancelRequested);
    EXPECT_TRUE(pneResults(w())->isHidden());
    QTest::qWait(20);
    EXPECT_FALSE(w().isVisible()) << "the close goes through once the search has ended";
}

TEST_F(MainWindowTest, InputsComeBackThroughTheWindowAfterARun)
{
    open();
    fillInputs();
    pane().txtEff->setText("85.50");
    pane().presetButtons[3]->setChecked(true);
    pane().txtSoil->setCurrentIndex(2);
    w().state().tempIrrigationCosts->GPM = 750;
    w().state().tempIrrigationCosts->dblEstHours = 1800;
    w().state().tempIrrigationCosts->FuelType = "Natural Gas";
    w().state().tempIrrigationCosts->active = true;
    pane().runButton->click();
    ASSERT_TRUE(inputsFileExists());
    window.reset();

    korvel::SessionState again;
    MainWindow restored(ProgramFolders::inOne(QString::fromStdString(folder.path().string())), again, windowPanes());
    restored.load();
    MainPane& p = *restored.pneMain();
    EXPECT_EQ(p.txtArea->text(), "160");
    EXPECT_EQ(p.txtMax->text(), "12");
    EXPECT_EQ(p.txtEff->text(), "85.5") << "the efficiency comes back as the number it reads as";
    EXPECT_EQ(p.txtAnnRain->currentText(), "16");
    EXPECT_EQ(p.selectedPreset(), 3);
    EXPECT_EQ(p.lblVolume->text(), "1,920") << "setting the boxes runs their change handlers";
    EXPECT_EQ(p.txtSoil->currentText(), "Silt Loam") << "the soil is not saved";
    EXPECT_EQ(restored.state().tempIrrigationCosts->GPM, 750);
    EXPECT_EQ(restored.state().tempIrrigationCosts->FuelType, "Natural Gas");
    EXPECT_TRUE(restored.state().tempIrrigationCosts->active);
    CropRow* corn = restored.cr(0);
    EXPECT_EQ(corn->GetCrop(), "Corn");
    EXPECT_EQ(corn->crop()->price, 6.52);
    EXPECT_EQ(corn->txtPrice->text(), "6.52");
    EXPECT_EQ(corn->txtMaxYield->text(), "220");
    EXPECT_FALSE(corn->isActive()) << "ticks are not saved";
    EXPECT_EQ(restored.cr(1)->txtPrice->text(), "0.00") << "every row is refreshed from its crop";
}
