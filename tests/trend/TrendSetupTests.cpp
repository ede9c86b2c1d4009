// The trend switch, the two ways into the trend setup, its Back button and the setup pane's process list.
#include <QFile>

#include "trend/TrendFixture.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(TrendTest, SwitchShowsTheTrendControlsOfBothViewsAndOffReturnsToTheMainPane)
{
    open();
    fillInputs();
    QFrame* batchDisplay = inside<QFrame>(&browser(), "batchDisplay");
    EXPECT_TRUE(batchDisplay->isHidden());
    EXPECT_TRUE(view().pnlBatchSteps->isHidden());

    w().mnuEnableBatch->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Trend processing is now enabled.  This is completely optional and KVL will still run normally.\n"
              "To make use of the trend processing options, select 'Run variable trend process' from the Tools menu\n"
              " or click 'Run Fixed Trend Process' after you execute a normal KVL evaluation.\n"
              "Disable trend processing by unchecking it in the Tools menu.");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(w().mnuFallBatch->isEnabled());
    EXPECT_FALSE(batchDisplay->isHidden());
    EXPECT_FALSE(view().pnlBatchSteps->isHidden());
    EXPECT_FALSE(pane().pnlBatchInstructions->isHidden());
    EXPECT_FALSE(pane().isHidden()) << "switching on leaves the shown pane";

    w().mnuFallBatch->trigger();
    ASSERT_FALSE(setup().isHidden());
    EXPECT_TRUE(session.TrendMode);
    w().mnuEnableBatch->trigger();
    EXPECT_FALSE(pane().isHidden());
    EXPECT_TRUE(setup().isHidden());
    EXPECT_TRUE(session.TrendMode) << "switching off does not leave trend mode";
    EXPECT_FALSE(w().mnuFallBatch->isEnabled());
    EXPECT_TRUE(batchDisplay->isHidden());
    EXPECT_TRUE(view().pnlBatchSteps->isHidden());
    EXPECT_TRUE(pane().pnlBatchInstructions->isHidden());

    w().mnuEnableBatch->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u) << "the explanation shows once per program run";
}

TEST_F(TrendTest, VariableEntryWithIncompleteInputsShowsTheMessageAndStays)
{
    open();
    w().EnableBatch(true);
    dialogs.clearRecord();
    w().mnuFallBatch->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Please enter all of the necessary information before continuing!");
    EXPECT_EQ(dialogs.messages[0].title, "Error");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(setup().isHidden());
    EXPECT_FALSE(pane().isHidden());
    EXPECT_FALSE(session.TrendMode);
    EXPECT_FALSE(inputsFileExists());
}

TEST_F(TrendTest, VariableEntryListsTheTickedCropsInRowOrderAndSavesTheInputs)
{
    openWithTrends();
    tick(QStringLiteral("Soybeans"), QStringLiteral("11"), QStringLiteral("60"));
    w().mnuFallBatch->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(setup().isHidden());
    EXPECT_TRUE(pane().isHidden());
    EXPECT_TRUE(session.TrendMode);
    EXPECT_TRUE(inputsFileExists());
    EXPECT_EQ(cropChoices(), (QStringList{"Corn", "Wheat", "Soybeans"}));
    EXPECT_EQ(setup().cboCrops->currentIndex(), 0);
    EXPECT_EQ(korvel::selectedOption(session)->Count(), 0);
    EXPECT_TRUE(setup().ProcessCollection.empty());
    EXPECT_EQ(setup().CurrentProcess, 0);
    EXPECT_TRUE(setup().frmBatches->isHidden());
    EXPECT_TRUE(setup().cmdDeleteBatch->isHidden());
    EXPECT_EQ(find<QLabel>("lblMainInfo")->text(), kVariableInfo);
    EXPECT_TRUE(setup().lblInstruction->text().startsWith("Choose a variable to run a variable trend process on."));
    EXPECT_EQ(setup().lblPriceUnits->text(), "($ / bu.)");
    EXPECT_EQ(setup().lblYieldUnits->text(), "(bushels / acre)");
    EXPECT_EQ(setup().minimumUnits->text(), "($ / bu.)");

    // The crop list follows the user's pick.
    setup().cboCrops->setCurrentIndex(1);
    setup().optBatchVariable[2]->click();
    EXPECT_EQ(setup().maximumUnits->text(), "(bushels / acre)");
    setup().optBatchVariable[5]->click();
    EXPECT_EQ(setup().minimumUnits->text(), "(inches)");
    EXPECT_EQ(setup().maximumUnits->text(), "(inches)");
}

