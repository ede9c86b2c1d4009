#pragma once
// The trend layer of the main window: the trend setup pane "pneBatchSetup(0)" with its controller and the
// trend results pane "pneBatchSetup(1)". addTo creates them when the window builds its panes, registers
// them, installs the window's trend hooks (the trend switch, the trend menu items, the setup's start-up
// values and crop list) and links the result views' Back buttons to them. The object is a child of the
// window and goes with it.
#include <QObject>

namespace korvel::ui {

class PaneHost;
class PaneRegistry;
class ResultsPanes;
class TrendResultsPane;
class TrendSetupPane;

class TrendPanes : public QObject {
    Q_OBJECT
public:
    static TrendPanes& addTo(PaneRegistry& registry, ResultsPanes& results);
    // The trend layer of a window built with it, nullptr when the window has none.
    static TrendPanes* of(const QObject& window);

    PaneHost& host() const { return host_; }
    ResultsPanes& results() const { return results_; }
    TrendSetupPane* trendSetupPane() const { return trendSetupPane_; }       // "pneBatchSetup(0)"
    TrendResultsPane* trendResultsPane() const { return trendResultsPane_; } // "pneBatchSetup(1)"

private:
    TrendPanes(PaneRegistry& registry, ResultsPanes& results);

    PaneHost& host_;
    ResultsPanes& results_;
    TrendSetupPane* trendSetupPane_ = nullptr;
    TrendResultsPane* trendResultsPane_ = nullptr;
};

} // namespace korvel::ui
