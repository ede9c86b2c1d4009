// The trend runs on the shipped crops: a variable trend repeating the evaluation per value, a fixed trend
// recomputing one option, their cancels, and the trend results view that shows them.
#include <QProgressBar>
#include <QTimer>

#include "ui/main/ProgressWindow.h"

#include "model/Numbers.h"
#include "trend/TrendFixture.h"
#include "ui/platform/Twips.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

// Every field of the crop named crop in the ranked list.
std::vector<std::shared_ptr<korvel::Field>> fieldsOf(const korvel::BestMix& list, const std::string& crop)
{
    std::vector<std::shared_ptr<korvel::Field>> out;
    for (const auto& option : list.entries())
        for (const auto& field : *option)
            if (field->theCrop->cropType == crop)
                out.push_back(field);
    return out;
}

} // namespace

TEST_F(TrendTest, VariableTrendRunsOneEvaluationPerValueAndPagesThroughTheSteps)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6, 7"));
    setup().cmdBatchIt->click();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();

    const auto& lists = trend().BatchCollection;
    ASSERT_EQ(lists.size(), 3u);
    const double prices[] = {5, 6, 7};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lists[i]->getSize(), 100);
        const auto corn = fieldsOf(*lists[i], "Corn");
        ASSERT_FALSE(corn.empty()) << "step " << i + 1;
        for (const auto& field : corn)
            EXPECT_EQ(field->theCrop->price, prices[i]) << "step " << i + 1;
    }
    EXPECT_GT(lists[2]->entries()[0]->getProfit(session), lists[0]->entries()[0]->getProfit(session));
    EXPECT_EQ(row(QStringLiteral("Corn"))->txtPrice->text(), "7") << "the inputs show the last value";
    ASSERT_EQ(setup().ProcessCollection.size(), 1u);
    EXPECT_EQ(session.TrendValues.size(), 3u);
    EXPECT_EQ(session.TrendVariableName, "Crop Price");
    EXPECT_EQ(session.TrendCropName, "Corn");
    EXPECT_TRUE(session.TrendMode);

    EXPECT_FALSE(resultsPane().isHidden());
    EXPECT_EQ(resultsPane().batchTitle->text(), "Variable Trend Results");
    EXPECT_FALSE(view().pnlBatchSteps->isHidden());
    EXPECT_EQ(view().theResults->y(), korvel::ui::twips(600));
    EXPECT_TRUE(inside<QFrame>(view().theResults, "pnlBatchedVariables")->isHidden());
    EXPECT_EQ(view().stepCounter->text(), "Step 1 of 3");
    EXPECT_EQ(view().lblFreeBatchDescription->text(), "Corn Crop Price: $5.00 / bu.");
    EXPECT_EQ(view().theResults->currentRecord, 1);
    EXPECT_EQ(view().theResults->shownOption(), lists[0]->entries()[0]);

    view().cmdBatchStep[1]->click();
    EXPECT_EQ(view().stepCounter->text(), "Step 1 of 3") << "no step before the first";
    view().cmdBatchStep[0]->click();
    EXPECT_EQ(view().stepCounter->text(), "Step 2 of 3");
    EXPECT_EQ(view().lblFreeBatchDescription->text(), "Corn Crop Price: $6.00 / bu.");
    EXPECT_EQ(view().theResults->shownOption(), lists[1]->entries()[0]);
    view().cmdBatchStep[0]->click();
    view().cmdBatchStep[0]->click();
    EXPECT_EQ(view().currentStep(), 3) << "no step after the last";
    EXPECT_EQ(view().lblFreeBatchDescription->text(), "Corn Crop Price: $7.00 / bu.");

    // The option browser's Back leads to the setup while the trend is under way.
    inside<QPushButton>(view().theResults, "Command1")->click();
    EXPECT_FALSE(setup().isHidden());
    EXPECT_EQ(w().paneHistory().back(), &setup());

    // A second run from the same setup starts from the saved inputs and keeps one process.
    manualValues(2, QStringLiteral("180, 260"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(trend().BatchCollection.size(), 2u);
    EXPECT_EQ(setup().ProcessCollection.size(), 1u);
    EXPECT_EQ(row(QStringLiteral("Corn"))->crop()->price, 6.52);
    EXPECT_EQ(view().lblFreeBatchDescription->text(), "Corn Maximum Yield: 180.00 bushels / acre");
}

TEST_F(TrendTest, VariableTrendOnProductionCostsSetsTheOverrideOfItsCropRow)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    setup().cboCrops->setCurrentIndex(1); // Wheat, crop row 2
    manualValues(1, QStringLiteral("100, 200"));
    setup().cmdBatchIt->click();
    const auto& lists = trend().BatchCollection;
    ASSERT_EQ(lists.size(), 2u);
    const double costs[] = {100, 200};
    for (std::size_t i = 0; i < 2; ++i) {
        for (const auto& field : fieldsOf(*lists[i], "Wheat")) {
            EXPECT_TRUE(field->theCrop->inputCosts.UseBatch);
            EXPECT_EQ(field->getProductionCosts(session), costs[i] * field->acres);
        }
        for (const auto& field : fieldsOf(*lists[i], "Corn"))
            EXPECT_FALSE(field->theCrop->inputCosts.UseBatch);
    }
    EXPECT_TRUE(w().cr(2)->crop()->inputCosts.UseBatch) << "the last value's override stays until Back";
    EXPECT_EQ(w().cr(2)->crop()->inputCosts.BatchGeneralCosts, 200);
    EXPECT_EQ(view().lblFreeBatchDescription->text(), "Wheat General Production Costs: $100.00 / ac");

    inside<QPushButton>(view().theResults, "Command1")->click();
    manualValues(0, QStringLiteral("5, 6"));
    setup().cmdBatchIt->click();
    EXPECT_FALSE(w().cr(2)->crop()->inputCosts.UseBatch) << "a later trend on the same row clears it first";
}

