// The custom crops' files as a user meets them: two names that give one file name never replace each other
// without a question naming the crop that would go, nor does a save leave two crops of one name; a library crop's
// name is refused, also when invisible characters are all that set the name apart; a crop renamed in place
// keeps its row; the leftovers of a save cut short are neither read as crops nor in the way of a save; a crop
// limit that leaves files out says so once.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "model/FileReader.h"
#include "ui/CustomCropEditorFixture.h"

using namespace korvel::ui;
using korvel::ui::test::typeInto;
namespace fs = std::filesystem;

namespace {

const QString kSaved = QStringLiteral("The custom crop has been saved.");

std::string cropFile(const std::string& name, const std::string& values)
{
    return "CROP=" + name +
           "\r\n\r\nUNITS=bu.,bushels\r\n\r\nANNUAL_RAIN=11,12\r\n\r\nEFF_IRRIG=0\r\n\r\nYIELD_VALUES=" + values +
           "\r\n";
}

class CustomCropFiles : public test::CustomCropEditorTest {
protected:
    void start() { startEditor(); }
    // A one-row crop for 11 and 12 inches of rain typed into the editor as a user does, then saved.
    void typeAndSave(const QString& name, const QString& first, const QString& second)
    {
        // Keys for the plain letters; a character the test keyboard has no key for comes in as from an input method.
        typeInto(editor->nameBox, QString());
        for (const QChar ch : name) {
            if (ch.unicode() < 0x80)
                QTest::keyClicks(editor->nameBox, QString(ch));
            else
                editor->nameBox->insert(QString(ch));
        }
        sizeGrid(11, 12, 0);
        typeCell(1, 1, first);
        typeCell(1, 2, second);
        button(2)->click();
    }
    // The files of the custom folder as they stand, temporary files included.
    std::vector<std::string> customFiles() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder.path() / "crops" / "custom"))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string custom(const std::string& file) const { return folder.read(fs::path("crops") / "custom" / file); }
};

} // namespace

TEST_F(CustomCropFiles, NamesThatGiveOneFileNameAskBeforeOneReplacesTheOther)
{
    start();
    test::activate(window.get());
    openPane();
    typeAndSave("a/b", "1", "2");
    ASSERT_EQ(dialogs.texts(), QStringList{kSaved});
    ASSERT_EQ(customFiles(), std::vector<std::string>{"ab.txt"});

    // "ab" goes to the same file: the question names the crop it would replace; No keeps it.
    dialogs.clearRecord();
    dialogs.answers = {MsgAnswer::No};
    typeAndSave("ab", "3", "4");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Saving \"ab\" would replace the custom crop \"a/b\", which is kept in the same file (ab.txt).  Replace "
              "\"a/b\"?  Choose No to keep it and give your crop another name.");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.messages[0].title, "Replace crop?");
    EXPECT_EQ(custom("ab.txt"), cropFile("a/b", "1,2"));
    EXPECT_TRUE(rowNames().contains("a/b"));
    EXPECT_FALSE(rowNames().contains("ab"));

    // "a:b" too; Yes replaces "a/b", and the rows follow.
    dialogs.clearRecord();
    dialogs.answers = {MsgAnswer::Yes};
    typeAndSave("a:b", "5", "6");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Saving \"a:b\" would replace the custom crop \"a/b\""));
    EXPECT_EQ(dialogs.messages[1].text, kSaved);
    EXPECT_EQ(custom("ab.txt"), cropFile("a:b", "5,6"));
    EXPECT_TRUE(rowNames().contains("a:b"));
    EXPECT_FALSE(rowNames().contains("a/b"));

    // The same crop saved again into its own file is no replacement: no question.
    dialogs.clearRecord();
    typeAndSave("a:b", "7", "8");
    EXPECT_EQ(dialogs.texts(), QStringList{kSaved});
    EXPECT_EQ(customFiles(), std::vector<std::string>{"ab.txt"});

    // Loaded, renamed "ab" and saved as a new crop, it would land in its own file: asked again, No keeps it.
    openPane();
    pick(0, "a:b");
    typeInto(editor->nameBox, "ab");
    dialogs.clearRecord();
    dialogs.answers = {MsgAnswer::Yes, MsgAnswer::No};
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].title, "Save as new?");
    EXPECT_EQ(dialogs.messages[1].title, "Replace crop?");
    EXPECT_EQ(custom("ab.txt"), cropFile("a:b", "7,8"));
}