TEST_F(TrendTest, FixedEntryListsTheOptionsCropsAndWritesNothing)
{
    openWithTrends();
    w().runEvaluation();
    const QByteArray saved = fileBytes(w().inputsFilePath());
    pane().txtArea->setText(QStringLiteral("200"));
    inside<QPushButton>(&browser(), "cmdBatchThis")->click();

    const std::shared_ptr<korvel::FieldCollection> option = browser().shownOption();
    ASSERT_TRUE(option);
    EXPECT_EQ(session.SelectedOption, option) << "the option itself, not a copy";
    QStringList crops;
    for (const std::string& c : option->getCrops())
        crops << QString::fromStdString(c);
    EXPECT_EQ(cropChoices(), crops);
    EXPECT_EQ(fileBytes(w().inputsFilePath()), saved);
    EXPECT_FALSE(setup().isHidden());
    EXPECT_TRUE(session.TrendMode);
    EXPECT_FALSE(setup().frmBatches->isHidden());
    ASSERT_EQ(setup().ProcessCollection.size(), 1u);
    EXPECT_EQ(setup().cboBatches->count(), 1);
    EXPECT_EQ(setup().cboBatches->currentText(), "1");
    EXPECT_FALSE(setup().cmdAddBatchProcess->isHidden());
    EXPECT_TRUE(setup().cmdDeleteBatch->isHidden());
    EXPECT_EQ(find<QLabel>("lblMainInfo")->text(), kFixedInfo);
    EXPECT_TRUE(setup().lblInstruction->text().startsWith("Choose a variable to run a fixed trend process on."));
}

