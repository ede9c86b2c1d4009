#include "ui/results/DetailsPane.h"

#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"

namespace korvel::ui {

DetailsPane::DetailsPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneDetails"));
    setMinimumSize(twips(11190), twips(6660));
}

} // namespace korvel::ui
