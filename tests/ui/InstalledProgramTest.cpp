// An installed program: the shipped data of an install (<prefix>/share/korvel, made read-only by the ctest
// entry korvel_installed_program, tests/folders/installed-program.sh, which names it in KORVEL_INSTALLED_DATA)
// with the user's folder of the desktop. The whole window starts from the welcome window, saves a custom crop
// and runs once; everything it writes lands in the user's folder. Left out of the ordinary runs.
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "ui/AssembledWindow.h"
#include "ui/UserSteps.h"
#include "ui/main/WelcomeWindow.h"
#include "ui/platform/ProgramFolders.h"

using namespace korvel::ui;

TEST(InstalledProgram, StartsSavesACustomCropAndRunsWithItsPrefixReadOnly)
{
    const QString installed = qEnvironmentVariable("KORVEL_INSTALLED_DATA");
    if (installed.isEmpty())
        GTEST_SKIP() << "run by the ctest entry korvel_installed_program";
    const QDir user(userDataFolder());
    ASSERT_FALSE(user.exists()) << "a fresh user's folder";

    test::ScriptedDialogs dialogs;
    korvel::SessionState session;
    WelcomeWindow welcome(ProgramFolders{installed, userDataFolder()}, session, test::windowPanes());
    welcome.show();
    welcome.startKorvel();
    MainWindow* w = welcome.mainWindow();
    ASSERT_NE(w, nullptr);
    test::activate(w);
    ASSERT_GT(w->cropRowCount(), 0) << "the shipped crop library of the install";
    EXPECT_EQ(w->cr(0)->GetCrop(), "Corn");

    test::saveCustomCropAsAUserDoes(*w, QStringLiteral("Barley"));
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.front().text, "The custom crop has been saved.");
    EXPECT_EQ(w->cr(w->cropRowCount() - 1)->GetCrop(), "Barley");

    test::runOnceAsAUserDoes(*w);
    EXPECT_FALSE(pneResults(*w)->isHidden()) << "the run's results are shown";
    EXPECT_EQ(dialogs.messages.size(), 1u) << dialogs.lastText().toStdString();

    EXPECT_TRUE(QFileInfo(user.filePath("crops/custom/Barley.txt")).isFile());
    EXPECT_TRUE(QFileInfo(user.filePath("inputs.txt")).isFile());
    w->close();
}
