#include "trend/TrendController.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <limits>
#include <utility>

#include "model/BackgroundRelease.h"
#include "model/BestMix.h"
#include "model/Errors.h"
#include "model/FixedTrend.h"
#include "model/IrrigationCosts.h"
#include "model/Numbers.h"
#include "trend/TrendPanes.h"
#include "trend/TrendResultsPane.h"
#include "trend/TrendResultsView.h"
#include "trend/TrendSetupPane.h"
#include "ui/main/CropRow.h"
#include "ui/main/MainPane.h"
#include "ui/main/PaneHost.h"
#include "ui/main/ProgressWindow.h"
#include "ui/main/ViewText.h"
#include "ui/platform/DialogService.h"
#include "ui/results/OptionBrowser.h"
#include "ui/results/ResultsPane.h"
#include "ui/results/ResultsPanes.h"

namespace korvel::ui {

namespace {

// A whole number of a process field, -1 when it has none.
int whole(double v)
{
    try {
        return static_cast<int>(num::toWhole(v));
    } catch (const korvel::KorvelError&) {
        return -1;
    }
}

// The progress window as the fixed trend's observer: every pump lets pending window messages run, so the
// Cancel button is answered before each value.
class FixedTrendProgress : public korvel::EvaluationObserver {
public:
    // stop: trend processing was switched off, which stops the trend as Cancel does, whatever ran meanwhile.
    FixedTrendProgress(ProgressWindow& window, korvel::SessionState& session, const bool& stop)
        : window_(&window), session_(session), stop_(stop)
    {
    }
    void pumpMessages() override
    {
        QCoreApplication::processEvents();
        if (stop_)
            session_.CancelRequested = true;
    }
    void advance() override
    {
        if (window_)
            window_->Update();
    }
    void close() override
    {
        if (window_)
            window_->close();
    }

private:
    QPointer<ProgressWindow> window_;
    korvel::SessionState& session_;
    const bool& stop_;
};

const QString kIncomplete = QStringLiteral("Please enter all of the necessary information before continuing!");

// The information line and the setup's instruction for each kind of trend.
const QString kFixedInfo = QStringLiteral("This program uses a selected Option from the prior screen of results and "
                                          "executes a fixed trend of up to 2 different input variables.");
const QString kVariableInfo = QStringLiteral("This program runs the standard Korvel evaluation over a range of values "
                                             "for an individual variable.  Once completed, a single trend process can "
                                             "be run on one of the resulting options.");
const QString kFixedInstruction =
    QStringLiteral("Choose a variable to run a fixed trend process on.  The variables on the left column are dependent "
                   "on the crop type.  Variables in the right column affect all crops in the evaluations.");
const QString kVariableInstruction =
    QStringLiteral("Choose a variable to run a variable trend process on.  The variables on the left column are "
                   "dependent on the crop type.  Variables in the right column affect all crops in the evaluations.");

QStringList entries(const QComboBox& list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.itemText(i);
    return out;
}

} // namespace

TrendController::TrendController(TrendPanes& panes, TrendSetupPane& setup)
    : main_(panes.host()), panes_(panes), setup_(setup)
{
    connect(setup_.backButton, &QPushButton::clicked, this, [this] { goBack(); });
    connect(setup_.cmdBatchIt, &QPushButton::clicked, this, [this] { generateTrendOutput(); });
}

korvel::SessionState& TrendController::session() const
{
    return main_.session();
}

// --- Entry and Back -------------------------------------------------------------------------------

void TrendController::startVariableTrend()
{
    // The menu stays usable while a run lets window messages through; a new setup waits for the run's end.
    if (running_)
        return;
    session().SelectedOption = std::make_shared<korvel::FieldCollection>();
    ShowBatchScreen();
}

void TrendController::ShowBatchScreen()
{
    openSetup(true);
}

void TrendController::fixedTrendFromTrendResults(const std::shared_ptr<korvel::FieldCollection>& option)
{
    if (running_ || !option || option->Count() == 0)
        return;
    ShownTrendResults shown = shownTrendResults();
    session().SelectedOption = option;
    openSetup(false);
    returns_.push_back(std::move(shown));
}

void TrendController::openSetup(bool fresh)
{
    // Opening the setup mid-run would save the run's trended inputs as the ones Back restores.
    if (running_)
        return;
    korvel::SessionState& s = session();
    const std::shared_ptr<korvel::FieldCollection> option = korvel::selectedOption(s);
    TrendSetupPane& p = setup_;
    if (option->Count() != 0) {
        p.cmdDeleteBatch->hide();
        p.ProcessCollection.clear();
        p.CurrentProcess = 0;
        p.cboBatches->setEnabled(false);
        p.cboBatches->clear();
        p.cboBatches->setEnabled(true);
        {
            const QSignalBlocker quiet(p.cboCrops);
            p.cboCrops->clear();
            for (const std::string& crop : option->getCrops())
                p.cboCrops->addItem(qtext(crop));
        }
        p.selectCropEntry(0);
        p.frmBatches->show();
        if (p.AddBatchProcess())
            p.LoadBatchProcess(0);
        main_.SetMainInfo(kFixedInfo);
        p.lblInstruction->setText(kFixedInstruction);
    } else {
        if (!main_.ready()) {
            showMessage(main_.hostWindow(), kIncomplete, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
            return;
        }
        {
            const QSignalBlocker quiet(p.cboCrops);
            p.cboCrops->clear();
            for (int i = 0; i < main_.cropRowCount(); ++i)
                if (main_.cr(i)->isActive())
                    p.cboCrops->addItem(qtext(main_.cr(i)->crop()->cropType));
        }
        giveBackUserValues();
        main_.saveInputs();
        p.selectCropEntry(0);
        p.variablePicked(0);
        p.frmBatches->hide();
        p.cmdDeleteBatch->hide();
        p.ProcessCollection.clear();
        p.CurrentProcess = 0;
        main_.SetMainInfo(kVariableInfo);
        p.lblInstruction->setText(kVariableInstruction);
    }
    if (fresh)
        returns_.clear();
    s.TrendMode = true;
    p.RefreshBatchButtons();
    main_.ShowPane(panes_.trendSetupPane());
}

void TrendController::clearTrendOverrides()
{
    for (int i = 0; i < main_.cropRowCount(); ++i) {
        korvel::inputCosts& costs = main_.cr(i)->crop()->inputCosts;
        costs.UseBatch = false;
        costs.BatchGeneralCosts = 0;
    }
    if (main_.state().tempIrrigationCosts) {
        main_.state().tempIrrigationCosts->UseBatch = false;
        main_.state().tempIrrigationCosts->BatchIrrigationCosts = 0;
    }
}

void TrendController::rememberUserValue(QObject* box, std::function<void()> giveBack)
{
    for (const auto& [kept, how] : userValues_)
        if (kept == box)
            return;
    userValues_.emplace_back(box, std::move(giveBack));
}

void TrendController::giveBackUserValues()
{
    if (running_) {
        giveBackAfterRun_ = true;
        return;
    }
    giveBackAfterRun_ = false;
    const auto values = std::move(userValues_);
    userValues_.clear();
    for (const auto& [box, giveBack] : values)
        giveBack();
    clearTrendOverrides();
}

void TrendController::goBack()
{
    if (running_)
        return;
    korvel::SessionState& s = session();
    giveBackUserValues();
    const bool fixed = korvel::selectedOption(s)->Count() >= 1;
    if (fixed && !returns_.empty()) {
        // Back to the trend results the fixed trend was started from: the trend they belong to goes on.
        const ShownTrendResults shown = std::move(returns_.back());
        returns_.pop_back();
        main_.loadInputs();
        showTrendResultsAgain(shown);
        return;
    }
    s.TrendMode = false;
    main_.loadInputs();
    if (!fixed)
        main_.ShowPane(main_.pneMain());
    else
        main_.ShowPane(panes_.results().pneResults());
    // The results pane, like the main pane, stands under the standing text: the run button shows it from there.
    main_.SetMainInfo(main_.state().strMainInfo);
}

TrendController::ShownTrendResults TrendController::shownTrendResults() const
{
    const korvel::SessionState& s = main_.session();
    const TrendSetupPane& p = setup_;
    const TrendResultsPane& pane = *panes_.trendResultsPane();
    const TrendResultsView& view = *pane.theBatchResults;
    ShownTrendResults shown;
    shown.lists = view.steps();
    shown.bp = view.bp;
    shown.fixedTrend = view.fixedTrend;
    shown.step = view.currentStep();
    shown.option = view.theResults->currentRecord;
    shown.browserList = view.theResults->FieldCollection;
    shown.title = pane.batchTitle->text();
    shown.values = s.TrendValues;
    shown.grid = s.TrendResultGrid;
    shown.variableName = s.TrendVariableName;
    shown.cropName = s.TrendCropName;
    shown.selectedOption = s.SelectedOption;
    shown.processes = p.ProcessCollection;
    shown.currentProcess = p.CurrentProcess;
    shown.crops = entries(*p.cboCrops);
    shown.crop = p.cboCrops->currentIndex();
    shown.batches = entries(*p.cboBatches);
    shown.batch = p.cboBatches->currentIndex();
    return shown;
}

void TrendController::showTrendResultsAgain(const ShownTrendResults& shown)
{
    korvel::SessionState& s = session();
    TrendSetupPane& p = setup_;
    // The setup that made them, for the results' own Back.
    s.SelectedOption = shown.selectedOption;
    const bool fixedSetup = korvel::selectedOption(s)->Count() != 0;
    p.ProcessCollection = shown.processes;
    p.CurrentProcess = shown.currentProcess;
    {
        const QSignalBlocker quiet(p.cboCrops);
        p.cboCrops->clear();
        p.cboCrops->addItems(shown.crops);
    }
    p.selectCropEntry(shown.crop);
    p.cboBatches->setEnabled(false);
    p.cboBatches->clear();
    p.cboBatches->addItems(shown.batches);
    p.cboBatches->setCurrentIndex(shown.batch);
    p.cboBatches->setEnabled(true);
    p.frmBatches->setVisible(fixedSetup);
    p.showProcess(shown.currentProcess);
    p.RefreshBatchButtons();
    p.lblInstruction->setText(fixedSetup ? kFixedInstruction : kVariableInstruction);
    s.TrendMode = true;

    // The run's results, at the step and option shown.
    BatchCollection = shown.lists;
    s.TrendValues = shown.values;
    s.TrendResultGrid = shown.grid;
    s.TrendVariableName = shown.variableName;
    s.TrendCropName = shown.cropName;
    // Laid out before it is shown, so that the focus goes to its first control as it stands.
    TrendResultsPane& results = *panes_.trendResultsPane();
    results.batchTitle->setText(shown.title);
    results.theBatchResults->fixedTrend = shown.fixedTrend;
    results.theBatchResults->setBatchCollection(shown.lists, shown.bp);
    results.theBatchResults->LoadBatchResults(shown.step);
    // The very option objects that were on screen (a fixed trend's option among them), not a new reading.
    results.theBatchResults->theResults->loadResults(shown.browserList);
    results.theBatchResults->theResults->showOptionAt(shown.option);
    main_.ShowPane(&results);
    main_.SetMainInfo(fixedSetup ? kFixedInfo : kVariableInfo);
}

void TrendController::stopRun()
{
    if (!running_)
        return;
    stopRequested_ = true;
    session().CancelRequested = true;
}

// --- Runs -----------------------------------------------------------------------------------------

void TrendController::generateTrendOutput()
{
    if (running_)
        return;
    TrendSetupPane& p = setup_;
    const std::optional<korvel::BatchProcess> bp = p.GetBatchProcess(p.cboCrops->currentText());
    if (!bp)
        return;
    if (!p.ProcessCollection.empty()) {
        const std::size_t at = static_cast<std::size_t>(std::max(0, p.CurrentProcess));
        p.ProcessCollection[std::min(at, p.ProcessCollection.size() - 1)].Change(*bp);
    } else {
        p.ProcessCollection.push_back(*bp);
    }

    // Every run starts from the user's inputs: what an earlier run wrote is given back before the file is read.
    giveBackUserValues();
    running_ = true;
    stopRequested_ = false;
    bool completed = false;
    const bool fixed = korvel::selectedOption(session())->Count() >= 1;
    const auto ended = [this] {
        running_ = false;
        stopRequested_ = false;
        if (giveBackAfterRun_)
            giveBackUserValues();
    };
    try {
        main_.loadInputs();
        // The lists of the previous run are freed away from the window thread.
        korvel::BackgroundRelease::releaseValue(std::exchange(BatchCollection, {}));
        completed = fixed ? runFixedTrend() : runVariableTrend(*bp);
    } catch (...) {
        ended();
        throw;
    }
    ended();
    if (!completed)
        return;
    // A pane the user chose while the trend ran stays shown; the results wait in their pane.
    const bool setupShown = !setup_.isHidden();
    TrendResultsPane& results = *panes_.trendResultsPane();
    if (setupShown)
        main_.ShowPane(&results);
    results.theBatchResults->fixedTrend = fixed;
    results.theBatchResults->setBatchCollection(BatchCollection, *bp);
    results.theBatchResults->LoadBatchResults(1);
}

bool TrendController::runVariableTrend(const korvel::BatchProcess& bp)
{
    korvel::SessionState& s = session();
    panes_.trendResultsPane()->batchTitle->setText(QStringLiteral("Variable Trend Results"));
    const std::vector<korvel::Variant> values = bp.GetValueArray();
    s.TrendValues = values;
    const std::size_t m = values.size();
    // One progress window for the whole trend. A Cancel pressed for an earlier run is not this trend's; one
    // pressed from now on stops the trend, whenever it comes: between two steps it is answered before the next.
    s.CancelRequested = false;
    main_.beginTrendSteps(static_cast<int>(std::min<std::size_t>(m, std::numeric_limits<int>::max())));
    const struct EndSteps {
        PaneHost& host;
        ~EndSteps() { host.endTrendSteps(); }
    } endSteps{main_};
    for (std::size_t i = 0; i < m; ++i) {
        QCoreApplication::processEvents();
        if (s.CancelRequested || stopRequested_)
            return false;
        double value = 0;
        try {
            value = values[i].number();
        } catch (const korvel::KorvelError&) {
            return false; // never stored: the process was checked when it was built
        }
        UpdateVariable(whole(bp.cropIndex), whole(bp.VariableIndex), value);
        const std::shared_ptr<korvel::BestMix> bm =
            main_.RunScenario(QString::number(m - i) + QStringLiteral(" evaluations left"));
        if (s.TrendCancelled || stopRequested_ || !bm || bm->getSize() == 0) {
            s.TrendCancelled = false;
            return false;
        }
        bm->returnCollection(true, s);
        BatchCollection.push_back(bm->Copy());
    }
    return true;
}

bool TrendController::runFixedTrend()
{
    korvel::SessionState& s = session();
    TrendSetupPane& p = setup_;
    panes_.trendResultsPane()->batchTitle->setText(QStringLiteral("Fixed Trend Results"));

    std::vector<korvel::FixedTrendProcess> processes;
    for (std::size_t k = 0; k < p.ProcessCollection.size() && k < 2; ++k) {
        const korvel::BatchProcess& bp = p.ProcessCollection[k];
        korvel::FixedTrendProcess process;
        const int crop = whole(bp.cropIndex);
        if (CropRow* row = p.cropRow(crop))
            process.target.rowCropType = row->crop()->cropType;
        process.target.cropChoice = p.cboCrops->currentText().toStdString();
        process.variable = whole(bp.VariableIndex);
        process.target.units = p.GetVariableUnits(process.variable, crop);
        try {
            process.values = bp.numericValues();
        } catch (const korvel::KorvelError&) {
            return false; // never stored: the process was checked when it was built
        }
        processes.push_back(std::move(process));
    }
    const long long n = korvel::fixedTrendCount(processes);
    if (n > korvel::kMaximumFixedTrendCount) {
        showMessage(main_.hostWindow(),
                    QStringLiteral("A fixed trend can compute at most %1 combinations of values; these trend processes "
                                   "give %2.  Please use fewer values.")
                        .arg(korvel::kMaximumFixedTrendCount)
                        .arg(n),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Invalid value"));
        return false;
    }

    auto* progress = new ProgressWindow(s, main_.hostWindow());
    progress->setObjectName(QStringLiteral("frmUpdating"));
    progress->setTitle(QStringLiteral("Evaluating Trend Combinations"));
    progress->show();
    progress->setMax(static_cast<double>(n));
    progress->setMessage(QStringLiteral("Evaluating Trends..."));
    FixedTrendProgress observer(*progress, s, stopRequested_);
    const QPointer<ProgressWindow> window(progress);

    korvel::FixedTrendRun run;
    QString failure;
    try {
        run = korvel::runFixedTrend(*korvel::selectedOption(s), processes, s, observer);
    } catch (const korvel::KorvelError& e) {
        failure = qtext(e.what());
    }
    if (window)
        window->deleteLater();
    if (!failure.isEmpty()) {
        showMessage(main_.hostWindow(),
                    QStringLiteral("The fixed trend could not be completed (%1).  Please check the values of the trend "
                                   "processes.")
                        .arg(failure),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
        return false;
    }
    if (!run.completed)
        return false;
    BatchCollection.push_back(run.list);
    return true;
}

void TrendController::UpdateVariable(int theCrop, int theVariable, double theValue)
{
    korvel::SessionState& s = session();
    CropRow* row = setup_.cropRow(theCrop);
    if (row) {
        row->crop()->inputCosts.UseBatch = false;
        row->crop()->inputCosts.BatchGeneralCosts = 0;
    }
    korvel::IrrigationCosts& irrigation = main_.irrigationCosts();
    irrigation.UseBatch = false;
    irrigation.BatchIrrigationCosts = 0;

    MainPane& pane = *main_.pneMain();
    switch (theVariable) {
    case korvel::CropPriceVariable:
        if (row) {
            rememberUserValue(row->txtPrice, [row = QPointer<CropRow>(row), crop = row->crop(),
                                              text = row->txtPrice->text(), price = row->crop()->price] {
                if (row && row->crop() == crop)
                    row->txtPrice->setText(text);
                crop->price = price;
            });
            row->setPrice(theValue);
        }
        break;
    case korvel::ProductionCostsVariable:
        if (row) {
            row->crop()->inputCosts.UseBatch = true;
            row->crop()->inputCosts.BatchGeneralCosts = theValue;
        }
        break;
    case korvel::MaximumYieldVariable:
        if (row) {
            rememberUserValue(row->txtMaxYield, [row = QPointer<CropRow>(row), crop = row->crop(),
                                                 text = row->txtMaxYield->text(), maxYield = row->crop()->maxYield] {
                if (row && row->crop() == crop)
                    row->txtMaxYield->setText(text);
                crop->maxYield = maxYield;
            });
            row->setMaxYield(theValue);
        }
        break;
    case korvel::EfficiencyVariable:
        rememberUserValue(pane.txtEff, [box = QPointer<QLineEdit>(pane.txtEff), text = pane.txtEff->text()] {
            if (box)
                box->setText(text);
        });
        pane.txtEff->setText(qtext(num::plainText(theValue)));
        break;
    case korvel::IrrigationCostsVariable:
        irrigation.UseBatch = true;
        irrigation.BatchIrrigationCosts = theValue;
        break;
    case korvel::RainfallVariable:
        rememberUserValue(pane.txtAnnRain,
                          [box = QPointer<QComboBox>(pane.txtAnnRain), text = pane.txtAnnRain->currentText()] {
                              if (box)
                                  box->setEditText(text);
                          });
        pane.txtAnnRain->setEditText(qtext(num::plainText(theValue)));
        break;
    default: return;
    }
    s.TrendVariableName = korvel::TrendVariables::variableTrendName(theVariable);
    s.TrendCropName = korvel::TrendVariables::appliesToOneCrop(theVariable)
                          ? setup_.cboCrops->currentText().toStdString()
                          : std::string();
}

} // namespace korvel::ui
