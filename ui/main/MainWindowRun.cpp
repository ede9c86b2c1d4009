// The evaluation run of the main window: the completeness test, the crops of a run, one search from the
// main pane's inputs, and the run button.
#include "ui/main/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/Errors.h"
#include "model/Field.h"
#include "model/FieldCalculator.h"
#include "model/FieldCollection.h"
#include "model/IrrigationCosts.h"
#include "model/MakingCropCombos.h"
#include "model/MakingSplits.h"
#include "model/Numbers.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/CropRow.h"
#include "ui/main/MainPane.h"
#include "ui/main/ProgressWindow.h"
#include "ui/platform/DialogService.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/ResultsPane.h"

namespace korvel::ui {

namespace {

// A main-pane box as the run reads it: its number, digit grouping included ("1,500" acres are 1500).
double leading(const QString& text)
{
    return BoxTexts::value(text);
}

const QString kIncomplete = QStringLiteral("Please enter all of the necessary information before continuing!");

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

std::shared_ptr<korvel::CropScenario> MainWindow::returnCrops()
{
    auto scenario = std::make_shared<korvel::CropScenario>();
    const double rain = leading(pneMain_->txtAnnRain->currentText());
    for (int i = 0; i < cropRowCount(); ++i) {
        CropRow* row = cr(i);
        if (!row->isActive())
            continue;
        const std::shared_ptr<korvel::Crop> c = row->crop();
        c->price = row->getPrice();
        c->maxYield = row->getMaxYield();
        c->setNormal(c->maxYield, rain);
        c->soilName = "Silt Loam";
        std::shared_ptr<korvel::SoilCollection> soil = c->soil_ulysses;
        std::string soilName = "Silt Loam";
        if (currentSoil == QLatin1String("Fine Sand")) {
            soil = c->soil_valent;
            soilName = "Fine Sand";
        } else if (currentSoil == QLatin1String("Loamy Sand")) {
            soil = c->soil_valentine;
            soilName = "Loamy Sand";
        }
        try {
            if (soil && soil->Count() > 0) {
                c->setYieldTable(soil->Item(2));
                c->soilName = soilName;
            }
        } catch (const korvel::KorvelError&) {
            // The crop keeps its own table.
        }
        scenario->Add(c);
    }
    return scenario;
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

    s.IrrigationEfficiency = leading(p.txtEff->text()) / 100.0;

    if (progress_)
        progress_->deleteLater();
    progress_ = new ProgressWindow(s, this);
    progress_->setTitle(QStringLiteral("Evaluating Possible Combinations"));
    progress_->show();
    progress_->repaint();

    const auto closeProgress = [this] {
        if (progress_)
            progress_->close();
    };

    try {
        // The inputs of this run, read once: what the user types while the search runs is for the next run.
        const double acres = leading(p.txtArea->text());
        const double rain = leading(p.txtAnnRain->currentText());
        const std::string volumeText = p.lblVolume->text().toStdString();
        const double volume = num::parseNumeric(volumeText).value_or(num::leadingNumberOrZero(volumeText));
        const int bestCount = static_cast<int>(num::toWhole(leading(p.txtArraySize->text())));
        const bool singleCropPlans = p.chkNoSplit->isChecked();

        const int preset = p.selectedPreset();
        MakingSplits::makeLandSplit(s, preset);
        s.LandSplit = MakingSplits::scaleLandSplit(*s.LandSplit, acres);
        const int fields = s.LandSplit->Count();
        if (preset < 0 || fields < 1) {
            closeProgress();
            showRunError(kIncomplete);
            s.TrendCancelled = s.TrendMode;
            return std::make_shared<korvel::BestMix>();
        }

        const double net = volume * s.IrrigationEfficiency;
        const korvel::SplitCollection waterSplits = MakingSplits::makeWaterSplits(s, fields, net);
        const korvel::SplitCollection depthSplits = MakingSplits::makeDepthSplits(waterSplits, *s.LandSplit);
        cs = returnCrops();
        const auto combos = MakingCropCombos::makeCropCombos(*cs, fields);

        progress_->setMax(static_cast<double>(depthSplits.Count()));
        progress_->setMessage(strBatchMessage);

        std::shared_ptr<korvel::BestMix> bm = korvel::FieldCalculator::EvaluateCombinations(
            depthSplits, combos, *s.LandSplit, rain, bestCount, *tempIrrigationCosts, s, progress_.data());

        if (s.CancelRequested) {
            s.TrendCancelled = s.TrendMode;
            closeProgress();
            return bm ? bm : std::make_shared<korvel::BestMix>();
        }
        if (!bm) {
            closeProgress();
            return std::make_shared<korvel::BestMix>();
        }

        if (singleCropPlans) {
            for (const auto& c : *cs) {
                auto field = std::make_shared<korvel::Field>();
                field->acres = acres;
                field->theCrop = c;
                field->Depth = c->cropType == "Fallow" ? 0.0 : num::checkedFinite(net / acres, "the depth of a single-crop plan");
                field->annualRain = rain;
                field->irrigCosts = tempIrrigationCosts;
                field->IrrigationEfficiency = s.IrrigationEfficiency;
                c->setYield(field->Depth, field->annualRain);
                korvel::FieldCollection plan;
                plan.Add(field);
                bm->submit(plan, s);
            }
        }
        closeProgress();
        return bm;
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
        showRunError(QStringLiteral("The evaluation could not be completed (%1).").arg(QString::fromStdString(e.what())));
    }
    // A failed run counts as a stopped one: the previous results stay, and a trend run ends.
    s.TrendCancelled = s.TrendMode;
    return std::make_shared<korvel::BestMix>();
}

void MainWindow::showRunError(const QString& text)
{
    showMessage(this, text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
}

void MainWindow::runEvaluation()
{
    if (searchRunning_)
        return;
    session_.TrendMode = false;
    if (!ready()) {
        showMessage(this, kIncomplete, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
        return;
    }
    saveInputs();
    const std::shared_ptr<korvel::BestMix> bm = RunScenario(QString());
    if (!bm || bm->getSize() == 0 || closePending_)
        return;
    ShowPane(pneResults_);
    pneResults_->ShowBatchedVariables(false);
    pneResults_->loadResults(bm->returnCollection(true, session_));
    thePrinter().setCollection(bm->returnCollection(true, session_));
    mnuPrint->setEnabled(true);
}

} // namespace korvel::ui
