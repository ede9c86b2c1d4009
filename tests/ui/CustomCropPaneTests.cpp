// The custom crop editor on a real main window over a temporary program folder: the lists the load fills, saving
// a crop and reading it back through the crop library, the default tables, clipboard copy and paste, typing in the
// grid, deleting, a save that cannot be written, and the crop rows rebuilt with the custom crop.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "faults/InjectedFault.h"
#include "model/DefaultYieldTables.h"
#include "model/FileReader.h"
#include "ui/MainWindowFixture.h"
#include "ui/platform/Clipboard.h"

using namespace korvel::ui;
namespace fs = std::filesystem;

namespace {

const QString kTryAgain = QStringLiteral(
    "Non-numeric characters were detected in the data being pasted into the grid.  Please only copy numeric values "
    "from Excel, do not include header rows or any cells with non-numeric characters. Please try again.");
const QString kNotEnough =
    QStringLiteral("Please enter all of the information above, including information in the data grid");
const QString kLoadDefaults = QStringLiteral(
    "Loading default crop values will overwrite any existing data you've entered for this custom crop.  Continue "
    "to load the default crop values?");

// A crop file as the editor writes it.
std::string cropFile(const std::string& name, const std::string& units, const std::string& rain,
                     const std::string& irrigation, const std::string& values)
{
    return "CROP=" + name + "\r\n\r\nUNITS=" + units + "\r\n\r\nANNUAL_RAIN=" + rain +
           "\r\n\r\nEFF_IRRIG=" + irrigation + "\r\n\r\nYIELD_VALUES=" + values + "\r\n";
}

// While it lives, the folder cannot be written by this process (as root, the effective user is "nobody").
class UnwritableFolder {
public:
    explicit UnwritableFolder(fs::path folder) : folder_(std::move(folder))
    {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        if (geteuid() == 0)
            dropped_ = seteuid(65534) == 0;
    }
    ~UnwritableFolder()
    {
        if (dropped_)
            (void)seteuid(0);
        fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
    }
    // A file cannot really be created there (false when the system would let this process write anyway).
    bool holds() const
    {
        const fs::path probe = folder_ / "probe";
        if (FILE* f = std::fopen(probe.c_str(), "w")) {
            std::fclose(f);
            std::error_code ec;
            fs::remove(probe, ec);
            return false;
        }
        return true;
    }

private:
    fs::path folder_;
    bool dropped_ = false;
};

class CustomCropPaneTest : public test::MainWindowTest {
protected:
    // The main window over the folder, loaded as at start-up.
    void start()
    {
        open();
        editor = window->pneCustomCrop();
        ASSERT_NE(editor, nullptr);
        dialogs.clearRecord();
    }
    void openPane() { window->mnuCustomCrop->trigger(); }