TEST_F(TrendTest, ProcessListAddsSwitchesAndDeletesProcesses)
{
    openWithTrends();
    startFixedTrendOnTheBestOption();
    TrendSetupPane& p = setup();

    // A new process: 2 steps, "Auto", variable 0, empty boxes; it cannot be left while it is not valid.
    EXPECT_TRUE(p.optBatchOption[0]->isChecked());
    EXPECT_TRUE(p.optBatchVariable[0]->isChecked());
    EXPECT_EQ(p.cboBatchSteps->currentText(), "2");
    EXPECT_EQ(p.txtBatchMinimum[0]->text(), "");
    p.cmdAddBatchProcess->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), "Please select a maximum value greater than the minimum value!");
    EXPECT_EQ(dialogs.messages[0].title, "Invalid value");
    EXPECT_EQ(p.ProcessCollection.size(), 1u);

    manualValues(0, QStringLiteral("4, 5"));
    EXPECT_TRUE(p.optBatchOption[2]->isChecked());
    p.cmdAddBatchProcess->click();
    ASSERT_EQ(p.ProcessCollection.size(), 2u);
    EXPECT_EQ(p.cboBatches->currentIndex(), 1);
    EXPECT_EQ(p.CurrentProcess, 1);
    EXPECT_TRUE(p.cmdAddBatchProcess->isHidden());
    EXPECT_FALSE(p.cmdDeleteBatch->isHidden());
    EXPECT_FALSE(p.check[0]->isHidden()) << "a tick beside the first process's variable";
    EXPECT_EQ(p.ProcessCollection[0].variables_manual, "4, 5");
    EXPECT_EQ(p.txtBatchList->text(), "");
    EXPECT_TRUE(p.optBatchOption[0]->isChecked());

    // Back to entry 1: the second process is stored, the first shown.
    manualValues(3, QStringLiteral("80,90"));
    p.cboBatches->setCurrentIndex(0);
    EXPECT_EQ(p.CurrentProcess, 0);
    EXPECT_EQ(p.ProcessCollection[1].VariableIndex, 3);
    EXPECT_EQ(p.ProcessCollection[1].variables_manual, "80,90");
    EXPECT_EQ(p.txtBatchList->text(), "4, 5");
    EXPECT_TRUE(p.optBatchOption[2]->isChecked());
    EXPECT_TRUE(p.optBatchVariable[0]->isChecked());
    EXPECT_FALSE(p.check[3]->isHidden());
    EXPECT_TRUE(p.check[0]->isHidden());
    EXPECT_TRUE(p.cmdDeleteBatch->isHidden()) << "the first process is never offered for deletion";

    // Switching away from a process that is not valid falls back to the shown entry.
    dialogs.clearRecord();
    p.txtBatchMinimum[0]->setText(QStringLiteral("5"));
    p.txtBatchMinimum[1]->setText(QStringLiteral("5"));
    EXPECT_TRUE(p.optBatchOption[0]->isChecked());
    p.cboBatches->setCurrentIndex(1);
    EXPECT_EQ(dialogs.texts(), QStringList{"Please select a maximum value greater than the minimum value!"});
    EXPECT_EQ(p.cboBatches->currentIndex(), 0);
    EXPECT_EQ(p.CurrentProcess, 0);

    p.optBatchOption[2]->click(); // the list still holds "4, 5"
    p.cboBatches->setCurrentIndex(1);
    EXPECT_EQ(p.CurrentProcess, 1);
    EXPECT_TRUE(p.optBatchVariable[3]->isChecked());
    EXPECT_EQ(p.txtBatchList->text(), "80,90");

    // Delete asks first; No changes nothing.
    dialogs.clearRecord();
    dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
    p.cmdDeleteBatch->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Delete this trend process?");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(dialogs.messages[0].title, "Delete");
    EXPECT_EQ(p.ProcessCollection.size(), 2u);
    EXPECT_FALSE(p.cmdDeleteBatch->isHidden());
    p.cmdDeleteBatch->click();
    ASSERT_EQ(p.ProcessCollection.size(), 1u);
    EXPECT_EQ(p.cboBatches->count(), 1);
    EXPECT_EQ(p.CurrentProcess, 0);
    EXPECT_EQ(p.txtBatchList->text(), "4, 5");
    EXPECT_FALSE(p.cmdAddBatchProcess->isHidden());
    EXPECT_TRUE(p.cmdDeleteBatch->isHidden());
    EXPECT_TRUE(p.check[3]->isHidden());
}

