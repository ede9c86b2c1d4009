#include "trend/TrendResultsPane.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

#include "trend/TrendResultsView.h"
#include "ui/main/ControlNames.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

TrendResultsPane::TrendResultsPane(TrendPanes& panes, QWidget* parent) : QFrame(parent)
{
    setObjectName(arrayName(QStringLiteral("pneBatchSetup"), 1));
    setMinimumSize(twips(11280), twips(6630));
    batchTitle = new QLabel(QStringLiteral("Batch Results"), this);
    batchTitle->setObjectName(QStringLiteral("batchTitle"));
    QFont title = batchTitle->font();
    title.setBold(true);
    title.setPointSize(title.pointSize() + 4);
    batchTitle->setFont(title);
    theBatchResults = new TrendResultsView(panes, this);
    theBatchResults->setObjectName(QStringLiteral("theBatchResults"));
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(8, 6, 8, 6);
    all->addWidget(batchTitle);
    all->addWidget(theBatchResults, 1);
}

bool TrendResultsPane::focusNextPrevChild(bool next)
{
    return moveFocusWithin(this, next) || QFrame::focusNextPrevChild(next);
}

void TrendResultsPane::EnableBatch(bool yesno)
{
    if (theBatchResults)
        theBatchResults->EnableBatch(yesno);
}

} // namespace korvel::ui