    fs::path customFolder() const { return folder.path() / "crops" / "custom"; }
    void writeCustom(const std::string& fileName, const std::string& bytes) const
    {
        folder.write(fs::path("crops") / "custom" / fileName, bytes);
    }
    std::string readCustom(const std::string& fileName) const
    {
        return folder.read(fs::path("crops") / "custom" / fileName);
    }
    // Every file of the custom folder, temporary files included, by name.
    std::vector<std::string> customFiles() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(customFolder()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The box of a save of the custom folder's file that failed for reason.
    QString saveError(const std::string& fileName, const QString& reason) const
    {
        return "Error saving file \"" + QString::fromStdString((customFolder() / fileName).string()) + "\".\n" + reason;
    }
    QComboBox* list(int n) const { return editor->findChild<QComboBox*>(arrayName("cboCustomGrid", n)); }
    QPushButton* button(int n) const { return editor->findChild<QPushButton*>(arrayName("cmdCustomGrid", n)); }
    QLineEdit* nameBox() const { return editor->findChild<QLineEdit*>("txtCustom(0)"); }
    QTableWidget* grid() const { return editor->findChild<QTableWidget*>("dgCustom"); }
    void pick(int n, const QString& text) const
    {
        const int index = list(n)->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list(n)->setCurrentIndex(index);
    }
    // The ranges picked and "Set Grid Size" pressed.
    void sizeGrid(const QString& lowRain, const QString& highRain, const QString& maxIrrigation) const
    {
        pick(1, lowRain);
        pick(2, highRain);
        pick(3, maxIrrigation);
        button(0)->click();
    }
    // The data cells, row by row, joined by commas.
    QString data() const
    {
        QStringList cells;
        for (int r = 1; r < editor->Rows(); ++r)
            for (int c = 1; c < editor->Cols(); ++c)
                cells << editor->cellText(r, c);
        return cells.join(',');
    }
    void fillData(const QString& text) const
    {
        for (int r = 1; r < editor->Rows(); ++r)
            for (int c = 1; c < editor->Cols(); ++c)
                editor->setCellText(r, c, text);
    }

    CustomCropPane* editor = nullptr;
};

} // namespace

TEST_F(CustomCropPaneTest, LoadFillsTheListsAndOpeningResetsTheEditor)
{
    start();
    EXPECT_EQ(list(1)->count(), 3);
    EXPECT_EQ(list(2)->count(), 21);
    EXPECT_EQ(list(3)->count(), 33);
    EXPECT_EQ(list(2)->itemText(20), "32");
    EXPECT_EQ(list(1)->currentText(), "10");
    EXPECT_EQ(list(2)->currentText(), "13");
    EXPECT_EQ(list(3)->currentText(), "1");
    EXPECT_EQ(list(4)->count(), 3);
    EXPECT_EQ(list(4)->currentText(), "bushels/acre");
    EXPECT_EQ(list(5)->count(), 6);
    EXPECT_EQ(list(5)->currentText(), "Select crop...");
    EXPECT_FALSE(list(1)->isEditable());
    EXPECT_TRUE(list(5)->isEditable());

    ASSERT_TRUE(window->mnuCustomCrop->isEnabled());
    openPane();
    EXPECT_FALSE(editor->isHidden());
    EXPECT_TRUE(window->pneMain()->isHidden());
    EXPECT_EQ(list(0)->count(), 1);
    EXPECT_EQ(list(0)->currentText(), "Select...");
    EXPECT_EQ(nameBox()->text(), "");
    EXPECT_EQ(list(1)->currentText(), "9");
    EXPECT_EQ(list(2)->currentText(), "12");
    EXPECT_EQ(list(3)->currentText(), "0");
    EXPECT_TRUE(button(6)->isHidden());
    EXPECT_FALSE(editor->customAltered);
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_NE(editor->findChild<QPushButton*>("cmdHelp(27)"), nullptr);
    EXPECT_EQ(editor->findChild<QPushButton*>("cmdHelp(27)")->property("index").toInt(), 27);
}

TEST_F(CustomCropPaneTest, ASavedCropIsReadBackByTheLibraryAndTheRowsShowItAsCustom)
{
    start();
    const QStringList before = rowNames();
    openPane();
    QTest::keyClicks(nameBox(), "Barley: early/late");
    EXPECT_TRUE(editor->customAltered);
    pick(4, "pounds/acre");
    sizeGrid("10", "13", "2");
    ASSERT_EQ(editor->Rows(), 4);
    ASSERT_EQ(editor->Cols(), 5);
    EXPECT_EQ(editor->cellText(0, 1), "10 in.");
    EXPECT_EQ(editor->cellText(0, 4), "13 in.");
    EXPECT_EQ(editor->cellText(1, 0), "0 in.");
    EXPECT_EQ(editor->cellText(3, 0), "2 in.");
    const QStringList values = {"1", "2", "3", "4", "5", "6", "", "8", "9", "10", "11", "12.5"};
    editor->FillGridFromArray(values);
    button(2)->click();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The custom crop has been saved.");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.messages[0].title, "Saved");
    EXPECT_FALSE(editor->customAltered);
    // The name keeps its colon and slash inside the file; the file name drops them.
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Barley earlylate.txt"});
    EXPECT_EQ(readCustom("Barley earlylate.txt"),
              cropFile("Barley: early/late", "lb,pounds", "10,11,12,13", "0,1,2", "1,2,3,4,5,6,,8,9,10,11,12.5"));

    korvel::FileReader reader;
    ASSERT_TRUE(reader.Initialize(folder.path()));
    const auto& crop = reader.cropCollection->Item(reader.cropCollection->Count());
    EXPECT_EQ(crop->cropType, "Barley: early/late");
    EXPECT_TRUE(crop->Custom);
    EXPECT_EQ(crop->cropUnitsArray, (std::vector<std::string>{"lb", "pounds"}));
    ASSERT_EQ(crop->yieldTable.size(), 3u);
    ASSERT_EQ(crop->yieldTable[1].size(), 14u);
    EXPECT_EQ(crop->yieldTable[1][10], 5);
    EXPECT_EQ(crop->yieldTable[1][12], 0); // the empty cell
    EXPECT_EQ(crop->yieldTable[2][13], 12.5);
    EXPECT_EQ(crop->yieldTable[0][9], 0); // below the lowest rainfall

    // The rows were rebuilt from the library: the new crop comes last and is marked custom.
    QStringList expected = before;
    expected << "Barley: early/late";
    EXPECT_EQ(rowNames(), expected);
    EXPECT_TRUE(window->cr(window->cropRowCount() - 1)->crop()->Custom);
    EXPECT_FALSE(window->cr(0)->crop()->Custom);

    // Opened again, the crop is listed and loads back with its own units.
    openPane();
    ASSERT_EQ(list(0)->count(), 2);
    EXPECT_EQ(list(0)->itemText(1), "Barley: early/late");
    pick(4, "tons/acre");
    list(0)->setCurrentIndex(1);
    EXPECT_EQ(nameBox()->text(), "Barley: early/late");
    EXPECT_EQ(list(1)->currentText(), "10");
    EXPECT_EQ(list(2)->currentText(), "13");
    EXPECT_EQ(list(3)->currentText(), "2");
    EXPECT_EQ(list(4)->currentText(), "pounds/acre");
    EXPECT_EQ(data(), values.join(','));
    EXPECT_FALSE(button(6)->isHidden());
    EXPECT_FALSE(editor->customAltered);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(CustomCropPaneTest, LoadingAFileStopsSilentlyWhereItFails)
{
    writeCustom("a.txt", cropFile("Short", "bu.,bushels", "9,10,11,12", "0", "1,2"));      // fewer values
    writeCustom("b.txt", cropFile("Wide", "bu.,bushels", "8,9,10,11,12", "0,1", "1,2,3")); // 8 is not offered
    writeCustom("c.txt", "CROP=Cut\r\n\r\n");                                              // three lines
    start();
    openPane();
    ASSERT_EQ(list(0)->count(), 4);

    sizeGrid("9", "12", "0");
    fillData("x");
    list(0)->setCurrentIndex(1);
    EXPECT_EQ(data(), "1,2,x,x"); // the cells beyond the values keep their text
    EXPECT_EQ(nameBox()->text(), "Short");

    list(0)->setCurrentIndex(2);
    EXPECT_EQ(nameBox()->text(), "Wide");
    EXPECT_EQ(list(1)->currentText(), "9"); // as the last load left it
    EXPECT_EQ(data(), "1,2,x,x");

    QTest::keyClicks(nameBox(), "z");
    list(0)->setCurrentIndex(3);
    EXPECT_EQ(nameBox()->text(), "Cut");
    EXPECT_FALSE(button(6)->isHidden());
    EXPECT_FALSE(editor->customAltered);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CustomCropPaneTest, TheFolderListingEndsAtAFileItCannotRead)
{
    writeCustom("1.txt", cropFile("First", "bu.,bushels", "11,12", "0", "1,2"));
    writeCustom("2.txt", "");
    writeCustom("3.txt", cropFile("Third", "bu.,bushels", "11,12", "0", "1,2"));
    start();
    openPane();
    ASSERT_EQ(list(0)->count(), 2);
    EXPECT_EQ(list(0)->itemText(1), "First");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CustomCropPaneTest, EveryDefaultTableFillsItsGrid)
{
    start();
    for (const korvel::DefaultYieldTable& table : korvel::defaultYieldTables()) {
        const QString name = QString::fromUtf8(table.name.data(), static_cast<qsizetype>(table.name.size()));
        SCOPED_TRACE(name.toStdString());
        openPane();
        pick(5, name);
        EXPECT_TRUE(dialogs.messages.empty()); // the grid was empty
        EXPECT_EQ(list(1)->currentText(), "11");
        EXPECT_EQ(list(2)->currentText(), "21");
        EXPECT_EQ(list(3)->currentText(), QString::number(table.maxIrrigation));
        EXPECT_EQ(list(4)->currentText(),
                  QString::fromUtf8(table.unitsEntry.data(), static_cast<qsizetype>(table.unitsEntry.size())));
        EXPECT_EQ(editor->Rows(), table.maxIrrigation + 2);
        EXPECT_EQ(editor->Cols(), 12);
        EXPECT_EQ(editor->cellText(0, 11), "21 in.");
        EXPECT_EQ(editor->cellText(editor->Rows() - 1, 0), QString::number(table.maxIrrigation) + " in.");
        EXPECT_EQ(data(), QString::fromUtf8(table.values.data(), static_cast<qsizetype>(table.values.size())));
        EXPECT_EQ(nameBox()->text(), "");
    }

    // Telling rows of the tables.
    auto row = [&](int r) {
        QStringList cells;
        for (int c = 1; c < editor->Cols(); ++c)
            cells << editor->cellText(r, c);
        return cells.join(',');
    };
    dialogs.answers = {MsgAnswer::Yes};
    pick(5, "Corn");
    EXPECT_EQ(row(1), "0,0,0,0,0,0,0,11.1,25.6,39.9,54");
    EXPECT_EQ(row(2), "0,0,0,0,0.4,12.4,24.8,37.4,50.1,62.8,75.4");
    EXPECT_EQ(row(25), "203.8,205.4,206.8,208,209.1,210,210.8,211.5,212.2,212.7,213.3");
    dialogs.answers = {MsgAnswer::Yes};
    pick(5, "Sunflower");
    EXPECT_EQ(row(1), "41,176,316,461,613,770,932,1097,1263,1428,1591");
    EXPECT_EQ(row(23), "3311,3344,3371,3394,3414,3431,3445,3458,3469,3478,3486");
    EXPECT_EQ(list(4)->currentText(), "pounds/acre");

    // Over a filled grid the question comes first; No changes nothing.
    dialogs.clearRecord();
    dialogs.answers = {MsgAnswer::No};
    pick(5, "Alfalfa");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kLoadDefaults);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.messages[0].title, "Load defaults?");
    EXPECT_EQ(row(1), "41,176,316,461,613,770,932,1097,1263,1428,1591");
    EXPECT_EQ(list(4)->currentText(), "pounds/acre");

