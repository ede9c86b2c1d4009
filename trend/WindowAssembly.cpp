#include "trend/WindowAssembly.h"

#include <QWidget>

#include "trend/TrendPanes.h"
#include "ui/main/PaneHost.h"
#include "ui/results/ResultsPanes.h"

namespace korvel::ui {

UpperPanes resultsAndTrendPanes()
{
    UpperPanes upper;
    upper.addResultsPanes = [](PaneRegistry& registry) { ResultsPanes::addTo(registry); };
    upper.addTrendPanes = [](PaneRegistry& registry) {
        if (ResultsPanes* results = ResultsPanes::of(*registry.host().hostWindow()))
            TrendPanes::addTo(registry, *results);
    };
    return upper;
}

} // namespace korvel::ui
