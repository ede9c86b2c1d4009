#include "ui/results/ResultsPanes.h"

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "ui/main/PaneHost.h"
#include "ui/main/UpperPanes.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/ResultsPane.h"

namespace korvel::ui {

ResultsPanes& ResultsPanes::addTo(PaneRegistry& registry)
{
    return *new ResultsPanes(registry);
}

ResultsPanes* ResultsPanes::of(const QObject& window)
{
    return window.findChild<ResultsPanes*>(QString(), Qt::FindDirectChildrenOnly);
}

ResultsPanes::ResultsPanes(PaneRegistry& registry) : QObject(registry.host().hostWindow()), host_(registry.host())
{
    pneResults_ = new ResultsPane(*this, registry.paneParent());
    registry.addPane(pneResults_, true);
    pneDetails_ = new DetailsPane(*this, registry.paneParent());
    registry.addPane(pneDetails_, true);

    ResultsHooks& hooks = registry.resultsHooks();
    hooks.showResults = [this](korvel::BestMix& bm) {
        korvel::SessionState& s = host_.session();
        host_.ShowPane(pneResults_);
        pneResults_->ShowBatchedVariables(false);
        pneResults_->loadResults(bm.returnCollection(true, s));
        thePrinter().setCollection(bm.returnCollection(true, s));
        host_.setPrintEnabled(true);
    };
    hooks.EnableBatch = [this](bool b) { pneResults_->EnableBatch(b); };
    hooks.printShownReport = [this] {
        if (pneDetails_->isVisible())
            thePrinter().printDetails();
        else
            thePrinter().printResults();
    };
}

ResultsPanes::~ResultsPanes() = default;

ResultPrinter& ResultsPanes::thePrinter()
{
    if (!thePrinter_) {
        thePrinter_ = std::make_unique<ResultPrinter>(
            host_.session(),
            // The inputs of the last run, handed over with its options.
            [this] {
                const WindowState& state = host_.state();
                const RunTexts& texts = state.lastRunTexts;
                ResultPrinter::MainInputs in;
                in.txtArea = texts.txtArea;
                in.txtEff = texts.txtEff;
                in.txtAnnRain = texts.txtAnnRain;
                in.txtMax = texts.txtMax;
                in.crops = state.cs ? QString::fromStdString(state.cs->toString()) : QString();
                return in;
            },
            host_.hostWindow());
    }
    return *thePrinter_;
}

} // namespace korvel::ui