    // Picking the entry already selected asks again and loads it.
    QApplication::processEvents();
    dialogs.answers = {MsgAnswer::Yes};
    emit list(5)->activated(list(5)->currentIndex());
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(row(1), "1.391,1.616,1.854,2.105,2.368,2.643,2.93,3.227,3.535,3.853,4.181");
    EXPECT_EQ(list(4)->currentText(), "tons/acre");

    // Typed text that names no table does nothing.
    fillData("");
    list(5)->setEditText("Barley");
    editor->listPicked(5);
    EXPECT_EQ(editor->cellText(1, 1), "");

    // A table's name typed into the list, then Enter or leaving the list, loads nothing: only a pick does.
    openPane();
    window->show();
    const int rows = editor->Rows();
    list(5)->setFocus();
    list(5)->lineEdit()->selectAll();
    QTest::keyClicks(list(5)->lineEdit(), "wheat");
    QTest::keyClick(list(5)->lineEdit(), Qt::Key_Return);
    nameBox()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(list(5)->currentText(), "wheat");
    EXPECT_EQ(editor->cellText(1, 1), "");
    EXPECT_EQ(editor->Rows(), rows);
    pick(5, "Wheat");
    EXPECT_EQ(editor->cellText(1, 1), "0");
}

TEST_F(CustomCropPaneTest, PasteLaysFitTextIntoTheDataCellsAndRefusesTheRest)
{
    start();
    openPane();
    sizeGrid("9", "12", "2"); // 3 rows, 4 columns of data
    struct Case {
        const char* clipboard;
        const char* data;    // afterwards, row by row
        const char* message; // the title of the box shown, if any
    };
    const Case cases[] = {
        {"12.5\t13", "12.5,13,x,x,x,x,x,x,x,x,x,x", nullptr},  {"1\t2\r\n3\t4\r\n", "1,2,x,x,3,4,x,x,x,x,x,x", nullptr},
        {"1\n2\n3\n4\n", "1,x,x,x,2,x,x,x,3,x,x,x", nullptr},  {"1\t2\t3\t4\t5\t6", "1,2,3,4,x,x,x,x,x,x,x,x", nullptr},
        {"1\t\t3", "1,,3,x,x,x,x,x,x,x,x,x", nullptr},         {"-1", "x,x,x,x,x,x,x,x,x,x,x,x", "Try again"},
        {"1,500", "x,x,x,x,x,x,x,x,x,x,x,x", "Try again"},     {"12 ", "x,x,x,x,x,x,x,x,x,x,x,x", "Try again"},
        {"1\t2\r\nA", "x,x,x,x,x,x,x,x,x,x,x,x", "Try again"}, {"", "x,x,x,x,x,x,x,x,x,x,x,x", "Copy from Excel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard);
        fillData("x");
        editor->setCurrentCell(3, 4);
        dialogs.clearRecord();
        setClipboardText(QString::fromUtf8(c.clipboard));
        button(4)->click();
        EXPECT_EQ(data(), c.data);
        EXPECT_EQ(editor->cellText(0, 1), "9 in."); // headers are never written
        if (c.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].title, c.message);
            EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(dialogs.messages[0].text, QString(c.message) == "Try again"
                                                    ? kTryAgain
                                                    : "Copy your selection from a Microsoft Excel worksheet first!");
        } else {
            EXPECT_TRUE(dialogs.messages.empty());
            EXPECT_EQ(editor->currentRow(), 1);
            EXPECT_EQ(editor->currentCol(), 1);
        }
    }
}

