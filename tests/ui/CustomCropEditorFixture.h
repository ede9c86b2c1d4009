#pragma once
// The custom crop pane of a main window, reached as a user reaches it: its lists and buttons by number, a list
// entry picked by its text, the grid sized from the three lists and a cell typed into.
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/MainWindowFixture.h"
#include "ui/main/CustomCropPane.h"

namespace korvel::ui::test {

class CustomCropEditorTest : public MainWindowTest {
protected:
    // Opens the window on the fixture folder and forgets the boxes of its start.
    void startEditor()
    {
        open();
        editor = w().pneCustomCrop();
        dialogs.clearRecord();
    }
    void openPane() { w().mnuCustomCrop->trigger(); }
    QComboBox* list(int n) const { return editor->cboCustomGrid[static_cast<std::size_t>(n)]; }
    QPushButton* button(int n) const { return editor->cmdCustomGrid[static_cast<std::size_t>(n)]; }
    void pick(int n, const QString& text) const
    {
        const int index = list(n)->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list(n)->setCurrentIndex(index);
    }
    // The rainfall and irrigation lists set, then "Set Grid Size".
    void sizeGrid(int lowRain, int highRain, int maxIrrigation) const
    {
        pick(1, QString::number(lowRain));
        pick(2, QString::number(highRain));
        pick(3, QString::number(maxIrrigation));
        button(0)->click();
    }
    // Types into a data cell as a user does: the cell made current, then the keys.
    void typeCell(int r, int c, const QString& text) const
    {
        editor->setCurrentCell(r, c);
        QTest::keyClick(editor->dgCustom, Qt::Key_Delete);
        QTest::keyClicks(editor->dgCustom, text);
    }

    CustomCropPane* editor = nullptr;
};

} // namespace korvel::ui::test
