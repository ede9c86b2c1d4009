// Where the trend panes lead: Back from a fixed-trend setup returns to the option browser the fixed trend was
// started from, and a trend under way gives way to the pane the user chooses meanwhile (the trend switch turned
// off stops it as Cancel does).
#include <QAction>
#include <QCoreApplication>
#include <QTimer>

#include "trend/TrendFixture.h"
#include "ui/main/ProgressWindow.h"
#include "ui/main/SummaryPane.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

class TrendNavigation : public TrendTest {
protected:
    QString mainInfo() { return find<QLabel>("lblMainInfo")->text(); }
    QString optionCounter(OptionBrowser& b) { return inside<QLabel>(&b, "lblCounter")->text(); }
    QPushButton* browserButton(OptionBrowser& b, const char* name) { return inside<QPushButton>(&b, name); }
    QWidget* shownPane() { return w().paneHistory().isEmpty() ? nullptr : w().paneHistory().back().data(); }

    // A variable trend over three Corn prices, shown at step 2 and its second option.
    std::shared_ptr<korvel::FieldCollection> variableTrendAtStepTwoOptionTwo()
    {
        w().mnuFallBatch->trigger();
        manualValues(0, QStringLiteral("5, 6, 7"));
        setup().cmdBatchIt->click();
        EXPECT_EQ(trend().BatchCollection.size(), 3u);
        view().cmdBatchStep[0]->click();
        browserButton(*view().theResults, "cmdAdvance")->click();
        EXPECT_EQ(view().theResults->currentRecord, 2);
        return view().theResults->shownOption();
    }
};

} // namespace

// Back at once (false), or after the fixed trend ran and its results were left by their own Back (true).
class BackFromAFixedTrendSetup : public TrendNavigation, public ::testing::WithParamInterface<bool> {};

TEST_P(BackFromAFixedTrendSetup, ReturnsToTheVariableTrendResultsItCameFrom)
{
    const bool runFixedTrendFirst = GetParam();
    openWithTrends();
    const std::shared_ptr<korvel::FieldCollection> option = variableTrendAtStepTwoOptionTwo();
    const auto lists = trend().BatchCollection;
    browserButton(*view().theResults, "cmdBatchThis")->click();
    ASSERT_FALSE(setup().isHidden());
    ASSERT_EQ(session.SelectedOption, option);
    EXPECT_EQ(mainInfo(), kFixedInfo);
    if (runFixedTrendFirst) {
        manualValues(5, QStringLiteral("12, 16, 20"));
        setup().cmdBatchIt->click();
        ASSERT_EQ(resultsPane().batchTitle->text(), "Fixed Trend Results");
        ASSERT_EQ(trend().BatchCollection.size(), 1u);
        browserButton(*view().theResults, "Command1")->click();
        ASSERT_FALSE(setup().isHidden()) << "the fixed trend's results lead back to its setup";
    }

    setup().backButton->click();
    EXPECT_EQ(shownPane(), &resultsPane()) << "not the ordinary results pane";
    EXPECT_TRUE(pneResults(w())->isHidden());
    EXPECT_TRUE(setup().isHidden());
    EXPECT_TRUE(session.TrendMode) << "the variable trend goes on";
    EXPECT_EQ(mainInfo(), kVariableInfo);
    EXPECT_EQ(resultsPane().batchTitle->text(), "Variable Trend Results");
    EXPECT_EQ(trend().BatchCollection, lists);
    EXPECT_FALSE(view().pnlBatchSteps->isHidden());
    EXPECT_EQ(view().stepCounter->text(), "Step 2 of 3");
    EXPECT_EQ(view().lblFreeBatchDescription->text(), "Corn Crop Price: $6.00 / bu.");
    EXPECT_EQ(view().theResults->shownOption(), option);
    EXPECT_EQ(optionCounter(*view().theResults), "Option 2");
    EXPECT_TRUE(browserButton(*view().theResults, "Command2")->isEnabled());
    EXPECT_EQ(session.TrendValues.size(), 3u);
    EXPECT_EQ(session.TrendVariableName, "Crop Price");

    // Their buttons work as before: the steps page, and Back leads to the variable trend's own setup.
    view().cmdBatchStep[0]->click();
    EXPECT_EQ(view().stepCounter->text(), "Step 3 of 3");
    EXPECT_EQ(view().theResults->shownOption(), lists[2]->entries()[0]);
    browserButton(*view().theResults, "Command1")->click();
    EXPECT_FALSE(setup().isHidden());
    EXPECT_TRUE(setup().frmBatches->isHidden()) << "a variable trend's setup";
    EXPECT_EQ(cropChoices(), (QStringList{"Corn", "Wheat"}));
    ASSERT_EQ(setup().ProcessCollection.size(), 1u);
    EXPECT_EQ(setup().txtBatchList->text(), "5, 6, 7");
    EXPECT_TRUE(setup().optBatchVariable[0]->isChecked());
    EXPECT_TRUE(setup().lblInstruction->text().startsWith("Choose a variable to run a variable trend process"));
    setup().cmdBatchIt->click();
    EXPECT_EQ(trend().BatchCollection.size(), 3u) << "the same variable trend runs again";
    EXPECT_EQ(resultsPane().batchTitle->text(), "Variable Trend Results");
    browserButton(*view().theResults, "Command1")->click();
    setup().backButton->click();
    EXPECT_EQ(shownPane(), &pane());
    EXPECT_FALSE(session.TrendMode);
    EXPECT_EQ(mainInfo(), w().state().strMainInfo);
}

INSTANTIATE_TEST_SUITE_P(TrendNavigation, BackFromAFixedTrendSetup, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "AfterTheFixedTrendRan" : "StraightBack";
                         });

