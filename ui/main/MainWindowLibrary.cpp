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
#include "ui/platform/ProgramFolders.h"

#include "model/FileReader.h"
#include "model/InputsFile.h"
#include "model/UserFiles.h"
#include "ui/main/IrrigationCostPane.h"
#include <QLineEdit>

namespace korvel::ui {

void MainWindow::LoadCropRows()
{
    LoadCropRows(RenamedCrop{});
}

void MainWindow::LoadCropRows(const RenamedCrop& renamed)
{
    // What every row held, to hand to the same crop (by name, the n-th of a name to the n-th) in the new library;
    // a custom crop renamed in place is that crop under its new name.
    std::vector<CropRow::Entries> before;
    std::vector<std::string> names;
    before.reserve(static_cast<std::size_t>(cropRowCount()));
    int customOfOldName = 0;
    for (int i = 0; i < cropRowCount(); ++i) {
        before.push_back(cr(i)->entries());
        const korvel::Crop& crop = *before.back().crop;
        const bool isRenamed =
            !renamed.from.empty() && crop.Custom && crop.cropType == renamed.from && customOfOldName++ == renamed.nth;
        names.push_back(isRenamed ? renamed.to : crop.cropType);
    }
    std::map<std::string, int> seen;
    const auto previous = [&](const std::string& name) -> const CropRow::Entries* {
        int n = seen[name]++;
        for (std::size_t i = 0; i < before.size(); ++i)
            if (names[i] == name && n-- == 0)
                return &before[i];
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
        noticeUserFolderProblem(state_.cropFiles->customFolderProblem);
        noticeCropsLeftOut(state_.cropFiles->filesLeftOut);
    }
    // Element 0 stays in the frame; it is shown only while the library has a crop for it.
    pneMain_->row(0)->setVisible(libraryCount_ > 0);
    InitializeCropFrame();
}

void MainWindow::noticeCropsLeftOut(std::size_t leftOut)
{
    if (leftOut == filesLeftOutShown_)
        return;
    filesLeftOutShown_ = leftOut;
    if (leftOut == 0)
        return;
    const QString what = leftOut == 1 ? QStringLiteral("1 more crop file was not read, so its crop is not listed.")
                                      : QStringLiteral("%1 more crop files were not read, so their crops are not "
                                                       "listed.")
                                            .arg(leftOut);
    showMessage(this,
                QStringLiteral("The crop library can hold %1 crops.  ").arg(korvel::FileReader::kMostCrops) + what,
                MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Crop library"));
}

void MainWindow::noticeUserFolderProblem(const std::string& customFolderProblem)
{
    if (userFolderChecked_ || !folders_.userProblem.isEmpty()) {
        userFolderChecked_ = true;
        return;
    }
    userFolderChecked_ = true;
    const std::string reason =
        customFolderProblem.empty() ? korvel::UserFiles::folderProblem(userPath()) : customFolderProblem;
    if (!reason.empty())
        showUserFolderProblem(folders_.user, QString::fromLocal8Bit(reason.c_str()), this);
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
    giveBackTrendInputs();
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