TEST_F(CustomCropFiles, ANameALibraryCropHasIsRefusedWhileAnEarlierFileOfThatNameStillLoads)
{
    start();
    test::activate(window.get());
    const QStringList rowsBefore = rowNames();
    struct Case {
        const char* typed;
        const char* library;
    };
    // Invisible characters (a zero-width space, a byte order mark, a soft hyphen, a word joiner) and a blank that
    // does not break leave the name looking like the library's.
    for (const Case& c : {Case{"Corn", "Corn"}, Case{"corn", "Corn"}, Case{"  WHEAT ", "Wheat"},
                          Case{"grain SORGHUM", "Grain Sorghum"}, Case{"Fallow", "Fallow"}, Case{"Corn\u200B", "Corn"},
                          Case{"\uFEFFWheat", "Wheat"}, Case{"Al\u00ADfalfa", "Alfalfa"},
                          Case{"Soy\u2060beans", "Soybeans"}, Case{"Grain\u00A0Sorghum", "Grain Sorghum"}}) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(rowsBefore.contains(c.library));
        openPane();
        dialogs.clearRecord();
        typeAndSave(c.typed, "1", "2");
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("The crop library already has a crop named \"%1\".  Please "
                                                           "give your custom crop a name of its own, then save again.")
                                                .arg(c.library));
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(dialogs.messages[0].title, "Crop name");
        EXPECT_TRUE(editor->nameBox->hasFocus());
        EXPECT_TRUE(customFiles().empty());
        EXPECT_EQ(rowNames(), rowsBefore);
    }

    // A name that only begins like one is the user's own.
    dialogs.clearRecord();
    typeAndSave("Cornflower", "1", "2");
    EXPECT_EQ(dialogs.texts(), QStringList{kSaved});

    // A file that an earlier version saved, or the user wrote, under a library name loads as a crop of its own.
    folder.write("crops/custom/Corn.txt", cropFile("Corn", "9,10"));
    start();
    EXPECT_EQ(rowNames().count("Corn"), 2);
    openPane();
    EXPECT_NE(list(0)->findText("Corn"), -1);
}

// Two crops of one name would both show in the rows, and only the first gets back what the inputs file keeps of a
// crop of that name: a save that would make a second one asks first, and Yes leaves one.
TEST_F(CustomCropFiles, ASaveThatWouldGiveTwoCropsOneNameAsksAndLeavesOne)
{
    folder.write("crops/custom/Alpha.txt", cropFile("Alpha", "1,2"));
    folder.write("crops/custom/Beta.txt", cropFile("Beta", "3,4"));
    start();
    test::activate(window.get());
    const QString replaceBeta = QStringLiteral("Saving \"Beta\" would replace the custom crop \"Beta\" (Beta.txt), as "
                                               "two custom crops cannot share a name.  Replace \"Beta\"?  Choose No "
                                               "to keep it and give your crop another name.");

    // Alpha loaded, renamed Beta, saved into its own file (No to "Save as new?"): No to the replacement keeps both.
    openPane();
    pick(0, "Alpha");
    typeInto(editor->nameBox, "Beta");
    dialogs.answers = {MsgAnswer::No, MsgAnswer::No};
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 2u) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(dialogs.messages[0].title, "Save as new?");
    EXPECT_EQ(dialogs.messages[1].text, replaceBeta);
    EXPECT_EQ(dialogs.messages[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.messages[1].icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.messages[1].title, "Replace crop?");
    EXPECT_EQ(custom("Alpha.txt"), cropFile("Alpha", "1,2"));
    EXPECT_EQ(custom("Beta.txt"), cropFile("Beta", "3,4"));

    // Yes: Alpha's file holds Beta, the other Beta is gone from the folder, the list and the rows.
    dialogs.clearRecord();
    dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 3u) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(dialogs.messages[2].text, kSaved);
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Alpha.txt"});
    EXPECT_EQ(custom("Alpha.txt"), cropFile("Beta", "1,2"));
    EXPECT_EQ(list(0)->count(), 2) << "Select... and the saved crop";
    EXPECT_EQ(list(0)->currentIndex(), 1);
    EXPECT_EQ(editor->CustomCropList().size(), 1u);
    EXPECT_EQ(rowNames().count("Beta"), 1);
    EXPECT_FALSE(rowNames().contains("Alpha"));

    // A new crop of a name that files of other names hold (Alpha.txt now, one written by hand, one invisibly
    // different): asked too, and Yes leaves only the new one.
    struct Case {
        const char* file;
        const char* held;
        const char* typed;
    };
    for (const Case& c : {Case{"old beta.txt", "Beta", "Beta"}, Case{"gamma two.txt", "Gamma\u200B", "Gamma"}}) {
        SCOPED_TRACE(c.file);
        folder.write(fs::path("crops/custom") / c.file, cropFile(c.held, "5,6"));
        openPane();
        dialogs.clearRecord();
        dialogs.answers = {MsgAnswer::Yes};
        typeAndSave(c.typed, "7", "8");
        ASSERT_EQ(dialogs.messages.size(), 2u) << dialogs.texts().join(" | ").toStdString();
        EXPECT_EQ(dialogs.messages[0].title, "Replace crop?");
        EXPECT_TRUE(dialogs.messages[0].text.contains(c.file)) << dialogs.messages[0].text.toStdString();
        EXPECT_FALSE(fs::exists(folder.path() / "crops/custom" / c.file));
        EXPECT_EQ(rowNames().count(c.typed), 1);
    }

    // After a restart each name is there once.
    start();
    EXPECT_EQ(rowNames().count("Beta"), 1);
    EXPECT_EQ(rowNames().count("Gamma"), 1);
    EXPECT_EQ(customFiles(), (std::vector<std::string>{"Beta.txt", "Gamma.txt"}));
}

