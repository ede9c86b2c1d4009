#include "ui/results/ResultsPane.h"

#include <QAction>
#include <QVBoxLayout>

#include "model/FieldCollection.h"
#include "ui/main/MainPane.h"
#include "ui/main/PaneHost.h"
#include "ui/platform/Twips.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/OptionBrowser.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/ResultsPanes.h"

namespace korvel::ui {

ResultsPane::ResultsPane(ResultsPanes& panes, QWidget* parent) : QFrame(parent), main_(panes.host())
{
    setObjectName(QStringLiteral("pneResults"));
    setMinimumSize(twips(11535), twips(7215));
    theResults_ = new OptionBrowser(main_.session(), main_.state().summaryResults, this);
    theResults_->setObjectName(QStringLiteral("theResults"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(theResults_);

    connectToMainWindow(*theResults_, panes);
}

void ResultsPane::connectToMainWindow(OptionBrowser& browser, ResultsPanes& panes)
{
    PaneHost* m = &panes.host();
    ResultsPanes* r = &panes;
    OptionBrowser::Hooks& hooks = browser.hooks;
    hooks.showDetails = [m, r](const std::shared_ptr<Field>& field) {
        m->ShowPane(r->pneDetails());
        r->pneDetails()->loadCosts(*field);
    };
    hooks.showMainPane = [m] {
        m->ShowPane(m->pneMain());
        m->SetMainInfo(m->state().strMainInfo);
    };
    hooks.showTrendSetup = [r] {
        if (r->trendLinks.showTrendSetup)
            r->trendLinks.showTrendSetup();
    };
    hooks.setPrintEnabled = [m](bool on) { m->setPrintEnabled(on); };
    hooks.printResults = [r] { r->thePrinter().printResults(); };
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
