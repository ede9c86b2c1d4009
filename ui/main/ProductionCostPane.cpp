#include "ui/main/ProductionCostPane.h"

#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"

namespace korvel::ui {

ProductionCostPane::ProductionCostPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneInputCosts"));
    setMinimumSize(twips(11460), twips(6795));
}

void ProductionCostPane::openFor(const std::shared_ptr<korvel::Crop>&)
{
}
} // namespace korvel::ui
