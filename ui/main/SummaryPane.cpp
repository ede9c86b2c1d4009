#include "ui/main/SummaryPane.h"

#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"

namespace korvel::ui {

SummaryPane::SummaryPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneSummary"));
    setMinimumSize(twips(11415), twips(7215));
}

void SummaryPane::open()
{
}
} // namespace korvel::ui
