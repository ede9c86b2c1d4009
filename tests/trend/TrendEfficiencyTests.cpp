// Options computed at another efficiency than the last run's: the steps of a variable trend on the efficiency,
// a fixed trend on the efficiency and a fixed trend on such a step. Every view of an option turns its net
// depths into gross ones, and works out its pumping, with the efficiency the option was computed with.
#include <QFile>
#include <QTableWidget>
#include <QToolButton>

#include "model/Numbers.h"
#include "trend/TrendFixture.h"
#include "ui/RecordingPrintSurface.h"
#include "ui/results/ResultPrinter.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

// The dollar amount of a label such as "Subtotal: $44.90 /acre" or "$512".
double dollars(const QString& text)
{
    const QString amount = text.section('$', 1).remove(',');
    return korvel::num::leadingNumberOrZero(amount.toStdString());
}

class OptionEfficiencyTest : public TrendTest {
protected:
    // One field on 160 acres with 18 gross inches at 85 %, Corn and Wheat on the default values and the default
    // pumping plant: every option puts all of the farm's water on its one field.
    void openOnEighteenInches()
    {
        openWithTrends();
        pane().txtMax->setText(QStringLiteral("18"));
        pane().presetButtons[5]->click();
        pane().defaultsButton->click();
        dialogs.clearRecord();
    }

    static QString rowText(OptionBrowser& browser, int row, const char* label)
    {
        return inside<QLabel>(inside<QWidget>(&browser, arrayName("rh", row)), label)->text();
    }
    QString details(const char* label) { return inside<QLabel>(pneDetails(w()), label)->text(); }
    void openDetails(OptionBrowser& browser, int row)
    {
        inside<QToolButton>(inside<QWidget>(&browser, arrayName("rh", row)), "cmdDetails")->click();
        ASSERT_FALSE(pneDetails(w())->isHidden());
    }

    // The subtotals of the details pane add up to its total costs per acre (shown in whole dollars).
    void expectSubtotalsMakeTheTotal()
    {
        const double sum = dollars(details("lblGeneralCosts")) + dollars(details("lblApplicationCosts")) +
                           dollars(details("lblIrrigationCosts")) + dollars(details("lblSubTotalMC"));
        EXPECT_NEAR(sum, dollars(details("lblTotalCosts")), 0.51)
            << details("lblIrrigationCosts").toStdString() << " in " << details("lblTotalCosts").toStdString();
    }

    // The results report of the last run from the run button, as printed now.
    std::vector<std::string> printedResults()
    {
        auto log = std::make_shared<PrintLog>();
        thePrinter(w()).setSurfaceFactory(recordingFactory(log));
        thePrinter(w()).printResults();
        return log->documents.empty() ? std::vector<std::string>{} : render(log->documents[0]);
    }
    static int countContaining(const std::vector<std::string>& lines, const std::string& text)
    {
        int n = 0;
        for (const std::string& line : lines)
            n += line.find(text) != std::string::npos ? 1 : 0;
        return n;
    }

    QStringList exported(QPushButton* button, const char* name)
    {
        const QString path = QString::fromStdString((folder.path() / name).string());
        dialogs.clearRecord();
        dialogs.files = {path};
        dialogs.yesNoDefault = MsgAnswer::No;
        button->click();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    }

    void variableTrendOnTheEfficiency()
    {
        w().mnuFallBatch->trigger();
        manualValues(3, QStringLiteral("60, 95"));
        setup().cmdBatchIt->click();
        ASSERT_EQ(view().steps().size(), 2u) << dialogs.lastText().toStdString();
    }
};

} // namespace

