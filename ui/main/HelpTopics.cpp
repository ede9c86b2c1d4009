#include "ui/main/HelpTopics.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

#include "ui/main/HelpScreen.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/HelpBrowser.h"
#include "ui/platform/ProgramFolders.h"
#include "ui/platform/Shell.h"
#include "ui/platform/ShowCentred.h"

namespace korvel::ui::HelpTopics {

namespace {
QString& configuredFolder()
{
    static QString folder;
    return folder;
}

QPointer<HelpBrowser>& browser()
{
    static QPointer<HelpBrowser> window;
    return window;
}

QPointer<HelpScreen>& popup()
{
    static QPointer<HelpScreen> window;
    return window;
}
} // namespace

void setDataFolder(const QString& folder)
{
    configuredFolder() = folder;
    if (browser())
        browser()->setHelpFolder(helpFolder());
}

QString dataFolder()
{
    return configuredFolder().isEmpty() ? shippedDataFolder(QCoreApplication::applicationDirPath())
                                        : configuredFolder();
}

QString helpFolder()
{
    return QDir(dataFolder()).filePath(QStringLiteral("help"));
}

HelpBrowser* ShowHelp(const QString& topic)
{
    if (!browser()) {
        // One window for the program's life: closing it hides it, the next topic shows it again.
        browser() = new HelpBrowser(helpFolder());
    }
    HelpBrowser* window = browser();
    window->setHelpFolder(helpFolder());
    window->showTopic(QStringLiteral("HTML/") + topic);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpScreen* ShowHelpScreen(const QString& text, const QString& title, int formHeight, const QWidget* beside)
{
    if (!popup()) {
        // Loaded by its first use; closing hides it and each pop-up fills it afresh.
        popup() = new HelpScreen;
    }
    HelpScreen* window = popup();
    window->showText(text, title, formHeight);
    showBeside(window, beside);
    return window;
}

void OpenFile(const QString& path, QWidget* parent)
{
    if (ShellOpen(path))
        return;
    showMessage(parent,
                QStringLiteral("The file ") + path +
                    QStringLiteral(" could not be opened by the Korvel.  Please open the file manually by finding "
                                   "it on your hard drive."),
                MsgButtons::Ok, MsgIcon::None);
}

HelpBrowser* helpBrowser()
{
    return browser();
}

HelpScreen* helpScreen()
{
    return popup();
}

void unloadHelpScreen()
{
    if (popup())
        popup()->close();
}

void closeHelpBrowser()
{
    if (browser())
        browser()->close();
}

} // namespace korvel::ui::HelpTopics
