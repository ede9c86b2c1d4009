// The two folders of the program: the shipped data, found from the executable (beside it in the build tree,
// <prefix>/share/korvel installed), and the user's folder, where the inputs file and the custom crops live so
// that they outlast a rebuild; and the one-time copy of the files an earlier version kept beside the executable.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
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

// A small custom crop file: rainfall 11 to 12 inches, irrigation 0 inches.
std::string cropText(const std::string& name)
{
    return "CROP=" + name +
           "\r\n\r\nUNITS=bu.,bushels\r\n\r\nANNUAL_RAIN=11,12\r\n\r\nEFF_IRRIG=0\r\n\r\n"
           "YIELD_VALUES=1,2\r\n";
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

TEST(UserFolder, AnEarlierVersionsFilesAreCopiedAndWhatStaysBehindIsNamedOnceAtStart)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> userFiles; // already in the user's folder
        bool hugeOldInputs;             // an old inputs file larger than any the program reads
        std::vector<std::string> named; // the old files the message names (relative to the old folder)
        const char* reasonWords;        // words of the message about them
        bool namedAgain;                // the next start names them again (the copy not finished)
    };
    const std::vector<Case> cases = {
        {"an empty user's folder takes every file, silently", {}, false, {}, "", false},
        {"an inputs file of another build stays; the old one is named",
         {{"Korvel/inputs.txt", "0\r\n40\r\n"}},
         false,
         {"inputs.txt"},
         "a different file of the same name is there already and is kept",
         false},
        {"an old file that cannot be copied is named, and tried again",
         {},
         true,
         {"inputs.txt"},
         "could not be copied there",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder old("korvel-old");
        TempFolder home("korvel-home");
        old.write("inputs.txt", "0\r\n160\r\n");
        old.write("crops/custom/Barley.txt", "CROP=Barley\r\n");
        if (c.hugeOldInputs)
            fs::resize_file(old.path() / "inputs.txt", 17u << 20);
        for (const auto& [path, text] : c.userFiles)
            home.write(path, text);
        ProgramFolders folders{qt(old.path()), qt(home.path() / "Korvel")};

        for (int start = 0; start < 2; ++start) {
            SCOPED_TRACE(start == 0 ? "first start" : "next start");
            test::ScriptedDialogs dialogs;
            prepareUserFolder(folders, qt(old.path()));
            EXPECT_TRUE(folders.userProblem.isEmpty());
            EXPECT_EQ(home.read("Korvel/crops/custom/Barley.txt"), "CROP=Barley\r\n");
            if (c.named.empty() || (start == 1 && !c.namedAgain)) {
                EXPECT_TRUE(dialogs.messages.empty());
                continue;
            }
            ASSERT_EQ(dialogs.messages.size(), 1u);
            const MessageRequest& box = dialogs.messages[0];
            EXPECT_EQ(box.title, "File Error");
            EXPECT_EQ(box.icon, MsgIcon::Exclamation);
            EXPECT_TRUE(box.text.contains(QString::fromLatin1(c.reasonWords))) << box.text.toStdString();
            for (const fs::path& named : {old.path() / c.named[0], home.path() / "Korvel", old.path()})
                EXPECT_TRUE(box.text.contains(qt(named))) << box.text.toStdString() << "\nlacks " << named;
            EXPECT_FALSE(box.text.contains(qt(old.path() / "crops" / "custom" / "Barley.txt")));
        }
        if (!c.userFiles.empty()) {
            EXPECT_EQ(home.read("Korvel/inputs.txt"), "0\r\n40\r\n");
        }
    }
}

TEST(UserFolder, OldCropsDeletedInTheEditorStayDeletedAtTheNextStart)
{
    TempFolder data("korvel-data");
    TempFolder old("korvel-old");
    TempFolder home("korvel-home");
    shipData(data.path());
    // An earlier version's custom crops, and no inputs file.
    for (const std::string name : {"Barley", "Oats"})
        old.write("crops/custom/" + name + ".txt", cropText(name));
    ProgramFolders folders{qt(data.path()), qt(home.path() / "Korvel")};
    const auto customRows = [](const MainWindow& w) {
        QStringList names;
        for (int i = 0; i < w.cropRowCount(); ++i)
            if (w.cr(i)->crop()->Custom)
                names << w.cr(i)->GetCrop();
        return names;
    };
    {
        test::ScriptedDialogs dialogs;
        prepareUserFolder(folders, qt(old.path()));
        EXPECT_TRUE(dialogs.messages.empty());
    }
    {
        test::ScriptedDialogs dialogs;
        korvel::SessionState session;
        MainWindow w(folders, session, test::windowPanes());
        w.load();
        ASSERT_EQ(customRows(w), (QStringList{"Barley", "Oats"}));
        test::activate(&w);
        w.mnuCustomCrop->trigger();
        CustomCropPane& editor = *w.pneCustomCrop();
        for (int crop = 0; crop < 2; ++crop) {
            editor.cboCustomGrid[0]->setCurrentIndex(1);
            dialogs.answers = {MsgAnswer::Yes};
            editor.cmdCustomGrid[6]->click(); // "Delete Custom Crop"
        }
        EXPECT_EQ(dialogs.texts(),
                  (QStringList{"Delete Barley", "Custom crop deleted", "Delete Oats", "Custom crop deleted"}));
    }
    for (int start = 0; start < 2; ++start) {
        test::ScriptedDialogs dialogs;
        prepareUserFolder(folders, qt(old.path()));
        EXPECT_TRUE(dialogs.messages.empty());
        korvel::SessionState session;
        MainWindow w(folders, session, test::windowPanes());
        w.load();
        EXPECT_EQ(customRows(w), QStringList{}) << "start " << start;
    }
}

