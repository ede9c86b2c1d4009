// Saving a custom crop writes only a file that the crop library reads back into the table the editor shows; a
// cell, a range list or a name that would not come back so is refused with a message saying which, and nothing is
// written. A multi-line clipboard text pasted into one cell is refused as the paste button refuses unfit text.
// Loading a crop selects its own units; Tab in the name box is no edit. The property test saves awkward tables
// under awkward names and reads each back through the crop library, the crop rows and the editor.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "model/FileReader.h"
#include "ui/CustomCropEditorFixture.h"
#include "ui/platform/Clipboard.h"

using namespace korvel::ui;
namespace fs = std::filesystem;

namespace {

const QString kSaved = QStringLiteral("The custom crop has been saved.");

class CustomCropSave : public test::CustomCropEditorTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        startEditor();
    }

    // Every file of the custom folder, temporary files included.
    std::vector<fs::path> customFiles() const
    {
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(folder.path() / "crops" / "custom"))
            files.push_back(e.path());
        std::sort(files.begin(), files.end());
        return files;
    }
};

} // namespace

TEST_F(CustomCropSave, ACellThatIsNotOneNumberIsNamedAndNothingIsSaved)
{
    test::activate(window.get());
    openPane();
    QTest::keyClicks(editor->nameBox, "Barley");
    sizeGrid(11, 12, 1);
    typeCell(1, 1, "5");
    typeCell(1, 2, "1,5");
    typeCell(2, 1, "6");
    typeCell(2, 2, "8");
    button(2)->click();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "The yield at 0 in. net irrigation and 12 in. annual rainfall, \"1,5\", is not a number.  Please enter a "
              "plain number there (digits and a decimal point, no commas or letters), then save again.");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].title, "Not a number");
    EXPECT_TRUE(customFiles().empty());
    EXPECT_EQ(editor->currentRow(), 1);
    EXPECT_EQ(editor->currentCol(), 2) << "the wrong cell is made current";
    EXPECT_TRUE(editor->dgCustom->hasFocus()) << "and takes the keys";
    EXPECT_FALSE(rowNames().contains("Barley"));

    // Mended, the crop is saved and shows up in the crop rows with its table.
    typeCell(1, 2, "1.5");
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, kSaved);
    ASSERT_TRUE(rowNames().contains("Barley"));
    const auto& table = w().cr(w().cropRowCount() - 1)->crop()->yieldTable;
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0][11], 5);
    EXPECT_EQ(table[0][12], 1.5);
    EXPECT_EQ(table[1][11], 6);
    EXPECT_EQ(table[1][12], 8);
}

TEST_F(CustomCropSave, ANegativeYieldGetsTheRefusalOfATextThatIsNoNumber)
{
    openPane();
    QTest::keyClicks(editor->nameBox, "Barley");
    sizeGrid(11, 12, 1);
    typeCell(1, 1, "5");
    typeCell(1, 2, "6");
    typeCell(2, 1, "-5");
    typeCell(2, 2, "7");
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Not a number");
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        "The yield at 1 in. net irrigation and 11 in. annual rainfall, \"-5\", is not a number."));
    EXPECT_TRUE(customFiles().empty());
    EXPECT_EQ(editor->currentRow(), 2);

    // No yield below zero, but zero itself is one.
    typeCell(2, 1, "0");
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, kSaved);
}

