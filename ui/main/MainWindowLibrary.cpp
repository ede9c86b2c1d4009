// The main window's side of the crop library and of the inputs file.
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>
#include <map>

#include "model/CropScenario.h"
#include "ui/main/CropRow.h"
#include "ui/main/MainPane.h"
#include "ui/platform/DialogService.h"

#include "model/FileReader.h"
#include "model/InputsFile.h"
#include "ui/main/IrrigationCostPane.h"
#include <QLineEdit>

namespace korvel::ui {

void MainWindow::LoadCropRows()
{
    // What every row held, to hand to the same crop (by name, the n-th of a name to the n-th) in the new library.
    std::vector<CropRow::Entries> before;
    before.reserve(static_cast<std::size_t>(cropRowCount()));
    for (int i = 0; i < cropRowCount(); ++i)
        before.push_back(cr(i)->entries());
    std::map<std::string, int> seen;
    const auto previous = [&](const std::string& name) -> const CropRow::Entries* {
        int n = seen[name]++;
        for (const CropRow::Entries& e : before)
            if (e.crop->cropType == name && n-- == 0)
                return &e;
        return nullptr;
    };

    pneMain_->closeRowsAfterFirst();
    libraryCount_ = 0;
    bool read = false;
    try {
        if (!state_.cropFiles)
            state_.cropFiles = std::make_shared<korvel::FileReader>();
        read = state_.cropFiles->Initialize(dataPath(), userPath());
    } catch (const std::exception&) {
        read = false;
    }
    if (!read) {
        showMessage(this,
                    QStringLiteral("The crop library could not be read from the folder ") +
                        QDir::toNativeSeparators(QString::fromStdString(state_.cropFiles->fileDirectory)) +
                        QStringLiteral(".  No crops can be evaluated."),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
    } else {
        const korvel::CropScenario& library = *state_.cropFiles->cropCollection;
        for (long i = 0; i < library.Count(); ++i) {
            const auto& crop = library.Item(i + 1);
            CropRow* row = pneMain_->createRow(static_cast<int>(i));
            const auto unit = [&](size_t k) {
                return k < crop->cropUnitsArray.size() ? QString::fromStdString(crop->cropUnitsArray[k]) : QString();
            };
            row->loadInfo(QString::fromStdString(crop->cropType), QStringLiteral("$/") + unit(0).toLower(),
                          QStringLiteral("$/ac"), unit(1));
            row->setCrop(crop);
            const CropRow::Entries* earlier = previous(crop->cropType);
            row->carryOver(earlier);
            if (earlier && state_.activeCrop == earlier->crop)
                state_.activeCrop = crop;
            connect(row, &CropRow::inputCostsRequested, this, &MainWindow::openProductionCosts, Qt::UniqueConnection);
            if (trendHooks_.libraryCropAdded)
                trendHooks_.libraryCropAdded(QString::fromStdString(crop->cropType));
        }
        libraryCount_ = static_cast<int>(library.Count());
    }
    // Element 0 stays in the frame; it is shown only while the library has a crop for it.
    pneMain_->row(0)->setVisible(libraryCount_ > 0);
    InitializeCropFrame();
}

QString MainWindow::inputsFilePath() const
{
    return QDir(folders_.user).filePath(QStringLiteral("inputs.txt"));
}

std::filesystem::path MainWindow::dataPath() const
{
    return std::filesystem::path(folders_.data.toStdString());
}

std::filesystem::path MainWindow::userPath() const
{
    return std::filesystem::path(folders_.user.toStdString());
}

void MainWindow::saveInputs()
{
    korvel::InputsFile::saveInputs(userPath(), *this);
}

void MainWindow::loadInputs()
{
    korvel::InputsFile::loadInputs(userPath(), *this);
}

std::string MainWindow::mainText(MainBox box) const
{
    const MainPane& p = *pneMain_;
    switch (box) {
    case MainBox::txtAnnRain: return p.txtAnnRain->currentText().toStdString();
    case MainBox::txtEff: return p.txtEff->text().toStdString();
    case MainBox::txtArea: return p.txtArea->text().toStdString();
    case MainBox::txtMax: return p.txtMax->text().toStdString();
    }
    return {};
}

void MainWindow::setMainText(MainBox box, const std::string& text)
{
    const QString t = QString::fromStdString(text);
    MainPane& p = *pneMain_;
    switch (box) {
    case MainBox::txtAnnRain: p.txtAnnRain->setEditText(t); break;
    case MainBox::txtEff: p.txtEff->setText(t); break;
    case MainBox::txtArea: p.txtArea->setText(t); break;
    case MainBox::txtMax: p.txtMax->setText(t); break;
    }
}

korvel::IrrigationCosts& MainWindow::irrigationCosts()
{
    if (!state_.tempIrrigationCosts)
        state_.tempIrrigationCosts = std::make_shared<korvel::IrrigationCosts>();
    return *state_.tempIrrigationCosts;
}

void MainWindow::setIrrigationText(IrrigationBox box, const std::string& text)
{
    static const char* const names[] = {"txtGPM",      "txtEstHours", "txtLift",         "txtPSI",
                                        "cboFuelType", "txtCost",     "txtLaborPerHour", "txtRepairsPerAcre"};
    const QString name = QString::fromLatin1(names[static_cast<int>(box)]);
    const QString t = QString::fromStdString(text);
    if (box == IrrigationBox::cboFuelType) {
        // The fuel box's text changes without its selection handler.
        if (auto* fuel = pneIrrigCosts_->findChild<QComboBox*>(name)) {
            const QSignalBlocker quiet(fuel);
            if (fuel->isEditable())
                fuel->setEditText(t);
            else
                fuel->setCurrentText(t);
        }
        return;
    }
    if (auto* edit = pneIrrigCosts_->findChild<QLineEdit*>(name))
        edit->setText(t);
}

std::shared_ptr<korvel::CropScenario> MainWindow::cropLibrary() const
{
    return state_.cropFiles ? state_.cropFiles->cropCollection : nullptr;
}

std::vector<std::shared_ptr<korvel::Crop>> MainWindow::cropRowCrops() const
{
    std::vector<std::shared_ptr<korvel::Crop>> crops;
    crops.reserve(static_cast<std::size_t>(cropRowCount()));
    for (int i = 0; i < cropRowCount(); ++i)
        crops.push_back(cr(i)->crop());
    return crops;
}

void MainWindow::refreshCropRows()
{
    for (int i = 0; i < cropRowCount(); ++i)
        cr(i)->refresh();
}

bool MainWindow::batchEnabled() const
{
    return session_.BatchEnabled;
}

void MainWindow::setBatchEnabled(bool on)
{
    session_.BatchEnabled = on;
}

} // namespace korvel::ui
