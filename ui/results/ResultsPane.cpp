#include "ui/results/ResultsPane.h"

#include <QAction>
#include <QVBoxLayout>

#include "model/FieldCollection.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/Results.h"
#include "trend/BatchSetupPane.h"

namespace korvel::ui {

ResultsPane::ResultsPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneResults"));
    setMinimumSize(twips(11535), twips(7215));
    theResults_ = new Results(main_.session(), main_.summaryResults, this);
    theResults_->setObjectName(QStringLiteral("theResults"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(theResults_);

    Results::Hooks& hooks = theResults_->hooks;
    hooks.showDetails = [this](const std::shared_ptr<Field>& field) {
        main_.ShowPane(main_.pneDetails());
        main_.pneDetails()->loadCosts(*field);
    };
    hooks.showMainPane = [this] {
        main_.ShowPane(main_.pneMain());
        main_.SetMainInfo(main_.strMainInfo);
    };
    hooks.showTrendSetup = [this] { main_.ShowPane(main_.pneBatchSetup(0)); };
    hooks.setPrintEnabled = [this](bool on) {
        if (main_.mnuPrint)
            main_.mnuPrint->setEnabled(on);
    };
    hooks.printResults = [this] { main_.thePrinter().printResults(); };
    // The trend setup takes the option as the one its fixed trend works on.
    hooks.runFixedTrend = [this](const std::shared_ptr<korvel::FieldCollection>& option) {
        main_.session().SelectedOption = option;
        main_.ShowBatchScreen();
    };
}

void ResultsPane::loadResults(const std::vector<std::shared_ptr<korvel::FieldCollection>>& entries)
{
    theResults_->loadResults(entries);
}

void ResultsPane::ShowBatchedVariables(bool d)
{
    theResults_->ShowBatchedVariables(d);
}

void ResultsPane::EnableBatch(bool yesno)
{
    theResults_->EnableBatch(yesno);
}

} // namespace korvel::ui