TEST_F(TrendTest, ValueModeFollowsTheBoxTypedInAndTheFileButton)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    TrendSetupPane& p = setup();
    p.txtBatchList->setText(QStringLiteral("1"));
    EXPECT_TRUE(p.optBatchOption[2]->isChecked());
    p.txtBatchMinimum[1]->setText(QStringLiteral("3"));
    EXPECT_TRUE(p.optBatchOption[0]->isChecked());

    // "Select file..." turns on "Import" even when its dialog is cancelled.
    inside<QPushButton>(&p, "cmdOpenBatch(1)")->click();
    EXPECT_TRUE(p.optBatchOption[1]->isChecked());
    EXPECT_EQ(p.lblBatchFile->text(), "");
    ASSERT_EQ(dialogs.fileCalls.size(), 1u);
    EXPECT_EQ(dialogs.fileCalls[0].kind, ScriptedDialogService::FileKind::Open);
    EXPECT_EQ(dialogs.fileCalls[0].request.title, "Select a file with trend values");
    EXPECT_TRUE(dialogs.fileCalls[0].request.filter.isEmpty());

    const QString file = QString::fromStdString(folder.write("prices.txt", "4,5\r\n,6").string());
    dialogs.files = {file, std::nullopt};
    p.cmdOpenBatch->click();
    EXPECT_EQ(p.lblBatchFile->text(), file);
    p.txtBatchList->setText(QStringLiteral("9"));
    p.cmdOpenBatch->click(); // cancelled: the name it last returned stays
    EXPECT_EQ(p.lblBatchFile->text(), file);
    EXPECT_TRUE(p.optBatchOption[1]->isChecked());

    const std::optional<korvel::BatchProcess> process = p.GetBatchProcess(p.cboCrops->currentText());
    ASSERT_TRUE(process);
    EXPECT_EQ(process->numericValues(), (std::vector<double>{4, 5, 6}));
    EXPECT_EQ(process->inputfilename, file.toStdString());
    EXPECT_EQ(process->cropIndex, 0);

    // A file entry that is not a number is refused with the file named.
    const QString broken = QString::fromStdString(folder.write("broken.txt", "4,5,").string());
    dialogs.files = {broken};
    p.cmdOpenBatch->click();
    dialogs.clearRecord();
    EXPECT_FALSE(p.GetBatchProcess(p.cboCrops->currentText()));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.lastText().startsWith("The file '" + broken + "' holds the value \"\""));

    // A file with more values than any trend can use is refused with the file named.
    std::string values = "1";
    for (std::size_t i = 0; i < korvel::BatchValues::kMostValues; ++i)
        values += ",1";
    const QString tooMany = QString::fromStdString(folder.write("too-many.txt", values).string());
    dialogs.files = {tooMany};
    p.cmdOpenBatch->click();
    dialogs.clearRecord();
    EXPECT_FALSE(p.GetBatchProcess(p.cboCrops->currentText()));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), "The file '" + tooMany +
                                      "' is too large: a trend takes at most 32767 values.  "
                                      "Please check the file and try again.");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].title, "Invalid value");
}

TEST_F(TrendTest, ProcessesNameTheirCropRowAndRefuseRainfallOutsideTheTable)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    TrendSetupPane& p = setup();
    p.cboCrops->setCurrentIndex(1); // Wheat, crop row 2
    manualValues(2, QStringLiteral("60, 70"));
    std::optional<korvel::BatchProcess> process = p.GetBatchProcess(p.cboCrops->currentText());
    ASSERT_TRUE(process);
    EXPECT_EQ(process->cropIndex, 2);
    EXPECT_EQ(process->VariableIndex, 2);
    EXPECT_EQ(p.GetCropIndex(QStringLiteral("wheat")), 0) << "exact names only";
    EXPECT_EQ(p.FindCropByName(QStringLiteral("wheat")), w().cr(2)->crop()) << "names ignoring case";

    manualValues(5, QStringLiteral("25, 5"));
    dialogs.clearRecord();
    p.cmdBatchIt->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), "Values for Annual Rainfall cannot exceed 21 inches.  Please modify the values.");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.messages[0].title, "Please try again");
    EXPECT_TRUE(p.ProcessCollection.empty()) << "nothing is stored";
    EXPECT_TRUE(resultsPane().isHidden());
}