TEST_F(TrendTest, SwitchingTrendsOffLeavesNoOverrideForTheNextRun)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    setup().cboCrops->setCurrentIndex(1); // Wheat, crop row 2
    manualValues(1, QStringLiteral("100, 200"));
    setup().cmdBatchIt->click();
    ASSERT_TRUE(w().cr(2)->crop()->inputCosts.UseBatch);

    w().mnuEnableBatch->trigger(); // off, without Back
    EXPECT_FALSE(session.BatchEnabled);
    EXPECT_FALSE(w().cr(2)->crop()->inputCosts.UseBatch);
    EXPECT_EQ(w().cr(2)->crop()->inputCosts.BatchGeneralCosts, 0);
    EXPECT_FALSE(w().state().tempIrrigationCosts->UseBatch);
}

TEST_F(TrendTest, CancelPressedDuringAnyStepEndsTheVariableTrendWithoutResults)
{
    openWithTrends();
    const QString values[] = {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")};
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        w().mnuFallBatch->trigger();
        manualValues(0, QStringLiteral("5, 6, 7"));
        // As step k's value reaches the crop row, the user presses Cancel on the progress window: the click waits
        // in the queue until the trend next lets window messages run, as a click does while the window is busy.
        bool pressed = false;
        const QString value = values[k - 1];
        const QMetaObject::Connection watch = QObject::connect(
            row(QStringLiteral("Corn"))->txtPrice, &QLineEdit::textChanged, &w(), [&](const QString& t) {
                if (t != value || pressed)
                    return;
                pressed = true;
                QMetaObject::invokeMethod(
                    &w(),
                    [this] {
                        ProgressWindow* progress = w().progressWindow();
                        ASSERT_TRUE(progress && progress->isVisible()) << "the progress window is on the screen";
                        progress->findChild<QPushButton*>("Command1")->click();
                    },
                    Qt::QueuedConnection);
            });
        setup().cmdBatchIt->click();
        QObject::disconnect(watch);
        ASSERT_TRUE(pressed);
        EXPECT_EQ(trend().BatchCollection.size(), static_cast<std::size_t>(k - 1)) << "the steps completed before";
        EXPECT_FALSE(session.TrendCancelled);
        EXPECT_FALSE(setup().isHidden()) << "the setup pane stays";
        EXPECT_TRUE(resultsPane().isHidden());
        EXPECT_EQ(row(QStringLiteral("Corn"))->txtPrice->text(), value)
            << "the inputs stay as the cancelled step set them";
        EXPECT_FALSE(w().progressWindow()->isVisible());
        EXPECT_TRUE(dialogs.messages.empty());
        setup().backButton->click();
    }
}

TEST_F(TrendTest, OneProgressWindowAdvancesStepByStepThroughTheWholeTrend)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6, 7"));
    // Between two steps, as the next value reaches the crop row: the window of the trend, still shown, its bar
    // at the steps done.
    std::vector<ProgressWindow*> windows;
    QObject::connect(row(QStringLiteral("Corn"))->txtPrice, &QLineEdit::textChanged, &w(), [&](const QString&) {
        ProgressWindow* progress = w().progressWindow();
        ASSERT_NE(progress, nullptr);
        const int step = static_cast<int>(windows.size()) + 1;
        windows.push_back(progress);
        EXPECT_TRUE(progress->isVisible()) << "step " << step;
        const auto* bar = progress->findChild<QProgressBar*>("ProgressBar");
        EXPECT_EQ(bar->value() * 3, (step - 1) * bar->maximum()) << "step " << step;
    });
    setup().cmdBatchIt->click();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[1], windows[0]);
    EXPECT_EQ(windows[2], windows[0]);
    EXPECT_EQ(w().progressWindow(), windows[0]);
    EXPECT_FALSE(windows[0]->isVisible()) << "closed with the trend";
    EXPECT_EQ(trend().BatchCollection.size(), 3u);
    EXPECT_FALSE(resultsPane().isHidden());
}

