#include "ui/main/SummaryPane.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "ui/main/PaneHost.h"
#include "ui/main/SummaryTable.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

SummaryPane::SummaryPane(PaneHost& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneSummary"));
    setMinimumSize(twips(11415), twips(7215));
    table_ = new SummaryTable(main_.session(), main_.state().summaryResults, this);
    table_->setObjectName(QStringLiteral("summaryTable"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);

    SummaryTable::Hooks& hooks = table_->hooks;
    hooks.showPane = [this] { main_.ShowPane(this); };
    hooks.back = [this] { main_.returnToPreviousPane(); };
}

void SummaryPane::open()
{
    table_->showSummary();
}

} // namespace korvel::ui
