// Numbers too large for a double typed into any box never stop the program: every change handler, every
// pane that reads the boxes and the run button cope with them.
#include <QComboBox>
#include <QLineEdit>

#include "ui/AssembledWindow.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

TEST_F(MainWindowTest, NumbersTooLargeForADoubleInEveryBox)
{
    open();
    fillInputs();
    const QString texts[] = {QStringLiteral("1e999"), QStringLiteral("-1e999"), QString(400, QLatin1Char('9')),
                             QStringLiteral("1e308")};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        // Both cost panes open, so that their boxes and previews are live too.
        EXPECT_NO_THROW(w().cr(0)->cmdInputCosts->click());
        for (QLineEdit* box : w().findChildren<QLineEdit*>()) {
            if (qobject_cast<QComboBox*>(box->parentWidget()))
                continue; // the editable lists are set below
            EXPECT_NO_THROW(box->setText(text)) << box->objectName().toStdString();
        }
        for (QComboBox* list : w().findChildren<QComboBox*>()) {
            if (list->isEditable()) {
                EXPECT_NO_THROW(list->setEditText(text)) << list->objectName().toStdString();
            }
        }
        w().ShowPane(w().pneMain());
        EXPECT_NO_THROW(w().runEvaluation());
    }
}