TEST_F(TrendNavigation, FixedTrendsStartedOneFromAnothersResultsGoBackOneByOne)
{
    openWithTrends();
    startFixedTrendOnTheBestOption();
    const std::shared_ptr<korvel::FieldCollection> first = session.SelectedOption;
    manualValues(0, QStringLiteral("4, 5, 6"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(resultsPane().batchTitle->text(), "Fixed Trend Results");
    browserButton(*view().theResults, "cmdAdvance")->click();
    const std::shared_ptr<korvel::FieldCollection> second = view().theResults->shownOption();
    ASSERT_NE(second, nullptr);
    const std::string secondLine = trendLine(0).toStdString();

    browserButton(*view().theResults, "cmdBatchThis")->click();
    ASSERT_EQ(session.SelectedOption, second);
    setup().backButton->click();
    EXPECT_EQ(shownPane(), &resultsPane()) << "back to the first fixed trend's results";
    EXPECT_EQ(view().theResults->shownOption(), second);
    EXPECT_EQ(optionCounter(*view().theResults), "Option 2");
    EXPECT_EQ(trendLine(0).toStdString(), secondLine);
    EXPECT_TRUE(view().pnlBatchSteps->isHidden());
    EXPECT_EQ(mainInfo(), kFixedInfo);

    browserButton(*view().theResults, "Command1")->click();
    EXPECT_FALSE(setup().isHidden());
    EXPECT_EQ(session.SelectedOption, first) << "the setup of the first fixed trend";
    EXPECT_EQ(setup().txtBatchList->text(), "4, 5, 6");
    setup().backButton->click();
    EXPECT_EQ(shownPane(), pneResults(w())) << "the first fixed trend came from the ordinary results";
    EXPECT_FALSE(session.TrendMode);
    EXPECT_EQ(mainInfo(), w().state().strMainInfo);
}

struct ChosenPane {
    const char* name;
    bool fixed;
    QAction* MainWindow::*menu;
    bool stops; // trend processing switched off: the trend stops as Cancel stops it
};

class ATrendGivesWay : public TrendNavigation, public ::testing::WithParamInterface<ChosenPane> {};

TEST_P(ATrendGivesWay, ToThePaneChosenWhileItRuns)
{
    const ChosenPane& c = GetParam();
    openWithTrends();
    const QString ownPrice = row(QStringLiteral("Corn"))->txtPrice->text();
    bool chosen = false;
    const auto choose = [&] {
        chosen = true;
        (w().*c.menu)->trigger();
    };
    QMetaObject::Connection seam;
    if (c.fixed) {
        startFixedTrendOnTheBestOption();
        manualValues(0, QStringLiteral("4, 5, 6"));
        // Chosen at the trend's first look at window messages, before its first value.
        QTimer::singleShot(0, &w(), choose);
    } else {
        w().mnuFallBatch->trigger();
        manualValues(0, QStringLiteral("5, 6, 7"));
        // Chosen while the second step searches: the choice waits in the queue until the search lets window
        // messages run.
        seam = QObject::connect(row(QStringLiteral("Corn"))->txtPrice, &QLineEdit::textChanged, &w(),
                                [&](const QString& t) {
                                    if (t == QLatin1String("6") && !chosen)
                                        QMetaObject::invokeMethod(&w(), choose, Qt::QueuedConnection);
                                });
    }
    const QString infoBefore = mainInfo();
    setup().cmdBatchIt->click();
    QObject::disconnect(seam);
    QCoreApplication::processEvents();
    ASSERT_TRUE(chosen);

    EXPECT_TRUE(resultsPane().isHidden()) << "no trend results replace the chosen pane";
    EXPECT_TRUE(setup().isHidden());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    EXPECT_FALSE(w().progressWindow() && w().progressWindow()->isVisible());
    EXPECT_EQ(row(QStringLiteral("Corn"))->txtPrice->text(), ownPrice) << "the user's own value";
    if (c.stops) {
        EXPECT_EQ(shownPane(), &pane());
        EXPECT_FALSE(session.BatchEnabled);
        EXPECT_FALSE(w().mnuEnableBatch->isChecked());
        EXPECT_EQ(trend().BatchCollection.size(), c.fixed ? 0u : 1u) << "the steps completed before";
        EXPECT_FALSE(session.TrendCancelled);
        EXPECT_EQ(mainInfo(), w().state().strMainInfo);
    } else {
        EXPECT_EQ(shownPane(), w().pneSummary());
        EXPECT_EQ(trend().BatchCollection.size(), c.fixed ? 1u : 3u) << "the trend ran to its end";
        EXPECT_EQ(mainInfo(), infoBefore);
        // Back leads to where the user came from: the setup.
        inside<QAbstractButton>(w().pneSummary(), "cmdCancel(2)")->click();
        EXPECT_FALSE(setup().isHidden());
        EXPECT_EQ(mainInfo(), infoBefore) << "the setup's own information line";
    }
}

INSTANTIATE_TEST_SUITE_P(
    TrendNavigation, ATrendGivesWay,
    ::testing::Values(ChosenPane{"VariableTrendSwitchedOff", false, &MainWindow::mnuEnableBatch, true},
                      ChosenPane{"VariableTrendSummaryTable", false, &MainWindow::mnuSummary, false},
                      ChosenPane{"FixedTrendSwitchedOff", true, &MainWindow::mnuEnableBatch, true},
                      ChosenPane{"FixedTrendSummaryTable", true, &MainWindow::mnuSummary, false}),
    [](const ::testing::TestParamInfo<ChosenPane>& info) { return std::string(info.param.name); });
