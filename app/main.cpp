// Korvel starts at the welcome window. It reads its shipped data (crop library, soils, help) from the data
// folder found from the executable (beside it in the build tree, <prefix>/share/korvel installed) and keeps the
// user's own files (inputs.txt, crops/custom) in the user's data folder, ~/.local/share/Korvel. Starts copy those
// files over from the executable's folder, where earlier versions kept them, until that copy has finished. A
// user's folder that cannot be used leaves the shipped crops working, and one message says why.
//
// For the start-up check of the test suite: with KORVEL_SCREENSHOT set to a folder, the program saves a
// picture of the welcome window (welcome.png), starts the main window, saves a picture of it (main.png)
// and ends; it ends with status 1 when a picture could not be saved or the main window has no crop rows.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include "model/SessionState.h"
#include "trend/WindowAssembly.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WelcomeWindow.h"
#include "ui/platform/ButtonKeys.h"
#include "ui/platform/MemoryPolicy.h"
#include "ui/platform/ProgramFolders.h"
#include "ui/platform/SafeApplication.h"
#include "ui/platform/ShowCentred.h"

namespace {

void screenshotsThenQuit(korvel::ui::WelcomeWindow* welcome, const QString& folder)
{
    QTimer::singleShot(400, welcome, [welcome, folder] {
        QDir().mkpath(folder);
        const QDir dir(folder);
        const bool welcomeSaved = welcome->grab().save(dir.filePath(QStringLiteral("welcome.png")));
        welcome->startKorvel();
        korvel::ui::MainWindow* main = welcome->mainWindow();
        QTimer::singleShot(600, main, [main, dir, welcomeSaved] {
            const bool mainSaved = main->grab().save(dir.filePath(QStringLiteral("main.png")));
            // A main window without crop rows did not find its data folder.
            QCoreApplication::exit(welcomeSaved && mainSaved && main->cropRowCount() > 0 ? 0 : 1);
        });
    });
}

} // namespace

int main(int argc, char** argv)
{
    korvel::ui::keepFreedMemoryForReuse();
    korvel::ui::SafeApplication app(argc, argv);
    // With the organisation left unset, the user's data folder is .../Korvel.
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    korvel::ui::installWindowPlacement();
    korvel::ui::installButtonKeys();
    korvel::ui::ProgramFolders folders = korvel::ui::runningProgramFolders();
    korvel::ui::prepareUserFolder(folders, QCoreApplication::applicationDirPath());
    korvel::ui::HelpTopics::setDataFolder(folders.data);
    korvel::SessionState session;
    auto* welcome = new korvel::ui::WelcomeWindow(folders, session, korvel::ui::resultsAndTrendPanes());
    welcome->setAttribute(Qt::WA_DeleteOnClose);
    welcome->show();
    const QString shots = qEnvironmentVariable("KORVEL_SCREENSHOT");
    if (!shots.isEmpty())
        screenshotsThenQuit(welcome, shots);
    return app.exec();
}
