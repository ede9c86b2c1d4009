// The evaluation run of the main window: the completeness test, one run of the model from the main pane's
// inputs (read into EvaluationRun::Inputs) with the progress window, and the run button.
#include "ui/main/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/Errors.h"
#include "model/EvaluationRun.h"
#include "model/Numbers.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/CropRow.h"
#include "ui/main/MainPane.h"
#include "ui/main/ProgressWindow.h"
#include "ui/platform/DialogService.h"

namespace korvel::ui {

namespace {

// A main-pane box as the run reads it: its number, digit grouping included ("1,500" acres are 1500).
double leading(const QString& text)
{
    return BoxTexts::value(text);
}

const QString kIncomplete = QStringLiteral("Please enter all of the necessary information before continuing!");

// The progress window as the run's observer: it counts the depth splits of the search and shows the run's
// message; the crops of the run become the window's crops of the last run. The window closes with the search,
// unless it stays open for the next step of a trend.
class RunProgress : public korvel::EvaluationRun::Observer {
public:
    RunProgress(ProgressWindow& window, const QString& message, std::shared_ptr<korvel::CropScenario>& lastRunCrops,
                bool closesWithTheSearch, const std::function<void(MainWindow::RunPoint)>& atPoint)
        : window_(&window), message_(message), lastRunCrops_(lastRunCrops), closes_(closesWithTheSearch),
          atPoint_(atPoint)
    {
    }
    void pumpMessages() override
    {
        if (window_)
            window_->pumpMessages();
    }
    void advance() override
    {
        if (window_)
            window_->advance();
    }
    void advanceBy(std::size_t steps) override
    {
        if (window_)
            window_->advanceBy(steps);
    }
    void close() override
    {
        if (window_ && closes_)
            window_->close();
    }
    void cropsPrepared(const std::shared_ptr<korvel::CropScenario>& crops) override { lastRunCrops_ = crops; }
    void searchBegins(std::size_t depthSplits) override
    {
        if (window_) {
            window_->setMax(static_cast<double>(depthSplits));
            window_->setMessage(message_);
        }
        if (atPoint_)
            atPoint_(MainWindow::RunPoint::SearchBegins);
    }
    void searchEnded() override
    {
        if (atPoint_)
            atPoint_(MainWindow::RunPoint::SearchEnded);
    }

private:
    QPointer<ProgressWindow> window_;
    QString message_;
    std::shared_ptr<korvel::CropScenario>& lastRunCrops_;
    bool closes_;
    std::function<void(MainWindow::RunPoint)> atPoint_;
};

} // namespace

bool MainWindow::ready()
{
    const MainPane& p = *pneMain_;
    if (p.txtArea->text().isEmpty() || p.txtMax->text().isEmpty() || p.lblVolume->text().isEmpty())
        return false;
    if (!num::isNumeric(p.txtAnnRain->currentText().toStdString()))
        return false;
    // A run needs a land split, a positive efficiency, acreage and gross depth.
    if (p.selectedPreset() < 0 || !(leading(p.txtEff->text()) > 0) || !(leading(p.txtArea->text()) > 0) ||
        !(leading(p.txtMax->text()) > 0))
        return false;
    for (int i = 0; i < cropRowCount(); ++i)
        if (cr(i)->isActive())
            return true;
    return false;
}

std::shared_ptr<korvel::BestMix> MainWindow::RunScenario(const QString& strBatchMessage)
{
    if (searchRunning_) {
        // A second search inside the first is never started.
        session_.TrendCancelled = session_.TrendMode;
        return std::make_shared<korvel::BestMix>();
    }
    searchRunning_ = true;
    std::shared_ptr<korvel::BestMix> bm;
    try {
        bm = runSearch(strBatchMessage);
    } catch (...) {
        searchRunning_ = false;
        throw;
    }
    searchRunning_ = false;
    if (closePending_)
        QTimer::singleShot(0, this, [this] { close(); });
    return bm;
}

std::shared_ptr<korvel::BestMix> MainWindow::runSearch(const QString& strBatchMessage)
{
    korvel::SessionState& s = session_;
    const MainPane& p = *pneMain_;

    const bool trendStep = trendSteps_ > 0;
    // An acreage or gross depth beyond its box's limit (brought by the inputs file, never tested on leaving)
    // would give figures that cannot be computed or written out: the run refuses with the box's message.
    if (const QString beyond = p.valueBeyondLimit(); !beyond.isEmpty()) {
        if (progress_)
            progress_->close();
        showRunError(beyond);
        s.TrendCancelled = s.TrendMode;
        return std::make_shared<korvel::BestMix>();
    }
    if (!trendStep || !progress_ || !progress_->isVisible())
        openProgressWindow();
    if (trendStep)
        progress_->setStage(std::min(trendStep_++, trendSteps_ - 1), trendSteps_);

    const auto closeProgress = [this] {
        if (progress_)
            progress_->close();
    };

    try {
        // The inputs of this run, read once: what the user types while the search runs is for the next run.
        korvel::EvaluationRun::Inputs in;
        in.efficiencyPercent = leading(p.txtEff->text());
        in.acres = leading(p.txtArea->text());
        in.rain = leading(p.txtAnnRain->currentText());
        const std::string volumeText = p.lblVolume->text().toStdString();
        in.volume = num::parseNumeric(volumeText).value_or(num::leadingNumberOrZero(volumeText));
        in.listSize = leading(p.txtArraySize->text());
        in.singleCropPlans = p.chkNoSplit->isChecked();
        in.preset = p.selectedPreset();
        in.factor = s.SplitFactor;
        for (int i = 0; i < cropRowCount(); ++i)
            if (CropRow* row = cr(i); row->isActive())
                in.crops.push_back({row->crop(), row->getPrice(), row->getMaxYield()});
        in.soil = state_.currentSoil.toStdString();
        in.irrigation = state_.tempIrrigationCosts;
        state_.lastRunTexts = {p.txtArea->text(), p.txtEff->text(), p.txtAnnRain->currentText(), p.txtMax->text()};
        if (trendStep)
            in.earlierCancel = korvel::FieldCalculator::EarlierCancel::Keep;

        RunProgress observer(*progress_, strBatchMessage, state_.cs, !trendStep, runPointObserver_);
        const korvel::EvaluationRun::Result result = korvel::EvaluationRun::run(in, s, observer);
        switch (result.end) {
        case korvel::EvaluationRun::End::NoLandSplit:
            closeProgress();
            showRunError(kIncomplete);
            s.TrendCancelled = s.TrendMode;
            break;
        case korvel::EvaluationRun::End::Cancelled:
            s.TrendCancelled = s.TrendMode;
            closeProgress();
            break;
        case korvel::EvaluationRun::End::Stopped: closeProgress(); break;
        case korvel::EvaluationRun::End::Finished:
            if (!trendStep)
                closeProgress();
            break;
        }
        return result.list;
    } catch (const korvel::YieldLookupError& e) {
        closeProgress();
        showRunError(QStringLiteral("The evaluation could not be completed: the yield table of a chosen crop does not "
                                    "cover these inputs (%1).  Please check the annual rainfall.")
                         .arg(QString::fromStdString(e.what())));
    } catch (const korvel::NonFiniteResult& e) {
        closeProgress();
        showRunError(QStringLiteral("The evaluation could not be completed: a result is not a finite number (%1).  "
                                    "Please check the inputs.")
                         .arg(QString::fromStdString(e.what())));
    } catch (const korvel::TypeMismatch& e) {
        closeProgress();
        showRunError(QStringLiteral("The evaluation could not be completed: a text stands where a number belongs "
                                    "(%1).  Please check the production costs of the chosen crops.")
                         .arg(QString::fromStdString(e.what())));
    } catch (const std::exception& e) {
        closeProgress();
        showRunError(
            QStringLiteral("The evaluation could not be completed (%1).").arg(QString::fromStdString(e.what())));
    }
    // A failed run counts as a stopped one: the previous results stay, and a trend run ends.
    s.TrendCancelled = s.TrendMode;
    return std::make_shared<korvel::BestMix>();
}

void MainWindow::openProgressWindow()
{
    if (progress_)
        progress_->deleteLater();
    progress_ = new ProgressWindow(session_, this);
    progress_->setTitle(QStringLiteral("Evaluating Possible Combinations"));
    progress_->show();
    progress_->repaint();
}

void MainWindow::beginTrendSteps(int steps)
{
    trendSteps_ = std::max(1, steps);
    trendStep_ = 0;
    openProgressWindow();
    progress_->setStage(0, trendSteps_);
}

void MainWindow::endTrendSteps()
{
    trendSteps_ = 0;
    trendStep_ = 0;
    if (progress_)
        progress_->close();
}

void MainWindow::showRunError(const QString& text)
{
    showMessage(this, text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
}

void MainWindow::runEvaluation()
{
    if (searchRunning_)
        return;
    giveBackTrendInputs();
    session_.TrendMode = false;
    if (!ready()) {
        showMessage(this, kIncomplete, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
        return;
    }
    saveInputs();
    const std::shared_ptr<korvel::BestMix> bm = RunScenario(QString());
    if (!bm || bm->getSize() == 0 || closePending_)
        return;
    if (resultsHooks_.showResults)
        resultsHooks_.showResults(*bm);
}

} // namespace korvel::ui
