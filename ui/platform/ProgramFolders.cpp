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

void showUserFolderProblem(const QString& userFolder, const QString& reason, QWidget* parent)
{
    // The inputs file lies in the user's folder itself: when only crops/custom is in the way, it is still kept.
    const bool inputsKept = korvel::UserFiles::takesNewFiles(toPath(userFolder));
    const QString what = inputsKept
                             ? QStringLiteral("Your custom crops cannot be kept in the folder ")
                             : QStringLiteral("Your custom crops and your last inputs cannot be kept in the folder ");
    const QString notKept =
        inputsKept ? QStringLiteral(".") : QStringLiteral(", and your inputs will not be kept for the next start.");
    showMessage(parent,
                what + QDir::toNativeSeparators(userFolder) + QStringLiteral(": ") + reason +
                    QStringLiteral(".\n\nThe shipped crops are listed and can be evaluated as usual, but custom "
                                   "crops cannot be saved or deleted") +
                    notKept,
                MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("File Error"));
}

void prepareUserFolder(ProgramFolders& folders, const QString& oldFolder, QWidget* parent)
{
    if (folders.user.isEmpty())
        return;
    const std::string problem = korvel::UserFiles::folderProblem(toPath(folders.user));
    if (!problem.empty()) {
        folders.userProblem = QString::fromLocal8Bit(problem.c_str());
        showUserFolderProblem(folders.user, folders.userProblem, parent);
        return;
    }
    if (oldFolder.isEmpty())
        return;
    const korvel::UserFiles::CopyOutcome outcome =
        korvel::UserFiles::copyFromOldPlace(toPath(oldFolder), toPath(folders.user));
    if (outcome.failed.empty() && outcome.kept.empty())
        return;
    const auto names = [](const std::vector<std::filesystem::path>& files) {
        QStringList list;
        for (const std::filesystem::path& file : files)
            list << QDir::toNativeSeparators(QString::fromStdString(file.string()));
        return list.join(QLatin1Char('\n'));
    };
    const QString user = QDir::toNativeSeparators(folders.user);
    const QString old = QDir::toNativeSeparators(oldFolder);
    QString text =
        QStringLiteral("Your last inputs and custom crops are now kept in the folder ") + user + QStringLiteral(".");
    if (!outcome.failed.empty())
        text += QStringLiteral("  These files could not be copied there from the folder ") + old +
                QStringLiteral(":\n\n") + names(outcome.failed) +
                QStringLiteral("\n\nThey are still in the old folder; the next start tries them again.");
    if (!outcome.kept.empty())
        text += QStringLiteral("\n\nThese files were not copied from the folder ") + old +
                QStringLiteral(", because a different file of the same name is there already and is kept:\n\n") +
                names(outcome.kept) +
                QStringLiteral("\n\nThey are still in the old folder; copy over by hand what you want to keep.");
    showMessage(parent, text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("File Error"));
}

} // namespace korvel::ui
