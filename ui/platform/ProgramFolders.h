#pragma once
// The two folders the program works in, found once at start-up and passed to the windows that need them
// (never the working folder):
// - data: what ships with the program, only read: "crops" (the crop library), "crops/soils" and "help". In the
//   build tree it is the executable's folder; installed, <prefix>/share/korvel, found from the executable's
//   folder <prefix>/bin, so that an install moved elsewhere still finds it.
// - user: what the user makes: "inputs.txt" and "crops/custom". The user's data folder of the desktop
//   (QStandardPaths::AppDataLocation: ~/.local/share/Korvel, or $XDG_DATA_HOME/Korvel), made by its first use.
// A test folder may be both: crops/, crops/custom/ and inputs.txt side by side.
#include <QString>

class QWidget;

namespace korvel::ui {

struct ProgramFolders {
    QString data;
    QString user;
    // Why user cannot keep the user's files, as the start-up message said it; empty when it can or when no
    // start-up check ran.
    QString userProblem = {};

    static ProgramFolders inOne(const QString& folder) { return {folder, folder}; }
};

// The data folder of a program whose executable lies in executableFolder: that folder when it holds "crops",
// else the installed data folder relative to it (KORVEL_DATA_FROM_BIN, "../share/korvel").
QString shippedDataFolder(const QString& executableFolder);

// The user's data folder of the application (its name set, its organisation not: ".../Korvel").
QString userDataFolder();

// The folders of the running program: shippedDataFolder of the executable's folder and userDataFolder.
ProgramFolders runningProgramFolders();

// At start-up: makes the user's folder ready and, until the copy of oldFolder (the executable's folder, where
// earlier versions kept the inputs file and the custom crops) has finished, copies what the user's folder lacks,
// never replacing a file. Says in one message what the user must know, and nothing when all is well:
// - a user's folder that cannot be used (folders.userProblem is set to the system's reason; nothing is copied);
// - old files that could not be copied, and old files left in the old folder because the user's folder holds a
//   different file of that name.
void prepareUserFolder(ProgramFolders& folders, const QString& oldFolder, QWidget* parent = nullptr);

// The message of a user's folder that cannot be used: it names the folder, gives the reason and says that custom
// crops and the last inputs will not be kept.
void showUserFolderProblem(const QString& userFolder, const QString& reason, QWidget* parent = nullptr);

} // namespace korvel::ui
