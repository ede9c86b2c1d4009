// The inputs around a trend: however the user leaves a variable trend, every box it wrote gets the user's own value
// back before anything else runs or is saved.
#include <QAction>
#include <QFile>
#include <functional>

#include "trend/TrendFixture.h"
#include "ui/main/CropRow.h"

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