// A step cannot be evaluated: the second one at an efficiency of 0, or the first one on a farm larger than the
// acreage box takes (as the inputs file can bring it), refused with that box's message.
TEST_F(TrendTest, AStepThatCannotBeEvaluatedEndsTheTrendLikeACancel)
{
    const struct {
        const char* acres;
        int variable;
        const char* values;
        const char* message; // how the run's own message begins
        std::size_t steps;   // the steps evaluated before it
    } cases[] = {
        {"160", 3, "85, 0, 90",
         "The evaluation could not be completed: a result is not a finite number (the gross irrigation of a field has "
         "no finite value: the irrigation efficiency is 0 %).",
         1},
        {"1e304", 0, "5, 100000, 6", "Total Acres:  Please enter a value that's less than or equal to 1,000,000", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values);
        openWithTrends();
        pane().txtArea->setText(QString::fromLatin1(c.acres));
        w().mnuFallBatch->trigger();
        manualValues(c.variable, QString::fromLatin1(c.values));
        setup().cmdBatchIt->click();
        EXPECT_EQ(trend().BatchCollection.size(), c.steps);
        ASSERT_EQ(dialogs.messages.size(), 1u) << "the run's own message";
        EXPECT_TRUE(dialogs.lastText().startsWith(QString::fromLatin1(c.message))) << dialogs.lastText().toStdString();
        EXPECT_FALSE(session.TrendCancelled);
        EXPECT_TRUE(resultsPane().isHidden()) << "no step is shown";
        EXPECT_FALSE(setup().isHidden());
    }
}