TEST_F(CustomCropFiles, ACropRenamedInPlaceKeepsWhatItsRowHeld)
{
    folder.write("crops/custom/Barley.txt", cropFile("Barley", "30,40"));
    start();
    test::activate(window.get());
    CropRow* barley = row("Barley");
    ASSERT_NE(barley, nullptr);
    barley->chkCrop->click();
    typeInto(barley->txtPrice, "4.25");
    typeInto(barley->txtMaxYield, "95");
    barley->cmdInputCosts->click();
    ASSERT_FALSE(w().pneInputCosts()->isHidden());
    typeInto(w().pneInputCosts()->findChild<QLineEdit*>("txtSeedCost"), "21.5");
    typeInto(w().pneInputCosts()->findChild<QLineEdit*>("txtHerbicide"), "13");
    w().pneInputCosts()->findChild<QPushButton*>("Command6")->click();
    ASSERT_FALSE(pane().isHidden());
    const std::string values = row("Barley")->crop()->writeData();
    ASSERT_NE(values.find("21.5"), std::string::npos);

    // Load Barley, rename it, Save, No to "save as new": the same file now holds Barley2.
    openPane();
    pick(0, "Barley");
    typeInto(editor->nameBox, "Barley2");
    dialogs.answers = {MsgAnswer::No};
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].title, "Save as new?");
    EXPECT_EQ(dialogs.messages[1].text, kSaved);
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Barley.txt"});
    button(5)->click();
    ASSERT_FALSE(pane().isHidden());

    EXPECT_FALSE(rowNames().contains("Barley"));
    CropRow* renamed = row("Barley2");
    ASSERT_NE(renamed, nullptr);
    EXPECT_TRUE(renamed->isActive());
    EXPECT_TRUE(renamed->txtPrice->isEnabled());
    EXPECT_EQ(renamed->txtPrice->text(), "4.25");
    EXPECT_EQ(renamed->txtMaxYield->text(), "95");
    EXPECT_EQ(renamed->crop()->writeData(), "Barley2" + values.substr(values.find('\r')))
        << "price, maximum yield and every production cost";
}

TEST_F(CustomCropFiles, TheLeftoversOfSavesCutShortAreNeitherReadNorInTheWay)
{
    // A save of Barley killed after its temporary file was written in full, and a hundred saves of the inputs
    // file killed part way, by an earlier version, and two by this one.
    folder.write("crops/custom/Barley.txt", cropFile("Barley", "30,40"));
    folder.write("crops/custom/Barley.txt.tmp", cropFile("Barley", "99,99"));
    folder.write("crops/custom/Barley.txt.kvl-Q7x2Zk.tmp", cropFile("Barley", "98,98"));
    folder.write("inputs.txt.tmp", "1\r\n");
    for (int n = 1; n < 100; ++n)
        folder.write("inputs.txt." + std::to_string(n) + ".tmp", "1\r\n");
    folder.write("inputs.txt.kvl-a1B2c3.tmp", "1\r\n");
    start();

    EXPECT_EQ(rowNames().count("Barley"), 1);
    EXPECT_EQ(row("Barley")->crop()->yieldTable[0][11], 30);
    openPane();
    EXPECT_EQ(list(0)->count(), 2) << "Select... and Barley";
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Barley.txt"}) << "no save holds them: they are removed";
    button(5)->click();

    fillInputs();
    pane().runButton->click();
    EXPECT_NE(folder.read("inputs.txt").find("\r\n160\r\n"), std::string::npos) << "the run saves the inputs";
    for (const auto& e : fs::directory_iterator(folder.path()))
        EXPECT_NE(e.path().extension(), ".tmp") << e.path().filename();
}

TEST_F(CustomCropFiles, ALimitThatLeavesCropsOutSaysSoOnceNamingHowMany)
{
    const std::size_t library = korvel::FileReader::listFiles(folder.path() / "crops").size();
    const std::size_t custom = korvel::FileReader::kMostCrops - library + 11;
    for (std::size_t i = 0; i < custom; ++i)
        folder.write("crops/custom/c" + std::to_string(10000 + i) + ".txt", cropFile("C" + std::to_string(i), "1,2"));
    open();
    editor = w().pneCustomCrop();
    EXPECT_EQ(dialogs.texts(), QStringList{"The crop library can hold 1000 crops.  11 more crop files were not read, "
                                           "so their crops are not listed."});
    EXPECT_EQ(dialogs.messages[0].title, "Crop library");
    EXPECT_EQ(w().cropRowCount(), 1001) << "with Fallow";

    // Rebuilt with the same crops left out, the rows say nothing more.
    openPane();
    button(5)->click();
    EXPECT_EQ(dialogs.messages.size(), 1u);

    // One file fewer leaves fewer out: the notice comes again with the new number.
    fs::remove(folder.path() / "crops" / "custom" / ("c" + std::to_string(10000 + custom - 1) + ".txt"));
    openPane();
    button(5)->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(
        dialogs.messages[1].text,
        "The crop library can hold 1000 crops.  10 more crop files were not read, so their crops are not listed.");
}
