#include "ui/results/DetailsPane.h"

#include <QAction>
#include <QVBoxLayout>

#include "ui/main/PaneHost.h"
#include "ui/platform/Twips.h"
#include "ui/results/FieldCostDetails.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/ResultsPane.h"
#include "ui/results/ResultsPanes.h"

namespace korvel::ui {

DetailsPane::DetailsPane(ResultsPanes& panes, QWidget* parent) : QFrame(parent), main_(panes.host()), panes_(panes)
{
    setObjectName(QStringLiteral("pneDetails"));
    setMinimumSize(twips(11190), twips(6660));
    theDetails_ = new FieldCostDetails(main_.session(), this);
    theDetails_->setObjectName(QStringLiteral("theDetails"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(theDetails_);

    FieldCostDetails::Hooks& hooks = theDetails_->hooks;
    hooks.showResultsPane = [this] { main_.ShowPane(panes_.pneResults()); };
    hooks.showTrendResultsPane = [this] {
        if (panes_.trendLinks.showTrendResults)
            panes_.trendLinks.showTrendResults();
    };
    hooks.setPrintEnabled = [this](bool on) { main_.setPrintEnabled(on); };
    hooks.setPrinterField = [this](const std::shared_ptr<korvel::Field>& f) {
        if (f)
            panes_.thePrinter().setField(*f);
    };
    hooks.printDetails = [this] { panes_.thePrinter().printDetails(); };
}

void DetailsPane::loadCosts(const korvel::Field& f)
{
    theDetails_->loadCosts(f);
}

} // namespace korvel::ui
