#include "ui/results/ResultsPane.h"

#include <QAction>
#include <QVBoxLayout>

#include "model/FieldCollection.h"
#include "trend/TrendSetupPane.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/platform/Twips.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/OptionBrowser.h"
#include "ui/results/ResultPrinter.h"

namespace korvel::ui {

ResultsPane::ResultsPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneResults"));
    setMinimumSize(twips(11535), twips(7215));
    theResults_ = new OptionBrowser(main_.session(), main_.summaryResults, this);
    theResults_->setObjectName(QStringLiteral("theResults"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(theResults_);

    connectToMainWindow(*theResults_, main_);
}

void ResultsPane::connectToMainWindow(OptionBrowser& browser, MainWindow& main)
{
    MainWindow* m = &main;
    OptionBrowser::Hooks& hooks = browser.hooks;
    hooks.showDetails = [m](const std::shared_ptr<Field>& field) {
        m->ShowPane(m->pneDetails());
        m->pneDetails()->loadCosts(*field);
    };
    hooks.showMainPane = [m] {
        m->ShowPane(m->pneMain());
        m->SetMainInfo(m->strMainInfo);
    };
    hooks.showTrendSetup = [m] { m->ShowPane(m->trendSetupPane()); };
    hooks.setPrintEnabled = [m](bool on) {
        if (m->mnuPrint)
            m->mnuPrint->setEnabled(on);
    };
    hooks.printResults = [m] { m->thePrinter().printResults(); };
    // The trend setup takes the option as the one its fixed trend works on.
    hooks.runFixedTrend = [m](const std::shared_ptr<korvel::FieldCollection>& option) {
        m->session().SelectedOption = option;
        m->ShowBatchScreen();
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
