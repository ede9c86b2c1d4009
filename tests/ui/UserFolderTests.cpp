// The two folders of the program: the shipped data, found from the executable (beside it in the build tree,
// <prefix>/share/korvel installed), and the user's folder, where the inputs file and the custom crops live so
// that they outlast a rebuild; and the one-time copy of the files an earlier version kept beside the executable.
#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/TempFolder.h"
#include "ui/MainWindowFixture.h"
#include "ui/UserSteps.h"
#include "ui/platform/ProgramFolders.h"

using namespace korvel::ui;
using korvel::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

QString qt(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// Every path below folder, sorted: what a test compares to see that nothing was written there.
std::vector<std::string> listing(const fs::path& folder)
{
    std::vector<std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        out.push_back(fs::relative(entry.path(), folder).generic_string());
    std::sort(out.begin(), out.end());
    return out;
}

// The shipped crops as the build puts them beside the executable: crops/ and crops/soils/, no custom folder.
void shipData(const fs::path& data)
{
    test::copyShippedCrops(data);
    fs::remove_all(data / "crops" / "custom");
}

} // namespace

TEST(DataFolder, BesideTheExecutableInTheBuildTreeUnderShareKorvelWhenInstalledWhereverThePrefixIs)
{
    TempFolder tree("korvel-tree");
    tree.write("build/app/crops/01-corn.txt", "");
    tree.write("usr/local/bin/korvel", "");
    tree.write("moved/elsewhere/bin/korvel", "");
    EXPECT_EQ(shippedDataFolder(qt(tree.path() / "build" / "app")), qt(tree.path() / "build" / "app"));
    EXPECT_EQ(shippedDataFolder(qt(tree.path() / "usr" / "local" / "bin")),
              qt(tree.path() / "usr" / "local" / "share" / "korvel"));
    EXPECT_EQ(shippedDataFolder(qt(tree.path() / "moved" / "elsewhere" / "bin")),
              qt(tree.path() / "moved" / "elsewhere" / "share" / "korvel"));
}

TEST(UserFolder, IsTheDesktopsDataFolderForKorvel)
{
    // The test programs run with a temporary XDG_DATA_HOME (tests/ui/main.cpp), as the program runs with the
    // user's own: either way the folder is <XDG_DATA_HOME>/Korvel.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    ASSERT_FALSE(xdg.isEmpty());
    EXPECT_EQ(userDataFolder(), QDir(xdg).filePath(QStringLiteral("Korvel")));

    // A relative XDG_DATA_HOME is not the working folder: the default under the home folder stands.
    qputenv("XDG_DATA_HOME", "relative/share");
    const QString fallback = userDataFolder();
    qputenv("XDG_DATA_HOME", xdg.toLocal8Bit());
    EXPECT_EQ(fallback, QDir::homePath() + QStringLiteral("/.local/share/Korvel"));
}

TEST(UserFolder, ACustomCropAndTheLastInputsAreSavedThereAndComeBackWithFreshShippedData)
{
    TempFolder data("korvel-data");
    TempFolder home("korvel-home");
    shipData(data.path());
    const fs::path user = home.path() / "Korvel"; // not there yet: made by the first use
    const ProgramFolders folders{qt(data.path()), qt(user)};
    const std::vector<std::string> shipped = listing(data.path());
    {
        test::ScriptedDialogs dialogs;
        korvel::SessionState session;
        MainWindow w(folders, session, test::windowPanes());
        w.load();
        test::activate(&w);
        test::saveCustomCropAsAUserDoes(w, QStringLiteral("Barley"));
        ASSERT_FALSE(dialogs.messages.empty());
        EXPECT_EQ(dialogs.messages.front().text, "The custom crop has been saved.");
        test::runOnceAsAUserDoes(w);
    }
    EXPECT_TRUE(fs::is_regular_file(user / "crops" / "custom" / "Barley.txt"));
    EXPECT_TRUE(fs::is_regular_file(user / "inputs.txt"));
    EXPECT_EQ(listing(data.path()), shipped) << "nothing is written into the shipped data";

    // The build folder removed and built again: new shipped data, the same user's folder.
    fs::remove_all(data.path());
    shipData(data.path());
    test::ScriptedDialogs dialogs;
    korvel::SessionState session;
    MainWindow again(folders, session, test::windowPanes());
    again.load();
    QStringList names;
    for (int i = 0; i < again.cropRowCount(); ++i)
        names << again.cr(i)->GetCrop();
    EXPECT_EQ(names.back(), "Barley");
    EXPECT_EQ(names.first(), "Corn");
    EXPECT_EQ(again.pneMain()->txtArea->text(), "160");
    EXPECT_EQ(again.pneMain()->txtEff->text(), "85");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(UserFolder, AnEarlierVersionsFilesAreCopiedSilentlyAndAFileThatCannotBeIsNamed)
{
    TempFolder old("korvel-old");
    TempFolder home("korvel-home");
    old.write("inputs.txt", "0\r\n160\r\n");
    old.write("crops/custom/Barley.txt", "CROP=Barley\r\n");
    {
        test::ScriptedDialogs dialogs;
        copyUserFilesFromOldPlace(qt(old.path()), qt(home.path() / "Korvel"));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(home.read("Korvel/inputs.txt"), "0\r\n160\r\n");
        EXPECT_EQ(home.read("Korvel/crops/custom/Barley.txt"), "CROP=Barley\r\n");
    }
    home.write("blocked", "a file where the user's folder belongs");
    test::ScriptedDialogs dialogs;
    copyUserFilesFromOldPlace(qt(old.path()), qt(home.path() / "blocked"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& box = dialogs.messages[0];
    EXPECT_EQ(box.title, "File Error");
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    for (const fs::path& named : {old.path() / "inputs.txt", old.path() / "crops" / "custom" / "Barley.txt",
                                  home.path() / "blocked", old.path()})
        EXPECT_TRUE(box.text.contains(qt(named))) << box.text.toStdString() << "\nlacks " << named;
}