TEST_F(CustomCropSave, AMultiLineTextPastedIntoOneCellGetsThePastesRefusal)
{
    openPane();
    sizeGrid(11, 12, 1);
    typeCell(1, 1, "5");
    setClipboardText("7\r\n8\r\n");
    editor->setCurrentCell(1, 2);
    QTest::keyClick(editor->dgCustom, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Try again");
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Non-numeric characters were detected"));
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(editor->cellText(1, 2), "") << "the cell is unchanged, not 78";

    // One cell copied from a spreadsheet comes with its line end: that is one value.
    dialogs.clearRecord();
    for (const char* copied : {"78\r\n", "78\n", "78"}) {
        setClipboardText(copied);
        editor->setCellText(1, 2, "");
        QTest::keyClick(editor->dgCustom, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(editor->cellText(1, 2), "78") << copied;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CustomCropSave, ARangeListChangedAfterSetGridSizeIsNamedAndNothingIsSaved)
{
    struct Case {
        int list;
        QString picked;
        QString message;
    };
    const Case cases[] = {
        {1, "10",
         "The annual rainfall range (10 to 13 inches) does not match the data grid.  Press 'Set Grid Size' "
         "to size the grid for it, or pick the values the grid was sized with, then save again."},
        {2, "14",
         "The annual rainfall range (11 to 14 inches) does not match the data grid.  Press 'Set Grid Size' "
         "to size the grid for it, or pick the values the grid was sized with, then save again."},
        {3, "2",
         "The maximum net irrigation (2 inches) does not match the data grid.  Press 'Set Grid Size' to size "
         "the grid for it, or pick the values the grid was sized with, then save again."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        openPane();
        QTest::keyClicks(editor->nameBox, "Rye");
        sizeGrid(11, 13, 1);
        for (int r = 1; r < editor->Rows(); ++r)
            for (int col = 1; col < editor->Cols(); ++col)
                editor->setCellText(r, col, QString::number(r * 10 + col));
        pick(c.list, c.picked);
        dialogs.clearRecord();
        button(2)->click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(dialogs.messages[0].title, "Grid size");
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(customFiles().empty());
    }

    // A grid never sized since the pane opened (its headers are empty) cannot be saved either.
    openPane();
    QTest::keyClicks(editor->nameBox, "Rye");
    editor->setCellText(1, 1, "4");
    dialogs.clearRecord();
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Grid size");
    EXPECT_TRUE(customFiles().empty());
}

TEST_F(CustomCropSave, ANameWithALineBreakIsRefused)
{
    openPane();
    setClipboardText("Barley\n");
    editor->nameBox->setFocus();
    editor->nameBox->paste(); // a cell copied from a spreadsheet, pasted into the name box
    ASSERT_EQ(editor->nameBox->text(), "Barley\n");
    sizeGrid(11, 12, 0);
    typeCell(1, 1, "5");
    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Crop name");
    EXPECT_EQ(dialogs.messages[0].text,
              "The name of your custom crop holds a line break or another control character, which a crop file "
              "cannot keep.  Please type the name again without it.");
    EXPECT_TRUE(customFiles().empty());
}

TEST_F(CustomCropSave, AHayCropLoadedAndSavedAgainStaysInTonsAndTabIsNoEdit)
{
    const std::string hay = "CROP=Hay\r\n\r\nUNITS=ton,tons\r\n\r\nANNUAL_RAIN=11,12\r\n\r\nEFF_IRRIG=0,1\r\n\r\n"
                            "YIELD_VALUES=1.5,2,2.5,3\r\n";
    folder.write("crops/custom/Hay.txt", hay);
    open();
    editor = w().pneCustomCrop();
    dialogs.clearRecord();
    openPane();
    ASSERT_EQ(list(4)->currentText(), "bushels/acre");
    pick(0, "Hay");
    EXPECT_EQ(list(4)->currentText(), "tons/acre") << "loading selects the crop's own units";

    // Tab moves on from the name box; it is no edit, so Back to Home asks nothing.
    test::activate(window.get());
    editor->nameBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(editor->nameBox, Qt::Key_Tab);
    EXPECT_FALSE(editor->customAltered);

    button(2)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kSaved);
    EXPECT_EQ(folder.read("crops/custom/Hay.txt"), hay) << "saved unchanged, the file is unchanged";
    CropRow* hayRow = row("Hay");
    ASSERT_NE(hayRow, nullptr);
    EXPECT_EQ(hayRow->crop()->cropUnitsArray[0], "ton") << "still a forage crop";
    EXPECT_EQ(hayRow->lblYieldUnits->text(), "tons");

    button(5)->click();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(pane().isHidden());
}

// Awkward tables under awkward names: whatever Save accepts, the crop library reads back into the table the editor
// showed, the crop rows show it, and the editor loads it back unchanged; whatever it refuses leaves no file and a
// message that names the name box, the list or the cell.
TEST_F(CustomCropSave, WhatSaveAcceptsReadsBackAsTheEditorShowedIt)
{
    std::mt19937 random(20240611);
    const auto chance = [&](int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; };
    const auto among = [&](const auto& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, std::size(items) - 1)(random)];
    };
    const auto between = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(random); };

    const char* const names[] = {"Barley",
                                 "Hay: 1st/2nd cut",
                                 "a=b=c",
                                 "  leading blanks",
                                 "trailing blank ",
                                 "x,y",
                                 "\xc3\x96lrettich \xc3\xb1 \xe8\x8d\x89",
                                 "\"quoted\"",
                                 "*",
                                 "..",
                                 "semi;colon #hash",
                                 "100% rye <early>",
                                 "CROP=Oats",
                                 "a\\b|c?"};
    const char* const badNames[] = {"two\nlines", "ends in a line break\n", "cr\r", "tab\there"};
    const char* const badCells[] = {"1,5", "abc", "12abc", "1e999", "-", ".", "1.2.3", "7\n8", "1\t2", "$5", "1 2",
                                    "-5", "-0.25",
                                    // numbers above the largest yield
                                    "1000001", "123456789012345678", "99E300"};
    const QString units[] = {"bushels/acre", "pounds/acre", "tons/acre"};
    const std::map<QString, std::vector<std::string>> unitWords = {
        {"bushels/acre", {"bu.", "bushels"}}, {"pounds/acre", {"lb", "pounds"}}, {"tons/acre", {"ton", "tons"}}};
    const auto goodCell = [&]() -> QString {
        switch (between(0, 9)) {
        case 0: return QString::number(between(0, 99999));
        case 1: return QString::number(between(0, 9999)) + "." + QString::number(between(0, 999));
        case 2: return "." + QString::number(between(1, 99));
        case 3: return QString::number(between(1, 99)) + ".";
        case 4: return QString::number(between(1, 99)) + "E" + QString::number(between(-300, 4));
        case 5: return "0.000" + QString::number(between(1, 999));
        case 6: return chance(50) ? "123456.789012345678" : "1000000";
        case 7: return "+" + QString::number(between(0, 50)) + ".25";
        case 8: return " " + QString::number(between(0, 9));
        default: return chance(50) ? QString() : QString::number(between(0, 300));
        }
    };

    enum Kind { Good, BadName, BadCell, ListChanged };
    for (int round = 0; round < 200; ++round) {
        for (const fs::path& f : customFiles())
            fs::remove(f);
        openPane();
        const Kind kind = chance(55) ? Good : static_cast<Kind>(between(1, 3));
        const QString name = QString::fromUtf8(kind == BadName ? among(badNames) : among(names));
        const int lowRain = between(9, 11);
        const int highRain = between(12, chance(80) ? 16 : 32);
        const int maxIrrigation = between(0, chance(80) ? 5 : 32);
        const QString unit = among(units);
        SCOPED_TRACE("round " + std::to_string(round) + " name \"" + name.toStdString() + "\"");

        editor->nameBox->setText(name);
        pick(4, unit);
        sizeGrid(lowRain, highRain, maxIrrigation);
        const int rows = maxIrrigation + 1;
        const int cols = highRain - lowRain + 1;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                editor->setCellText(r, c, goodCell());
        if (editor->cellText(1, 1).isEmpty())
            editor->setCellText(1, 1, "0");
        int badRow = 0;
        int badCol = 0;
        if (kind == BadCell) {
            badRow = between(1, rows);
            badCol = between(1, cols);
            editor->setCellText(badRow, badCol, QString::fromUtf8(among(badCells)));
        }
        int changedList = 0;
        if (kind == ListChanged) {
            changedList = between(1, 3);
            const QString now = list(changedList)->currentText();
            QString other;
            do
                other = list(changedList)->itemText(between(0, list(changedList)->count() - 1));
            while (other == now);
            pick(changedList, other);
        }
        const QStringList rowsBefore = rowNames();
        dialogs.clearRecord();
        button(2)->click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const MessageRequest said = dialogs.messages[0];

        if (kind != Good) {
            EXPECT_NE(said.text, kSaved);
            EXPECT_EQ(said.icon, MsgIcon::Exclamation);
            EXPECT_TRUE(customFiles().empty()) << "nothing is written";
            EXPECT_EQ(rowNames(), rowsBefore);
            if (kind == BadName) {
                EXPECT_TRUE(said.text.contains("name")) << said.text.toStdString();
            }
            if (kind == BadCell) {
                EXPECT_TRUE(said.text.contains(editor->cellText(badRow, 0) + " net irrigation and " +
                                               editor->cellText(0, badCol) + " annual rainfall"))
                    << said.text.toStdString();
                EXPECT_EQ(editor->currentRow(), badRow);
                EXPECT_EQ(editor->currentCol(), badCol);
            }
            if (kind == ListChanged) {
                EXPECT_TRUE(said.text.contains(changedList == 3 ? "irrigation" : "rainfall"))
                    << said.text.toStdString();
            }
            continue;
        }

        ASSERT_EQ(said.text, kSaved);
        ASSERT_EQ(customFiles().size(), 1u);
        // The numbers the editor shows, by irrigation row and rainfall column (empty cells are 0).
        const auto shown = [&](int r, int c) {
            return std::strtod(editor->cellText(r + 1, c - lowRain + 1).toStdString().c_str(), nullptr);
        };
        korvel::FileReader reader;
        ASSERT_TRUE(reader.Initialize(folder.path()));
        std::shared_ptr<korvel::Crop> crop;
        for (const auto& c : *reader.cropCollection)
            if (c->Custom)
                crop = c;
        ASSERT_NE(crop, nullptr) << "the library reads the crop";
        EXPECT_EQ(crop->cropType, name.toStdString());
        EXPECT_EQ(crop->cropUnitsArray, unitWords.at(unit));
        ASSERT_EQ(crop->yieldTable.size(), static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            ASSERT_EQ(crop->yieldTable[r].size(), static_cast<std::size_t>(highRain + 1));
            for (int c = 0; c <= highRain; ++c)
                EXPECT_EQ(crop->yieldTable[r][c], c < lowRain ? 0.0 : shown(r, c)) << r << " in., " << c << " in.";
        }
        CropRow* shownRow = row(name);
        ASSERT_NE(shownRow, nullptr) << "the crop rows show the crop";
        EXPECT_EQ(shownRow->crop()->yieldTable, crop->yieldTable);

        // The editor loads it back as it was.
        QStringList cells;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                cells << editor->cellText(r, c);
        openPane();
        ASSERT_EQ(list(0)->count(), 2);
        EXPECT_EQ(list(0)->itemText(1), name);
        pick(4, units[0]);
        list(0)->setCurrentIndex(1);
        EXPECT_EQ(editor->nameBox->text(), name);
        EXPECT_EQ(list(1)->currentText(), QString::number(lowRain));
        EXPECT_EQ(list(2)->currentText(), QString::number(highRain));
        EXPECT_EQ(list(3)->currentText(), QString::number(maxIrrigation));
        EXPECT_EQ(list(4)->currentText(), unit);
        QStringList loaded;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                loaded << editor->cellText(r, c);
        EXPECT_EQ(loaded, cells);
    }
}