TEST_F(CustomCropPaneTest, CopyPutsTheWholeGridOnTheClipboard)
{
    start();
    openPane();
    sizeGrid("9", "12", "1");
    editor->FillGridFromArray({"1", "2", "", "4", "5"});
    setClipboardText("before");
    button(3)->click();
    EXPECT_EQ(clipboardText(), "\t9 in.\t10 in.\t11 in.\t12 in.\r0 in.\t1\t2\t\t4\r1 in.\t5\t\t\t");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Your grid has been copied to your clipboard and can now be pasted into Excel");
    EXPECT_EQ(dialogs.messages[0].title, "Ready to Paste");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(grid()->selectionModel()->selectedIndexes().size(), 8); // the grid stays selected
}

TEST_F(CustomCropPaneTest, TypingInTheGrid)
{
    start();
    openPane();
    sizeGrid("9", "12", "1"); // 2 rows, 4 columns of data
    editor->setCurrentCell(1, 1);
    QTest::keyClicks(grid(), "12.5a");
    QTest::keyClick(grid(), Qt::Key_Backspace);
    EXPECT_EQ(editor->cellText(1, 1), "12.5");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(editor->currentCol(), 2);
    editor->setCurrentCell(1, 4);
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(editor->currentRow(), 2);
    EXPECT_EQ(editor->currentCol(), 1);
    editor->setCurrentCell(2, 4);
    QTest::keyClick(grid(), Qt::Key_Enter);
    EXPECT_EQ(editor->currentRow(), 1);
    EXPECT_EQ(editor->currentCol(), 1);

    editor->setCellText(2, 2, "  ");
    editor->setCurrentCell(2, 2);
    QTest::keyClick(grid(), Qt::Key_Backspace);
    EXPECT_EQ(editor->cellText(2, 2), "  ");

    editor->setCurrentCell(1, 1);
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), "12.5");
    EXPECT_EQ(editor->cellText(1, 1), "12.5");
    setClipboardText("7\t8");
    editor->setCurrentCell(1, 3);
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->cellText(1, 3), "7\t8"); // the whole text, unsplit
    QTest::keyClick(grid(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), "7\t8");
    EXPECT_EQ(editor->cellText(1, 3), "");
    editor->setCurrentCell(1, 1);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(editor->cellText(1, 1), "");
    EXPECT_FALSE(editor->customAltered); // only the name box marks unsaved work
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CustomCropPaneTest, SaveChoosesItsFileAndNeedsANameAndTheFirstCell)
{
    writeCustom("Oats.txt", cropFile("Oats", "bu.,bushels", "11,12", "0", "5,6"));
    start();
    openPane();

    // A new crop without a name, or with its first cell empty, is not saved.
    sizeGrid("11", "12", "0");
    editor->setCellText(1, 2, "3");
    button(2)->click();
    QTest::keyClicks(nameBox(), "Rye");
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const MessageRequest& m : dialogs.messages) {
        EXPECT_EQ(m.text, kNotEnough);
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.title, "Not enough information");
    }
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Oats.txt"});

    // A loaded crop under a changed name: Cancel stops, Yes writes a new file, No rewrites the loaded one.
    list(0)->setCurrentIndex(1);
    nameBox()->setText("Oats 2");
    dialogs.clearRecord();
    dialogs.answers = {MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::Ok};
    button(2)->click();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Oats.txt"});
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[1].text, "Do you want to save this as a new custom crop?  Selecting YES will create "
                                        "a new custom crop.");
    EXPECT_EQ(dialogs.messages[1].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(dialogs.messages[1].title, "Save as new?");
    EXPECT_EQ(dialogs.messages[2].title, "Saved");
    EXPECT_EQ(customFiles(), (std::vector<std::string>{"Oats 2.txt", "Oats.txt"}));
    EXPECT_EQ(readCustom("Oats.txt"), cropFile("Oats", "bu.,bushels", "11,12", "0", "5,6"));
    EXPECT_EQ(readCustom("Oats 2.txt"), cropFile("Oats 2", "bu.,bushels", "11,12", "0", "5,6"));

    dialogs.answers = {MsgAnswer::No};
    nameBox()->setText("Winter Oats");
    button(2)->click();
    EXPECT_EQ(customFiles(), (std::vector<std::string>{"Oats 2.txt", "Oats.txt"}));
    EXPECT_EQ(readCustom("Oats.txt"), cropFile("Winter Oats", "bu.,bushels", "11,12", "0", "5,6"));

    // The name of the loaded crop, unchanged, saves without a question.
    nameBox()->setText("Oats");
    editor->setCellText(1, 2, "7");
    dialogs.clearRecord();
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Saved");
    EXPECT_EQ(readCustom("Oats.txt"), cropFile("Oats", "bu.,bushels", "11,12", "0", "5,7"));

    EXPECT_EQ(CustomCropPane::RemoveIllegals("a*b?c/d\\e:f|g<h>i\"j k.l"), "abcdefghij k.l");
    EXPECT_EQ(CustomCropPane::RemoveIllegals("*?/\\:|<>\""), "");
}

