// Korvel starts at the welcome window. The program folder (crop library, help, inputs file) is the
// folder of the executable.
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
#include "ui/main/MainWindow.h"
#include "ui/main/WelcomeWindow.h"
#include "ui/platform/ButtonKeys.h"
#include "ui/platform/MemoryPolicy.h"
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
            // A main window without crop rows did not find its program folder.
            QCoreApplication::exit(welcomeSaved && mainSaved && main->cropRowCount() > 0 ? 0 : 1);
        });
    });
}

} // namespace

int main(int argc, char** argv)
{
    korvel::ui::keepFreedMemoryForReuse();
    korvel::ui::SafeApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    korvel::ui::installWindowPlacement();
    korvel::ui::installButtonKeys();
    korvel::SessionState session;
    auto* welcome = new korvel::ui::WelcomeWindow(QCoreApplication::applicationDirPath(), session,
                                                  korvel::ui::resultsAndTrendPanes());
    welcome->setAttribute(Qt::WA_DeleteOnClose);
    welcome->show();
    const QString shots = qEnvironmentVariable("KORVEL_SCREENSHOT");
    if (!shots.isEmpty())
        screenshotsThenQuit(welcome, shots);
    return app.exec();
}