TEST_F(TrendTest, ValuesBeyondTheLimitOfTheirInputAreRefusedHoweverTheyAreGiven)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    TrendSetupPane& p = setup();
    ASSERT_EQ(p.cboCrops->currentText(), "Corn");
    enum class Given { Typed, Range, File };
    const struct {
        int variable;
        Given given;
        const char* values;  // Range: "minimum,maximum"
        const char* refusal; // empty: the process is built
    } cases[] = {
        {0, Given::Typed, "5, 100001", "Crop Price - Corn:  Please enter a value that's less than or equal to 100,000"},
        {0, Given::Typed, "100000", ""},
        {0, Given::File, "5,1e300", "Crop Price - Corn:  Please enter a value that's less than or equal to 100,000"},
        {1, Given::Typed, "-100001",
         "General Production Costs - Corn:  Please enter a value that's greater than or "
         "equal to -100,000"},
        {1, Given::Typed, "-100000, 100000", ""},
        {1, Given::Range, "1,1e308",
         "General Production Costs - Corn:  Please enter a value that's less than or equal "
         "to 100,000"},
        {2, Given::Range, "1,1e300",
         "Maximum Yield - Corn:  Please enter a value that's less than or equal to "
         "1,000,000"},
        {2, Given::File, "200,\n1000000", ""},
        {3, Given::Typed, "85, 101",
         "Irrigation System Efficiency:  Please enter a value that's less than or equal "
         "to 100"},
        {3, Given::Range, "50,100", ""},
        {4, Given::File, "5,1e308", "Irrigation Costs:  Please enter a value that's less than or equal to 100,000"},
        {4, Given::Typed, "-1e300", "Irrigation Costs:  Please enter a value that's greater than or equal to -100,000"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string values = c.values;
        SCOPED_TRACE(std::to_string(c.variable) + " " + values);
        p.optBatchVariable[static_cast<std::size_t>(c.variable)]->click();
        switch (c.given) {
        case Given::Typed: p.txtBatchList->setText(QString::fromStdString(values)); break;
        case Given::Range: {
            const auto comma = values.find(',');
            p.txtBatchMinimum[0]->setText(QString::fromStdString(values.substr(0, comma)));
            p.txtBatchMinimum[1]->setText(QString::fromStdString(values.substr(comma + 1)));
            break;
        }
        case Given::File:
            dialogs.files = {
                QString::fromStdString(folder.write("values" + std::to_string(++n) + ".txt", values).string())};
            p.cmdOpenBatch->click();
            break;
        }
        dialogs.clearRecord();
        p.cmdBatchIt->click();
        if (*c.refusal == 0) {
            EXPECT_EQ(p.ProcessCollection.size(), 1u);
            EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
            EXPECT_FALSE(resultsPane().isHidden());
            p.ProcessCollection.clear();
            w().ShowPane(&p);
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.lastText(), c.refusal);
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(dialogs.messages[0].title, "Invalid value");
        EXPECT_TRUE(p.ProcessCollection.empty()) << "nothing is stored";
        EXPECT_TRUE(resultsPane().isHidden()) << "nothing runs";
    }
}

TEST_F(TrendTest, BackReturnsWhereTheTrendStartedWithTheSavedInputsAndNoOverride)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    row(QStringLiteral("Corn"))->txtPrice->setText(QStringLiteral("9"));
    w().cr(2)->crop()->inputCosts.UseBatch = true;
    w().cr(2)->crop()->inputCosts.BatchGeneralCosts = 40;
    w().state().tempIrrigationCosts->UseBatch = true;
    w().state().tempIrrigationCosts->BatchIrrigationCosts = 3;
    w().SetMainInfo(QStringLiteral("something else"));

    setup().backButton->click();
    EXPECT_FALSE(session.TrendMode);
    EXPECT_FALSE(pane().isHidden());
    EXPECT_TRUE(setup().isHidden());
    EXPECT_EQ(find<QLabel>("lblMainInfo")->text(), w().state().strMainInfo);
    EXPECT_EQ(row(QStringLiteral("Corn"))->crop()->price, 6.52);
    EXPECT_FALSE(w().cr(2)->crop()->inputCosts.UseBatch);
    EXPECT_EQ(w().cr(2)->crop()->inputCosts.BatchGeneralCosts, 0);
    EXPECT_FALSE(w().state().tempIrrigationCosts->UseBatch);
    EXPECT_EQ(w().state().tempIrrigationCosts->BatchIrrigationCosts, 0);

    startFixedTrendOnTheBestOption();
    setup().backButton->click();
    EXPECT_FALSE(pneResults(w())->isHidden()) << "a fixed trend goes back to the option browser";
    EXPECT_TRUE(setup().isHidden());
}