TEST_F(CustomCropPaneTest, DeletingACustomCrop)
{
    writeCustom("Barley.txt", cropFile("Barley", "bu.,bushels", "11,12", "0", "1,2"));
    writeCustom("Oats.txt", cropFile("Oats", "bu.,bushels", "11,12", "0", "3,4"));
    start();
    const int rows = window->cropRowCount();
    openPane();
    list(0)->setCurrentIndex(2);
    ASSERT_FALSE(button(6)->isHidden());

    dialogs.answers = {MsgAnswer::No};
    button(6)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Delete Oats");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.messages[0].title, "Delete crop?");
    EXPECT_EQ(customFiles().size(), 2u);

    fs::permissions(customFolder() / "Oats.txt", fs::perms::owner_read);
    dialogs.answers = {MsgAnswer::Yes};
    button(6)->click();
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Barley.txt"});
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text, "Custom crop deleted");
    EXPECT_EQ(dialogs.messages[2].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[2].title, "Crop deleted");
    // The pane was opened again.
    EXPECT_EQ(list(0)->count(), 2);
    EXPECT_EQ(list(0)->currentIndex(), 0);
    EXPECT_TRUE(button(6)->isHidden());
    EXPECT_EQ(nameBox()->text(), "");

    // The rows keep the crop until they are rebuilt on the way back.
    EXPECT_EQ(window->cropRowCount(), rows);
    button(5)->click();
    EXPECT_EQ(window->cropRowCount(), rows - 1);
    EXPECT_FALSE(rowNames().contains("Oats"));
    EXPECT_FALSE(window->pneMain()->isHidden());
}

