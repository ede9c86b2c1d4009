#include "ui/results/DetailsPane.h"

#include <QAction>
#include <QVBoxLayout>

#include "trend/TrendResultsPane.h"
#include "ui/main/MainWindow.h"
#include "ui/platform/Twips.h"
#include "ui/results/FieldCostDetails.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/ResultsPane.h"

namespace korvel::ui {

DetailsPane::DetailsPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneDetails"));
    setMinimumSize(twips(11190), twips(6660));
    theDetails_ = new FieldCostDetails(main_.session(), this);
    theDetails_->setObjectName(QStringLiteral("theDetails"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(theDetails_);

    FieldCostDetails::Hooks& hooks = theDetails_->hooks;
    hooks.showResultsPane = [this] { main_.ShowPane(main_.pneResults()); };
    hooks.showTrendResultsPane = [this] { main_.ShowPane(main_.trendResultsPane()); };
    hooks.setPrintEnabled = [this](bool on) {
        if (main_.mnuPrint)
            main_.mnuPrint->setEnabled(on);
    };
    hooks.setPrinterField = [this](const std::shared_ptr<korvel::Field>& f) {
        if (f)
            main_.thePrinter().setField(*f);
    };
    hooks.printDetails = [this] { main_.thePrinter().printDetails(); };
}

void DetailsPane::loadCosts(const korvel::Field& f)
{
    theDetails_->loadCosts(f);
}

} // namespace korvel::ui
