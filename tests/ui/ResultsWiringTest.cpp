// The result views inside the main window: from the results pane to a field's details and back, saving an
// option and finding it in the summary table, Back to the main pane, the Print menu, and Back from the summary
// pane leading out after a deletion or a second opening.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "ui/AssembledWindow.h"
#include "ui/ResultFixtures.h"

using namespace korvel;
using namespace korvel::test;

namespace {

class ResultsInMainWindow : public ui::test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        open();
        session.IrrigationEfficiency = 0.9;
        window->show();
    }

    bool shown(QWidget* pane) { return pane->isVisible(); }
    void click(QWidget* parent, const char* name) { child<QAbstractButton>(parent, name)->click(); }
};

TEST_F(ResultsInMainWindow, DetailsSavedOptionsSummaryAndBack)
{
    auto option = makeOption({cornField(), wheatField()});
    window->ShowPane(pneResults(*window));
    pneResults(*window)->loadResults({option, placeholder()});

    // A field's details, and Back to the option.
    click(child<QWidget>(pneResults(*window), "rh(1)"), "cmdDetails");
    EXPECT_TRUE(shown(pneDetails(*window)));
    EXPECT_FALSE(shown(pneResults(*window)));
    EXPECT_EQ(text(pneDetails(*window), "lblCrop"), "Wheat");
    EXPECT_TRUE(window->mnuPrint->isEnabled());

    dialogs.prints.push_back(std::nullopt); // the print dialog, cancelled: nothing is printed, nothing is said
    window->mnuPrint->trigger();
    EXPECT_EQ(dialogs.printCalls.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());

    click(pneDetails(*window), "Command3");
    EXPECT_TRUE(shown(pneResults(*window)));

    // Saving the option, then the summary table from the menu and its Back button.
    click(pneResults(*window), "cmdSaveResult");
    ASSERT_EQ(window->state().summaryResults.size(), 1u);
    EXPECT_EQ(window->state().summaryResults[0], option);
    ASSERT_TRUE(window->mnuSummary->isEnabled());
    window->pneMain()->txtAnnRain->setCurrentText(QStringLiteral("18"));
    window->mnuSummary->trigger();
    EXPECT_TRUE(shown(window->pneSummary()));
    auto* grid = child<QTableWidget>(window->pneSummary(), "fgsummary");
    EXPECT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->item(0, 2)->text(), "Saved Option #1 - Field #2");
    EXPECT_EQ(grid->item(6, 1)->text(), "16''"); // the rainfall the option was computed with, not the box's 18
    click(window->pneSummary(), "cmdCancel(2)");
    EXPECT_TRUE(shown(pneResults(*window)));

    // Back from the results goes to the main pane and disables printing.
    click(pneResults(*window), "Command1");
    EXPECT_TRUE(shown(window->pneMain()));
    EXPECT_FALSE(window->mnuPrint->isEnabled());
}

TEST_F(ResultsInMainWindow, ARunOnTheShippedCropsIsBrowsedOptionByOption)
{
    fillInputs();
    pane().runButton->click();
    ASSERT_TRUE(shown(pneResults(*window))) << dialogs.lastText().toStdString();

    QWidget* results = pneResults(*window);
    const auto rowsShown = [&] {
        int n = 0;
        for (int k = 0; k < 4; ++k)
            n += child<QWidget>(results, ("rh(" + std::to_string(k) + ")").c_str())->isVisible() ? 1 : 0;
        return n;
    };
    EXPECT_EQ(text(results, "lblCounter"), "Option 1");
    EXPECT_GE(rowsShown(), 1);
    EXPECT_EQ(text(results, "lblTotalProfit").substr(0, 1), "$");
    click(results, "cmdAdvance");
    EXPECT_EQ(text(results, "lblCounter"), "Option 2");
    EXPECT_GE(rowsShown(), 1);

    click(child<QWidget>(results, "rh(0)"), "cmdDetails");
    EXPECT_TRUE(shown(pneDetails(*window)));
    EXPECT_EQ(text(pneDetails(*window), "lblCrop"), text(child<QWidget>(results, "rh(0)"), "lblCrop"));
    EXPECT_EQ(text(pneDetails(*window), "lblTotalProfit").substr(0, 1), "$");
}

TEST_F(ResultsInMainWindow, DuringATrendBackLeadsToTheTrendPanes)
{
    window->ShowPane(pneResults(*window));
    pneResults(*window)->loadResults({makeOption({cornField()})});
    click(child<QWidget>(pneResults(*window), "rh(0)"), "cmdDetails");
    session.TrendMode = true;
    click(pneDetails(*window), "Command3");
    EXPECT_TRUE(shown(trendResultsPane(*window)));
    window->ShowPane(pneResults(*window));
    click(pneResults(*window), "Command1");
    EXPECT_TRUE(shown(trendSetupPane(*window)));
}

} // namespace

TEST_F(ResultsInMainWindow, BackOnTheSummaryLeadsOutAfterADeletionOrASecondOpening)
{
    // A run, its best option saved, the summary table, the saved option deleted: Back returns to the options.
    fillInputs();
    pane().runButton->click();
    ASSERT_TRUE(shown(pneResults(*window))) << dialogs.lastText().toStdString();
    click(pneResults(*window), "cmdSaveResult");
    window->mnuSummary->trigger();
    auto* grid = child<QTableWidget>(window->pneSummary(), "fgsummary");
    dialogs.clearRecord();
    dialogs.answers = {ui::MsgAnswer::Yes};
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 1)).center());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    ASSERT_TRUE(window->state().summaryResults.empty());
    ASSERT_TRUE(shown(window->pneSummary()));
    click(window->pneSummary(), "cmdCancel(2)");
    EXPECT_TRUE(shown(pneResults(*window)));

    // "Summary Table" chosen twice from the main pane: Back returns to the main pane.
    click(pneResults(*window), "Command1");
    ASSERT_TRUE(shown(window->pneMain()));
    window->mnuSummary->trigger();
    window->mnuSummary->trigger();
    click(window->pneSummary(), "cmdCancel(2)");
    EXPECT_TRUE(shown(window->pneMain()));
}