TEST_F(CustomCropPaneTest, ADeleteThatFailsSaysWhyAndLeavesTheEditorAsItWas)
{
    writeCustom("Oats.txt", cropFile("Oats", "bu.,bushels", "11,12", "0", "3,4"));
    start();
    openPane();
    list(0)->setCurrentIndex(1);
    {
        UnwritableFolder locked(customFolder());
        if (!locked.holds())
            GTEST_SKIP() << "this system lets the test write into a read-only folder";
        dialogs.answers = {MsgAnswer::Yes};
        button(6)->click();
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("The custom crop \"Oats\" could not be deleted: its file %1 "
                                                       "cannot be removed (Permission denied).")
                                            .arg(QString::fromStdString((customFolder() / "Oats.txt").string())));
    EXPECT_EQ(dialogs.messages[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[1].title, "Crop not deleted");
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Oats.txt"});
    EXPECT_EQ(list(0)->currentIndex(), 1);
    EXPECT_EQ(nameBox()->text(), "Oats");
    EXPECT_FALSE(button(6)->isHidden());
}

TEST_F(CustomCropPaneTest, ASaveThatCannotBeWrittenNamesTheFileAndWhyAndKeepsThePreviousFile)
{
    const std::string previous = cropFile("Barley", "bu.,bushels", "11,12", "0", "1,2");
    writeCustom("Barley.txt", previous);
    start();
    openPane();
    list(0)->setCurrentIndex(1);
    editor->setCellText(1, 1, "9");
    QTest::keyClicks(nameBox(), " x");
    ASSERT_TRUE(editor->customAltered);
    const auto firstRowCrop = window->cr(0)->crop();

    {
        UnwritableFolder locked(customFolder());
        if (!locked.holds())
            GTEST_SKIP() << "this system lets the test write into a read-only folder";
        dialogs.answers = {MsgAnswer::No}; // rewrite the loaded crop's own file
        button(2)->click();
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              saveError("Barley.txt", QStringLiteral("The folder %1 cannot be used: Permission denied.")
                                          .arg(QString::fromStdString(customFolder().string()))));
    EXPECT_EQ(dialogs.messages[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[1].title, "File Error");
    EXPECT_EQ(readCustom("Barley.txt"), previous);
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Barley.txt"}); // no temporary file left behind
    EXPECT_TRUE(editor->customAltered);
    EXPECT_EQ(window->cr(0)->crop(), firstRowCrop); // the rows were not rebuilt

    // A name too long for a file name of the system says so, and saves nothing.
    openPane();
    dialogs.clearRecord();
    const QString longName(300, QLatin1Char('L'));
    nameBox()->setText(longName);
    sizeGrid("11", "12", "0");
    editor->setCellText(1, 1, "9");
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              saveError((longName + ".txt").toStdString(), "The file cannot be created: File name too long."));
    EXPECT_EQ(dialogs.messages[0].title, "File Error");
    EXPECT_EQ(customFiles(), std::vector<std::string>{"Barley.txt"});
}

// Run with the fault library preloaded (ctest entry korvel_ui_save_faults).
class CustomCropSaveFaults : public CustomCropPaneTest {};

TEST_F(CustomCropSaveFaults, EveryFailingStepKeepsThePreviousFileAndEveryCropListed)
{
    ASSERT_TRUE(korvel::testing::InjectedFault::available()) << "run with the fault library preloaded";
    const std::string barley = cropFile("Barley", "bu.,bushels", "11,12", "0", "1,2");
    const std::string oats = cropFile("Oats", "bu.,bushels", "11,12", "0", "3,4");
    writeCustom("Barley.txt", barley);
    writeCustom("Oats.txt", oats);
    start();
    const QStringList rows = rowNames();
    openPane();
    list(0)->setCurrentIndex(1); // Barley, saved back into its own file
    editor->setCellText(1, 1, "9");

    for (const char* call : korvel::testing::kSaveFaults) {
        SCOPED_TRACE(call);
        dialogs.clearRecord();
        {
            korvel::testing::InjectedFault fault(call, "Barley.txt");
            button(2)->click();
            EXPECT_GT(fault.failures(), 0) << "the step was never taken";
        }
        ASSERT_EQ(dialogs.messages.size(), 1u) << dialogs.texts().join(" | ").toStdString();
        // The file first, then the failing step and the system's reason.
        const QString& text = dialogs.messages[0].text;
        EXPECT_TRUE(text.startsWith(saveError("Barley.txt", "The file cannot be "))) << text.toStdString();
        EXPECT_GT(text.indexOf(": ", text.indexOf('\n')), 0) << text.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(dialogs.messages[0].title, "File Error");
        EXPECT_FALSE(dialogs.texts().contains("The custom crop has been saved."));
        EXPECT_EQ(readCustom("Barley.txt"), barley);
        EXPECT_EQ(customFiles(), (std::vector<std::string>{"Barley.txt", "Oats.txt"})); // no temporary file
    }
    EXPECT_EQ(rowNames(), rows);

    // Opened again, both crops are listed: a failed save never leaves an empty file that would end the listing.
    openPane();
    ASSERT_EQ(list(0)->count(), 3);
    EXPECT_EQ(list(0)->itemText(1), "Barley");
    EXPECT_EQ(list(0)->itemText(2), "Oats");
    EXPECT_EQ(readCustom("Oats.txt"), oats);

    // With nothing armed the same save goes through.
    list(0)->setCurrentIndex(1);
    editor->setCellText(1, 1, "9");
    dialogs.clearRecord();
    button(2)->click();
    EXPECT_EQ(dialogs.texts(), QStringList{"The custom crop has been saved."});
    EXPECT_EQ(readCustom("Barley.txt"), cropFile("Barley", "bu.,bushels", "11,12", "0", "9,2"));
}

TEST_F(CustomCropPaneTest, BackToHomeAsksOnlyAfterTheNameWasTyped)
{
    start();
    openPane();
    editor->setCellText(1, 1, "5");
    button(5)->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(window->pneMain()->isHidden());
    EXPECT_TRUE(editor->isHidden());
    EXPECT_EQ(editor->cellText(1, 1), "5"); // the editor keeps its contents until it is opened again

    openPane();
    QTest::keyClicks(nameBox(), "M");
    dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
    button(5)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Are you sure?  Any unsaved changes to this custom crop will be lost.");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.messages[0].title, "Are you sure?");
    EXPECT_FALSE(editor->isHidden());
    button(5)->click();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_FALSE(window->pneMain()->isHidden());
}