TEST_F(OptionEfficiencyTest, StepsOfAnEfficiencyTrendShowTheirOwnGrossWaterAndPumping)
{
    openOnEighteenInches();
    w().runEvaluation();
    ASSERT_EQ(countContaining(printedResults(), "18.0''"), 2) << "Corn and Wheat on 18 gross inches at 85 %";

    variableTrendOnTheEfficiency();
    EXPECT_EQ(view().lblFreeBatchDescription->text(), " Irrigation System Efficiency: 60.00 %");
    OptionBrowser& browser = *view().theResults;
    EXPECT_EQ(rowText(browser, 0, "lblGross"), "18.0''") << "all of the farm's 18 inches";
    EXPECT_EQ(rowText(browser, 0, "lblNet"), "10.8''");
    const QString rowCosts = rowText(browser, 0, "lblTC");

    // The details: gross water, pumping and the subtotals agree with the option's total costs.
    openDetails(browser, 0);
    EXPECT_EQ(details("lblGross"), "18.0''");
    EXPECT_EQ(details("lblHours"), "1,728 hrs") << "18 inches over 160 acres at 750 GPM";
    EXPECT_EQ(details("lblIrrigationCosts"), "Subtotal: $44.90 /acre");
    expectSubtotalsMakeTheTotal();
    EXPECT_EQ(dollars(details("lblTotalCosts")), dollars(rowCosts));
    inside<QPushButton>(pneDetails(w()), "Command3")->click();

    // The saved option in the summary table.
    inside<QPushButton>(&browser, "cmdSaveResult")->click();
    w().mnuSummary->trigger();
    auto* grid = inside<QTableWidget>(w().pneSummary(), "fgsummary");
    ASSERT_NE(grid, nullptr);
    int grossRow = -1;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0) && grid->item(r, 0)->text() == QLatin1String("Gross Irrigation"))
            grossRow = r;
    ASSERT_GE(grossRow, 0);
    EXPECT_EQ(grid->item(grossRow, 1)->text(), "18.0''");
    inside<QPushButton>(w().pneSummary(), "cmdCancel(2)")->click();

    // The export: the step's irrigation costs at the step's efficiency, and its costs with them.
    const QStringList lines = exported(view().cmdExcel, "efficiency.xls");
    const QString step1 = QStringLiteral("<td valign=top>60.00 %</td><td valign=top>$45 /ac</td><td valign=top>") +
                          rowCosts.section(' ', 0, 0) + QStringLiteral(" /ac</td></tr>");
    EXPECT_TRUE(lines.join('\n').contains(step1)) << lines.filter("60.00 %</td><td").value(0).toStdString();

    // The report of the run from the run button still shows that run's gross water.
    EXPECT_EQ(countContaining(printedResults(), "18.0''"), 2);
}

TEST_F(OptionEfficiencyTest, FixedTrendOnTheEfficiencyKeepsTheFarmsWaterAndItsPumping)
{
    openOnEighteenInches();
    startFixedTrendOnTheBestOption();
    openDetails(browser(), 0);
    const QString hours = details("lblHours");
    const QString irrigation = details("lblIrrigationCosts");
    inside<QPushButton>(pneDetails(w()), "Command3")->click();
    inside<QPushButton>(&browser(), "cmdBatchThis")->click();

    manualValues(3, QStringLiteral("95"));
    setup().cmdBatchIt->click();
    ASSERT_FALSE(resultsPane().isHidden()) << dialogs.lastText().toStdString();
    OptionBrowser& trended = *view().theResults;
    EXPECT_EQ(rowText(trended, 0, "lblGross"), "18.0''") << "the better system gets the same water";
    EXPECT_EQ(rowText(trended, 0, "lblNet"), "17.1''");
    openDetails(trended, 0);
    EXPECT_EQ(details("lblGross"), "18.0''");
    EXPECT_EQ(details("lblHours"), hours) << "the same water takes the same pumping";
    EXPECT_EQ(details("lblIrrigationCosts"), irrigation);
    expectSubtotalsMakeTheTotal();
}

TEST_F(OptionEfficiencyTest, FixedTrendOnAStepOfAnEfficiencyTrendKeepsTheStepsEfficiency)
{
    openOnEighteenInches();
    variableTrendOnTheEfficiency();
    const std::shared_ptr<korvel::FieldCollection> step1 = view().theResults->shownOption();
    inside<QPushButton>(view().theResults, "cmdBatchThis")->click();
    manualValues(5, QStringLiteral("16, 18"));
    setup().cmdBatchIt->click();
    ASSERT_FALSE(resultsPane().isHidden()) << dialogs.lastText().toStdString();
    ASSERT_EQ(pane().txtEff->text(), "85") << "the trend starts from the saved inputs";

    OptionBrowser& trended = *view().theResults;
    EXPECT_EQ(rowText(trended, 0, "lblGross"), "18.0''");
    openDetails(trended, 0);
    EXPECT_EQ(details("lblIrrigationCosts"), "Subtotal: $44.90 /acre");
    expectSubtotalsMakeTheTotal();
    inside<QPushButton>(pneDetails(w()), "Command3")->click();

    // The export's field table describes the step's option at its own efficiency.
    const QStringList lines = exported(inside<QPushButton>(&trended, "cmdExcel"), "fixed.xls");
    EXPECT_TRUE(lines.contains("<tr><td>Gross Irrigation</td><td>18.0 inches</td></tr>"))
        << lines.filter("Gross Irrigation").value(0).toStdString();
    EXPECT_TRUE(lines.contains("<tr><td>Irrigation Costs:</td><td>$44.90 /ac</td></tr>"))
        << lines.filter("Irrigation Costs:").value(0).toStdString();
    EXPECT_TRUE(lines.contains("<tr><td>Irrigation System Efficiency:</td><td>60%</td></tr>"))
        << lines.filter("Efficiency:").value(0).toStdString();
    EXPECT_EQ(step1->Count(), 1);
}
