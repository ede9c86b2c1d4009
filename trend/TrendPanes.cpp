#include "trend/TrendPanes.h"

#include <QComboBox>

#include "trend/TrendController.h"
#include "trend/TrendResultsPane.h"
#include "trend/TrendSetupPane.h"
#include "ui/main/PaneHost.h"
#include "ui/main/UpperPanes.h"
#include "ui/results/ResultsPanes.h"

namespace korvel::ui {

TrendPanes& TrendPanes::addTo(PaneRegistry& registry, ResultsPanes& results)
{
    return *new TrendPanes(registry, results);
}

TrendPanes* TrendPanes::of(const QObject& window)
{
    return window.findChild<TrendPanes*>(QString(), Qt::FindDirectChildrenOnly);
}

TrendPanes::TrendPanes(PaneRegistry& registry, ResultsPanes& results)
    : QObject(registry.host().hostWindow()), host_(registry.host()), results_(results)
{
    trendSetupPane_ = new TrendSetupPane(*this, registry.paneParent());
    registry.addPane(trendSetupPane_, false);
    trendResultsPane_ = new TrendResultsPane(*this, registry.paneParent());
    registry.addPane(trendResultsPane_, true);

    // The two trend panes are never hidden by each other: the results pane covers the setup pane fully and
    // paints its own background, so nothing of the setup shows (or can be clicked) behind the results.
    trendResultsPane_->resize(trendResultsPane_->size().expandedTo(trendSetupPane_->size()));
    trendResultsPane_->setAutoFillBackground(true);

    TrendHooks& hooks = registry.trendHooks();
    hooks.EnableBatch = [this](bool b) {
        trendResultsPane_->EnableBatch(b);
        // Trend processing off: a trend under way stops as Cancel stops it, and no input or override of a
        // variable trend stays in force for the ordinary runs that follow (given back once the trend has stopped).
        if (!b) {
            trendSetupPane_->trend().stopRun();
            trendSetupPane_->trend().giveBackUserValues();
        }
    };
    hooks.giveBackTrendInputs = [this] { trendSetupPane_->trend().giveBackUserValues(); };
    hooks.ShowBatchScreen = [this] { trendSetupPane_->trend().ShowBatchScreen(); };
    hooks.startVariableTrend = [this] { trendSetupPane_->trend().startVariableTrend(); };
    hooks.libraryCropAdded = [this](const QString& crop) {
        if (QComboBox* crops = trendSetupPane_->cboCrops)
            crops->addItem(crop);
    };
    hooks.selectFirstCrop = [this] {
        if (QComboBox* crops = trendSetupPane_->cboCrops; crops && crops->count() > 0)
            crops->setCurrentIndex(0);
    };
    hooks.fillBatchSteps = [this] {
        if (QComboBox* steps = trendSetupPane_->cboBatchSteps) {
            steps->clear();
            for (int i = 2; i <= 10; ++i)
                steps->addItem(QString::number(i));
            steps->setCurrentText(QStringLiteral("2"));
        }
    };

    results_.trendLinks.showTrendSetup = [this] { host_.ShowPane(trendSetupPane_); };
    results_.trendLinks.showTrendResults = [this] { host_.ShowPane(trendResultsPane_); };
}

} // namespace korvel::ui
