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

    static ProgramFolders inOne(const QString& folder) { return {folder, folder}; }
};

// The data folder of a program whose executable lies in executableFolder: that folder when it holds "crops",
// else the installed data folder relative to it (KORVEL_DATA_FROM_BIN, "../share/korvel").
QString shippedDataFolder(const QString& executableFolder);

// The user's data folder of the application (its name set, its organisation not: ".../Korvel").
QString userDataFolder();

// The folders of the running program: shippedDataFolder of the executable's folder and userDataFolder.
ProgramFolders runningProgramFolders();

// The first start with a user's folder: copies the inputs file and the custom crops that an earlier version
// kept in oldFolder (the executable's folder) into userFolder when it holds none yet, never replacing a file.
// Silent unless a file could not be copied; then a message names the files and both folders.
void copyUserFilesFromOldPlace(const QString& oldFolder, const QString& userFolder, QWidget* parent = nullptr);

} // namespace korvel::ui
