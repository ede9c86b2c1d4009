// The inputs around a trend: however the user leaves a variable trend, every box it wrote gets the user's own value
// back before anything else runs or is saved; the printed results report states the inputs its options were
// computed with; a fixed trend on a step's option recomputes that option with everything it was computed with.
#include <QAction>
#include <QFile>
#include <functional>

#include "trend/TrendFixture.h"
#include "ui/RecordingPrintSurface.h"
#include "ui/main/CropRow.h"
#include "ui/results/ResultPrinter.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

class TrendInputs : public TrendTest {
protected:
    QStringList savedLines()
    {
        QFile file(w().inputsFilePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    }

    // A variable trend from the Tools menu, left on its results.
    void variableTrend(int variable, const QString& values, int crop = 0)
    {
        if (!session.BatchEnabled)
            w().mnuEnableBatch->trigger();
        w().mnuFallBatch->trigger();
        ASSERT_FALSE(setup().isHidden()) << dialogs.lastText().toStdString();
        setup().cboCrops->setCurrentIndex(crop);
        manualValues(variable, values);
        setup().cmdBatchIt->click();
        ASSERT_FALSE(resultsPane().isHidden()) << dialogs.lastText().toStdString();
    }

    // The printed results report, as the trend results view's "Print Results" button prints it.
    std::vector<std::string> printedFromTheTrendResults()
    {
        auto log = std::make_shared<PrintLog>();
        thePrinter(w()).setSurfaceFactory(recordingFactory(log));
        inside<QPushButton>(view().theResults, "Command2")->click();
        return log->documents.empty() ? std::vector<std::string>{} : render(log->documents[0]);
    }
};

} // namespace

TEST_F(TrendInputs, SwitchingTrendsOffGivesTheRainfallBackForTheNextRunAndTheInputsFile)
{
    openWithTrends();
    w().runEvaluation();
    ASSERT_FALSE(pneResults(w())->isHidden());
    const double ownProfit = browser().shownOption()->getProfit(session);

    variableTrend(5, QStringLiteral("12, 20"));
    EXPECT_EQ(pane().txtAnnRain->currentText(), "20") << "the last step's value, while the trend is shown";
    w().mnuEnableBatch->trigger();
    ASSERT_FALSE(pane().isHidden());
    EXPECT_EQ(pane().txtAnnRain->currentText(), "16");

    pane().runButton->click();
    ASSERT_FALSE(pneResults(w())->isHidden()) << dialogs.lastText().toStdString();
    EXPECT_EQ(browser().shownOption()->getProfit(session), ownProfit) << "the run is the one on 16 inches";
    EXPECT_EQ(savedLines().value(4), "16");
}

TEST_F(TrendInputs, EveryWayOutOfAVariableTrendGivesEveryBoxItWroteBack)
{
    openWithTrends();
    CropRow& corn = *row(QStringLiteral("Corn"));
    const std::function<QString()> rainfall = [this] { return pane().txtAnnRain->currentText(); };
    const std::function<QString()> efficiency = [this] { return pane().txtEff->text(); };
    const std::function<QString()> price = [&corn] { return corn.txtPrice->text(); };
    const std::function<QString()> maxYield = [&corn] { return corn.txtMaxYield->text(); };
    const struct {
        const char* way;
        std::function<void()> leave;
        int variable;
        const char* values;
        const std::function<QString()>& box;
        const char* own;
    } cases[] = {
        {"Back",
         [this] {
             inside<QPushButton>(view().theResults, "Command1")->click();
             setup().backButton->click();
         },
         5, "12, 20", rainfall, "16"},
        {"trend processing switched off", [this] { w().mnuEnableBatch->trigger(); }, 3, "60, 95", efficiency, "85"},
        {"the summary menu", [this] { w().mnuSummary->trigger(); }, 0, "5, 7", price, "6.52"},
        {"the custom crop menu", [this] { w().mnuCustomCrop->trigger(); }, 2, "180, 260", maxYield, "220"},
        {"a new variable trend from the Tools menu", [this] { w().mnuFallBatch->trigger(); }, 5, "12, 20", rainfall,
         "16"},
        {"closing the window", [this] { w().close(); }, 3, "60, 95", efficiency, "85"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        variableTrend(c.variable, QString::fromLatin1(c.values));
        ASSERT_NE(c.box(), c.own) << "the trend wrote the box";
        c.leave();
        EXPECT_EQ(c.box(), c.own);
        EXPECT_EQ(corn.crop()->price, 6.52);
        EXPECT_EQ(corn.crop()->maxYield, 220);
        EXPECT_EQ(savedLines().value(3), "85");
        EXPECT_EQ(savedLines().value(4), "16");
    }
}

TEST_F(TrendInputs, ThePrintedReportStatesTheInputsItsOptionsWereComputedWith)
{
    openWithTrends();
    w().runEvaluation();
    ASSERT_FALSE(pneResults(w())->isHidden());
    typeInto(pane().txtArea, QStringLiteral("200")); // typed after the run, not run

    variableTrend(3, QStringLiteral("60, 95"));
    const std::vector<std::string> report = printedFromTheTrendResults();
    ASSERT_GT(report.size(), 8u);
    EXPECT_EQ(report[6], "@0 <9b>Total Acres:  | <9>160 acres | @5200 <9b>Irrigation Efficiency:  | <9>85%");
    EXPECT_EQ(report[7].rfind("@0 <9b>Annual Rainfall:  | <9>16 inches", 0), 0u) << report[7];
}

TEST_F(TrendInputs, AFixedTrendOnAStepsOptionKeepsTheStepsCostsAndLeavesTheStepAlone)
{
    openWithTrends();
    pane().presetButtons[5]->click(); // "100 "
    row(QStringLiteral("Wheat"))->chkCrop->setChecked(false);
    // A step of a trend on Corn's production costs, and one on the irrigation costs; then a fixed trend on the
    // rainfall the step's option already has.
    const struct {
        int variable;
        const char* values;
    } cases[] = {{1, "300, 400"}, {4, "3, 4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variable);
        variableTrend(c.variable, QString::fromLatin1(c.values));
        const std::shared_ptr<korvel::FieldCollection> step = view().theResults->shownOption();
        ASSERT_TRUE(step && step->Count() == 1);
        const double stepProfit = step->getProfit(session);
        const double stepCosts = step->Item(1)->getCosts(session);

        inside<QPushButton>(view().theResults, "cmdBatchThis")->click();
        manualValues(5, QStringLiteral("16"));
        setup().cmdBatchIt->click();
        ASSERT_FALSE(resultsPane().isHidden()) << dialogs.lastText().toStdString();
        const std::shared_ptr<korvel::FieldCollection> fixed = view().theResults->shownOption();
        EXPECT_DOUBLE_EQ(fixed->getProfit(session), stepProfit);
        EXPECT_DOUBLE_EQ(fixed->Item(1)->getCosts(session), stepCosts);
        EXPECT_EQ(trendLine(0), "Annual Rainfall : 16.00 inches");
        EXPECT_EQ(trendLine(1), "") << "only the fixed trend's own value";

        EXPECT_EQ(step->Item(1)->TotalCost, stepCosts) << "the step's option is not changed";
        step->Item(1)->TotalCost = 0;
        EXPECT_DOUBLE_EQ(step->Item(1)->getCosts(session), stepCosts);
    }
}
