#include "ui/main/IrrigationCostPane.h"

#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"

namespace korvel::ui {

IrrigationCostPane::IrrigationCostPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneIrrigCosts"));
    setMinimumSize(twips(11370), twips(6990));
}

void IrrigationCostPane::open()
{
}
} // namespace korvel::ui
