#include "ui/platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <filesystem>

#include "model/UserFiles.h"
#include "ui/platform/DialogService.h"

namespace korvel::ui {

namespace {

std::filesystem::path toPath(const QString& folder)
{
    return std::filesystem::path(folder.toStdString());
}

} // namespace

QString shippedDataFolder(const QString& executableFolder)
{
    const QDir beside(executableFolder);
    if (QFileInfo(beside.filePath(QStringLiteral("crops"))).isDir())
        return beside.absolutePath();
    return QDir::cleanPath(beside.absoluteFilePath(QStringLiteral(KORVEL_DATA_FROM_BIN)));
}

QString userDataFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (QDir::isAbsolutePath(folder))
        return folder;
    // A relative XDG_DATA_HOME is to be ignored; taken as it stands it would be the working folder.
    return QDir(QDir::homePath()).filePath(QStringLiteral(".local/share/") + QCoreApplication::applicationName());
}

ProgramFolders runningProgramFolders()
{
    return {shippedDataFolder(QCoreApplication::applicationDirPath()), userDataFolder()};
}

void copyUserFilesFromOldPlace(const QString& oldFolder, const QString& userFolder, QWidget* parent)
{
    if (oldFolder.isEmpty() || userFolder.isEmpty())
        return;
    const auto failed = korvel::UserFiles::copyFromOldPlace(toPath(oldFolder), toPath(userFolder));
    if (failed.empty())
        return;
    QStringList names;
    for (const std::filesystem::path& file : failed)
        names << QDir::toNativeSeparators(QString::fromStdString(file.string()));
    showMessage(parent,
                QStringLiteral("Your last inputs and custom crops are now kept in the folder ") +
                    QDir::toNativeSeparators(userFolder) +
                    QStringLiteral(", but these files could not be copied there from the folder ") +
                    QDir::toNativeSeparators(oldFolder) + QStringLiteral(":\n\n") + names.join(QLatin1Char('\n')) +
                    QStringLiteral("\n\nThey are still in the old folder; copy them over by hand to use them."),
                MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("File Error"));
}

} // namespace korvel::ui