TEST_F(TrendTest, VariableTrendOfOneValueIsLaidOutLikeAFixedTrend)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(5, QStringLiteral("14"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(trend().BatchCollection.size(), 1u);
    EXPECT_TRUE(view().pnlBatchSteps->isHidden());
    EXPECT_EQ(view().theResults->y(), korvel::ui::twips(50));
    EXPECT_FALSE(inside<QFrame>(view().theResults, "pnlBatchedVariables")->isHidden());
    EXPECT_EQ(pane().txtAnnRain->currentText(), "14");
}

TEST_F(TrendTest, FixedTrendRecomputesTheOptionPerValueWithoutASearch)
{
    openWithTrends();
    startFixedTrendOnTheBestOption();
    const std::shared_ptr<korvel::FieldCollection> base = session.SelectedOption;
    const std::string crop = base->getCrops().at(0);
    const double basePrice = base->Item(1)->theCrop->price;
    ASSERT_EQ(setup().cboCrops->currentText().toStdString(), crop);

    manualValues(0, QStringLiteral("4, 5, 6"));
    setup().cmdBatchIt->click();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    ASSERT_EQ(trend().BatchCollection.size(), 1u);
    const korvel::BestMix& list = *trend().BatchCollection[0];
    EXPECT_EQ(list.getSize(), 3);
    const korvel::TrendGrid& grid = session.TrendResultGrid;
    ASSERT_EQ(grid.dimensions(), 1);
    ASSERT_EQ(grid.rows(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        // The model's own recomputation of the base at that price.
        auto expected = base->Copy();
        expected->ResetBatch();
        expected->TotalCost = 0;
        for (const auto& field : *expected)
            if (field->theCrop->cropType == crop)
                field->theCrop->price = 4.0 + static_cast<double>(i);
        EXPECT_DOUBLE_EQ(grid.at(i)->getProfit(session), expected->getProfit(session)) << i;
    }
    EXPECT_EQ(base->Item(1)->theCrop->price, basePrice) << "the base option is never changed";
    EXPECT_TRUE(base->theVariable.empty());

    EXPECT_FALSE(resultsPane().isHidden());
    EXPECT_EQ(resultsPane().batchTitle->text(), "Fixed Trend Results");
    EXPECT_TRUE(view().pnlBatchSteps->isHidden());
    EXPECT_EQ(view().theResults->y(), korvel::ui::twips(50));
    EXPECT_FALSE(inside<QFrame>(view().theResults, "pnlBatchedVariables")->isHidden());
    EXPECT_EQ(trendLine(0), QString::fromStdString("Crop Price - " + crop + " : $6.00 / bu."))
        << "the best option first";
    EXPECT_EQ(trendLine(1), "");
}

TEST_F(TrendTest, AFixedTrendWhoseFiguresCannotBeComputedSaysSoAndShowsNoOption)
{
    // An option of a farm so large that its figures are finite at the price it was run with, but its returns are
    // beyond any number at the largest price a trend takes. No acreage box takes such a farm: the option's fields
    // are given it after the run.
    openWithTrends();
    w().runEvaluation();
    ASSERT_FALSE(pneResults(w())->isHidden());
    for (const auto& field : *browser().shownOption())
        field->acres = 1e304;
    inside<QPushButton>(&browser(), "cmdBatchThis")->click();
    ASSERT_FALSE(setup().isHidden());
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    manualValues(0, QStringLiteral("5, 100000"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), "The fixed trend could not be completed (the returns of a field of option 1 cannot "
                                  "be computed: the value is too large).  Please check the values of the trend "
                                  "processes.");
    EXPECT_EQ(dialogs.messages[0].title, "Error");
    EXPECT_TRUE(trend().BatchCollection.empty());
    EXPECT_TRUE(resultsPane().isHidden());
    EXPECT_FALSE(setup().isHidden());
    EXPECT_EQ(session.TrendResultGrid.dimensions(), 0) << "no grid for the exports";
}

TEST_F(TrendTest, FixedTrendOverTwoProcessesComputesEveryPair)
{
    openWithTrends();
    startFixedTrendOnTheBestOption();
    manualValues(0, QStringLiteral("4, 5, 6"));
    setup().cmdAddBatchProcess->click();
    manualValues(5, QStringLiteral("12, 20"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(setup().ProcessCollection.size(), 2u);
    ASSERT_EQ(trend().BatchCollection.size(), 1u);
    EXPECT_EQ(trend().BatchCollection[0]->getSize(), 6);
    const korvel::TrendGrid& grid = session.TrendResultGrid;
    ASSERT_EQ(grid.dimensions(), 2);
    EXPECT_EQ(grid.rows(), 3u);
    EXPECT_EQ(grid.columns(), 2u);
    EXPECT_EQ(grid.at(1, 1)->theValue, (std::vector<double>{5, 20}));
    for (const auto& field : *grid.at(1, 1))
        EXPECT_EQ(field->annualRain, 20);
    EXPECT_EQ(trendLine(1), "Annual Rainfall : 20.00 inches");
}

TEST_F(TrendTest, CancelStopsAFixedTrendWithoutResults)
{
    openWithTrends();
    startFixedTrendOnTheBestOption();
    manualValues(0, QStringLiteral("4, 5, 6"));
    QTimer::singleShot(0, &w(), [this] { session.CancelRequested = true; });
    setup().cmdBatchIt->click();
    EXPECT_TRUE(trend().BatchCollection.empty());
    EXPECT_FALSE(session.CancelRequested);
    EXPECT_FALSE(setup().isHidden());
    EXPECT_TRUE(resultsPane().isHidden());
    EXPECT_EQ(session.TrendResultGrid.dimensions(), 0);

    // A later run is not disturbed by the earlier cancel.
    session.CancelRequested = true;
    setup().cmdBatchIt->click();
    ASSERT_EQ(trend().BatchCollection.size(), 1u);
    EXPECT_FALSE(resultsPane().isHidden());
}

TEST_F(TrendTest, FixedTrendFromAStepOfAVariableTrend)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(trend().BatchCollection.size(), 2u);
    view().cmdBatchStep[0]->click();
    const std::shared_ptr<korvel::FieldCollection> shown = view().theResults->shownOption();
    inside<QPushButton>(view().theResults, "cmdBatchThis")->click();
    EXPECT_EQ(session.SelectedOption, shown);
    EXPECT_FALSE(setup().isHidden());
    EXPECT_FALSE(setup().frmBatches->isHidden());
    EXPECT_EQ(setup().ProcessCollection.size(), 1u);
}

TEST_F(TrendTest, TheTrendMenuDuringAVariableTrendLeavesTheRunAndTheSavedInputsAlone)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6, 7"));
    // The Tools menu stays usable while a step searches: it is chosen once the second value is in the inputs.
    bool chosen = false;
    QObject::connect(row(QStringLiteral("Corn"))->txtPrice, &QLineEdit::textChanged, &w(), [&](const QString& t) {
        if (t == QLatin1String("6") && !chosen) {
            chosen = true;
            QTimer::singleShot(0, &w(), [this] { w().mnuFallBatch->trigger(); });
        }
    });
    setup().cmdBatchIt->click();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(trend().BatchCollection.size(), 3u);
    EXPECT_EQ(setup().ProcessCollection.size(), 1u);
    EXPECT_FALSE(resultsPane().isHidden());

    inside<QPushButton>(view().theResults, "Command1")->click();
    setup().backButton->click();
    EXPECT_EQ(row(QStringLiteral("Corn"))->crop()->price, 6.52) << "the inputs as saved when the setup opened";
}
