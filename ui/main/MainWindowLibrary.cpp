// The main window's side of the crop library and of the inputs file.
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QDir>

#include "model/CropScenario.h"
#include "trend/BatchSetupPane.h"
#include "ui/main/CropRecord.h"
#include "ui/main/MainPane.h"
#include "ui/platform/DialogService.h"

#if __has_include("model/FileReader.h")
#include "model/FileReader.h"
#define KORVEL_HAS_FILE_READER 1
#endif

namespace korvel::ui {

void MainWindow::LoadCropRows()
{
    pneMain_->closeRowsAfterFirst();
    libraryCount_ = 0;
#ifdef KORVEL_HAS_FILE_READER
    bool read = false;
    try {
        cropFiles = std::make_shared<korvel::FileReader>(programFolder_.toStdString());
        read = cropFiles->Initialize();
    } catch (const std::exception&) {
        read = false;
    }
    if (!read) {
        showMessage(this,
                    QStringLiteral("The crop library could not be read from the folder ") +
                        QDir::toNativeSeparators(QDir(programFolder_).filePath(QStringLiteral("crops"))) +
                        QStringLiteral(".  No crops can be evaluated."),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
    } else {
        const auto& library = cropFiles->cropCollection;
        for (long i = 0; i < library.Count(); ++i) {
            const auto& crop = library.Item(i + 1);
            CropRecord* row = pneMain_->createRow(static_cast<int>(i));
            const auto unit = [&](size_t k) {
                return k < crop->cropUnitsArray.size() ? QString::fromStdString(crop->cropUnitsArray[k]) : QString();
            };
            row->loadInfo(QString::fromStdString(crop->cropType), QStringLiteral("$/") + unit(0).toLower(),
                          QStringLiteral("$/ac"), unit(1));
            row->setCrop(crop);
            connect(row, &CropRecord::inputCostsRequested, this, &MainWindow::openProductionCosts,
                    Qt::UniqueConnection);
            if (QComboBox* crops = pneBatchSetup(0)->cboCrops)
                crops->addItem(QString::fromStdString(crop->cropType));
        }
        libraryCount_ = static_cast<int>(library.Count());
    }
#endif
    // Element 0 stays in the frame; it is shown only while the library has a crop for it.
    pneMain_->row(0)->setVisible(libraryCount_ > 0);
    InitializeCropFrame();
}

QString MainWindow::inputsFilePath() const
{
    return QDir(programFolder_).filePath(QStringLiteral("inputs.txt"));
}

void MainWindow::saveInputs()
{
}

void MainWindow::loadInputs()
{
}

} // namespace korvel::ui