namespace {

// Puts an environment variable back as it was when it goes out of scope.
class KeptVariable {
public:
    explicit KeptVariable(const char* name) : name_(name), had_(qEnvironmentVariableIsSet(name)), value_(qgetenv(name))
    {
    }
    ~KeptVariable()
    {
        if (had_)
            qputenv(name_, value_);
        else
            qunsetenv(name_);
    }
    KeptVariable(const KeptVariable&) = delete;
    KeptVariable& operator=(const KeptVariable&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray value_;
};

} // namespace

// A user's folder that cannot be used: the shipped library is listed and runs as usual, one message at start
// names the folder, gives the system's reason and says that custom crops and the last inputs are not kept, and
// saving or deleting a custom crop fails with that reason. Root writes into read-only folders and makes any home
// folder, so the cases of permissions run as another user (ctest entry korvel_unusable_user_folder_as_a_user).
TEST(UnusableUserFolder, TheShippedCropsRunAndOneMessageSaysWhyAndWhatIsNotKept)
{
    struct Case {
        const char* what;
        // Sets up XDG_DATA_HOME and HOME (below the temporary folder home) for the user's folder.
        void (*make)(const fs::path& home);
        const char* reason;
        bool needsAUserOtherThanRoot;
        bool inputsKept = false; // only crops/custom is in the way: the inputs file is still kept, and said so
        QString customCrop = {}; // a custom crop the folder holds and shows, though it cannot keep changes
    };
    const std::vector<Case> cases = {
        {"XDG_DATA_HOME read-only",
         [](const fs::path& home) {
             fs::create_directories(home / "share");
             fs::permissions(home / "share", fs::perms::owner_write, fs::perm_options::remove);
             qputenv("XDG_DATA_HOME", qt(home / "share").toLocal8Bit());
         },
         "Permission denied", true},
        {"HOME missing",
         [](const fs::path& home) {
             fs::permissions(home, fs::perms::owner_write, fs::perm_options::remove);
             qunsetenv("XDG_DATA_HOME");
             qputenv("HOME", qt(home / "gone").toLocal8Bit());
         },
         "Permission denied", true},
        {"crops/custom a plain file",
         [](const fs::path& home) {
             fs::create_directories(home / "share" / "Korvel" / "crops");
             std::ofstream(home / "share" / "Korvel" / "crops" / "custom") << "not a folder";
             qputenv("XDG_DATA_HOME", qt(home / "share").toLocal8Bit());
         },
         "Not a directory", false, true},
        {"crops/custom a link loop",
         [](const fs::path& home) {
             fs::create_directories(home / "share" / "Korvel" / "crops");
             fs::create_symlink("custom", home / "share" / "Korvel" / "crops" / "custom");
             qputenv("XDG_DATA_HOME", qt(home / "share").toLocal8Bit());
         },
         "Too many levels of symbolic links", false, true},
        {"Korvel a link to itself",
         [](const fs::path& home) {
             fs::create_directories(home / "share");
             fs::create_symlink("Korvel", home / "share" / "Korvel");
             qputenv("XDG_DATA_HOME", qt(home / "share").toLocal8Bit());
         },
         "Too many levels of symbolic links", false},
        {"Korvel read-only, holding a custom crop",
         [](const fs::path& home) {
             const fs::path user = home / "share" / "Korvel";
             std::ofstream(user / "crops" / "custom" / "Oats.txt", std::ios::binary) << cropText("Oats");
             for (const fs::path& folder : {user / "crops" / "custom", user})
                 fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
             qputenv("XDG_DATA_HOME", qt(home / "share").toLocal8Bit());
         },
         "Permission denied", true, false, QStringLiteral("Oats")},
    };
    const bool root = geteuid() == 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsAUserOtherThanRoot && root) {
            std::printf("[ SKIPPED  ] %s: root writes into read-only folders; "
                        "korvel_unusable_user_folder_as_a_user runs it as another user\n",
                        c.what);
            continue;
        }
        const KeptVariable xdg("XDG_DATA_HOME");
        const KeptVariable homeVariable("HOME");
        TempFolder data("korvel-data");
        TempFolder home("korvel-home");
        TempFolder old("korvel-old");
        old.write("crops/custom/Barley.txt", "CROP=Barley\r\n");
        shipData(data.path());
        if (!c.customCrop.isEmpty())
            fs::create_directories(home.path() / "share" / "Korvel" / "crops" / "custom");
        c.make(home.path());
        ProgramFolders folders{qt(data.path()), userDataFolder()};
        const QString reason = QString::fromLatin1(c.reason);
        {
            test::ScriptedDialogs dialogs;
            prepareUserFolder(folders, qt(old.path()));
            EXPECT_EQ(folders.userProblem, reason);
            ASSERT_EQ(dialogs.messages.size(), 1u);
            const MessageRequest& box = dialogs.messages[0];
            EXPECT_EQ(box.title, "File Error");
            EXPECT_EQ(box.icon, MsgIcon::Exclamation);
            for (const QString& words :
                 {QDir::toNativeSeparators(folders.user), reason, QStringLiteral("custom crops")})
                EXPECT_TRUE(box.text.contains(words)) << box.text.toStdString() << "\nlacks " << words.toStdString();
            EXPECT_EQ(box.text.contains(QStringLiteral("last inputs")), !c.inputsKept) << box.text.toStdString();
        }

