#include "trend/BatchSetupPane.h"

#include <QComboBox>

#include "ui/main/ControlNames.h"
#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"

namespace korvel::ui {

BatchSetupPane::BatchSetupPane(MainWindow& main, int index, QWidget* parent)
    : QFrame(parent), main_(main), index_(index)
{
    setObjectName(arrayName(QStringLiteral("pneBatchSetup"), index));
    if (index == 0) {
        setMinimumSize(twips(11370), twips(6600));
        cboCrops = new QComboBox(this);
        cboCrops->setObjectName(QStringLiteral("cboCrops"));
        cboBatchSteps = new QComboBox(this);
        cboBatchSteps->setObjectName(QStringLiteral("cboBatchSteps"));
        cboCrops->hide();
        cboBatchSteps->hide();
    } else {
        setMinimumSize(twips(11280), twips(6630));
    }
}

void BatchSetupPane::EnableBatch(bool)
{
}

} // namespace korvel::ui
