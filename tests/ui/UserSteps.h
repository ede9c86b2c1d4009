#pragma once
// Two things a user does in the main window that leave files in the user's folder: saving a custom crop
// through the custom crop pane, and one run from the main pane (which saves the inputs file first).
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "ui/main/CropRow.h"
#include "ui/main/CustomCropPane.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"

namespace korvel::ui::test {

// Tools > Manage Custom Crops, a name, rainfall 11 to 12 inches and irrigation 0 to 1 inch, four yields typed
// into the grid, "Save Custom Crop", then "Back to Home".
inline void saveCustomCropAsAUserDoes(MainWindow& w, const QString& name)
{
    w.mnuCustomCrop->trigger();
    CustomCropPane& editor = *w.pneCustomCrop();
    QTest::keyClicks(editor.nameBox, name);
    const auto pick = [&](int list, const QString& text) {
        QComboBox* box = editor.cboCustomGrid[static_cast<std::size_t>(list)];
        box->setCurrentIndex(box->findText(text));
    };
    pick(1, QStringLiteral("11"));
    pick(2, QStringLiteral("12"));
    pick(3, QStringLiteral("1"));
    editor.cmdCustomGrid[0]->click(); // "Set Grid Size"
    const char* yields[2][2] = {{"40", "45"}, {"60", "66"}};
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c) {
            editor.setCurrentCell(r, c);
            QTest::keyClicks(editor.dgCustom, QString::fromLatin1(yields[r - 1][c - 1]));
        }
    editor.cmdCustomGrid[2]->click(); // "Save Custom Crop"
    editor.cmdCustomGrid[5]->click(); // "Back to Home"
}

// 160 acres, 12 gross inches, 85 %, 16 inches of rain, "50 - 50", Corn ticked at $6.52 and 220 bushels; then the
// run button.
inline void runOnceAsAUserDoes(MainWindow& w)
{
    MainPane& pane = *w.pneMain();
    pane.txtArea->setText(QStringLiteral("160"));
    pane.txtMax->setText(QStringLiteral("12"));
    pane.txtEff->setText(QStringLiteral("85"));
    pane.txtAnnRain->setEditText(QStringLiteral("16"));
    pane.presetButtons[0]->setChecked(true);
    for (int i = 0; i < w.cropRowCount(); ++i)
        if (w.cr(i)->GetCrop() == QStringLiteral("Corn")) {
            w.cr(i)->chkCrop->setChecked(true);
            w.cr(i)->txtPrice->setText(QStringLiteral("6.52"));
            w.cr(i)->txtMaxYield->setText(QStringLiteral("220"));
        }
    pane.runButton->click();
}

} // namespace korvel::ui::test