        test::ScriptedDialogs dialogs;
        korvel::SessionState session;
        MainWindow w(folders, session, test::windowPanes());
        w.load();
        test::activate(&w);
        QStringList names;
        for (int i = 0; i < w.cropRowCount(); ++i)
            names << w.cr(i)->GetCrop();
        QStringList shipped{"Corn", "Grain Sorghum", "Wheat", "Sunflower", "Alfalfa", "Soybeans", "Fallow"};
        if (!c.customCrop.isEmpty())
            shipped << c.customCrop;
        EXPECT_EQ(names, shipped);
        test::runOnceAsAUserDoes(w);
        ASSERT_TRUE(w.state().cs);
        EXPECT_EQ(w.state().cs->Count(), 1) << "the run took Corn";
        EXPECT_TRUE(dialogs.messages.empty()) << "said once, at start: " << dialogs.lastText().toStdString();
        EXPECT_EQ(QFileInfo(QDir(folders.user).filePath(QStringLiteral("inputs.txt"))).isFile(), c.inputsKept)
            << "the message says whether the inputs are kept";

        test::saveCustomCropAsAUserDoes(w, QStringLiteral("Barley"));
        ASSERT_FALSE(dialogs.messages.empty());
        const MessageRequest& refused = dialogs.messages.front();
        EXPECT_TRUE(refused.text.startsWith(QStringLiteral("Error saving file ")));
        EXPECT_TRUE(refused.text.contains(reason)) << refused.text.toStdString();
        EXPECT_EQ(refused.title, "File Error");
        if (!c.customCrop.isEmpty()) {
            dialogs.clearRecord();
            w.mnuCustomCrop->trigger();
            CustomCropPane& editor = *w.pneCustomCrop();
            editor.cboCustomGrid[0]->setCurrentIndex(1);
            dialogs.answers = {MsgAnswer::Yes};
            editor.cmdCustomGrid[6]->click(); // "Delete Custom Crop"
            ASSERT_EQ(dialogs.messages.size(), 2u);
            EXPECT_EQ(dialogs.messages[1].title, "Crop not deleted");
            EXPECT_TRUE(dialogs.messages[1].text.contains(reason)) << dialogs.messages[1].text.toStdString();
        }

        // The same folder given to a window without the start-up check: the window says it, once.
        ProgramFolders unchecked{folders.data, folders.user};
        test::ScriptedDialogs again;
        MainWindow bare(unchecked, session, test::windowPanes());
        bare.load();
        bare.LoadCropRows();
        ASSERT_EQ(again.messages.size(), 1u);
        EXPECT_TRUE(again.messages[0].text.contains(reason));
        EXPECT_EQ(bare.cropRowCount(), shipped.size());

        std::error_code ec;
        fs::permissions(home.path(), fs::perms::owner_write, fs::perm_options::add, ec);
        for (const fs::path& folder : {home.path() / "share", home.path() / "share" / "Korvel",
                                       home.path() / "share" / "Korvel" / "crops" / "custom"})
            fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add, ec);
    }
}
