#pragma once
// The panes of the layers above the main window (ui/results: results and details; trend: trend setup and
// trend results) and the hooks through which the window reaches them. The window never names them: the
// layer that builds the whole window hands it an UpperPanes, whose factories create their panes when the
// window builds its own, register them and install the hooks. A window built without them has no results
// or trend panes, and every hook left unset does nothing.
#include <QString>
#include <functional>

namespace korvel {
class BestMix;
}

class QWidget;

namespace korvel::ui {

class PaneHost;

// How the window reaches the results layer.
struct ResultsHooks {
    std::function<void(korvel::BestMix&)> showResults; // the run button's ranked list on the results pane
    std::function<void(bool)> EnableBatch;             // the trend switch on the results pane
    std::function<void()> printShownReport;            // File > Print: the report of the shown pane
};

// How the window reaches the trend layer.
struct TrendHooks {
    std::function<void(bool)> EnableBatch;                // the trend switch on the trend panes
    std::function<void()> ShowBatchScreen;                // the trend setup for the session's option
    std::function<void()> startVariableTrend;             // Tools > "Run a variable trend process"
    std::function<void(const QString&)> libraryCropAdded; // a crop row was made for this library crop
    std::function<void()> selectFirstCrop;                // the start-up crop of the trend setup
    std::function<void()> fillBatchSteps;                 // the start-up step counts of the trend setup
    // The user is leaving the trend (one of the window's own panes is shown, the run button is pressed, the inputs
    // are saved, the window closes): every input a variable trend wrote gets the user's own value back first.
    std::function<void()> giveBackTrendInputs;
};

// What a factory of upper panes gets from the window.
class PaneRegistry {
public:
    virtual ~PaneRegistry() = default;
    virtual PaneHost& host() = 0;
    // The parent of every pane (the window's client area).
    virtual QWidget* paneParent() const = 0;
    // Adds a pane to the window: placed under the header, hidden, shown by ShowPane, centred on resize. A pane
    // that grows (grids and tables) takes the room the window gives it; the others keep their designed size.
    virtual void addPane(QWidget* pane, bool grows) = 0;
    virtual ResultsHooks& resultsHooks() = 0;
    virtual TrendHooks& trendHooks() = 0;

protected:
    PaneRegistry() = default;
    PaneRegistry(const PaneRegistry&) = default;
    PaneRegistry& operator=(const PaneRegistry&) = default;
};

// The factories, in the order the window calls them: the results panes after the cost panes, the trend panes
// after the custom-crop pane.
struct UpperPanes {
    std::function<void(PaneRegistry&)> addResultsPanes;
    std::function<void(PaneRegistry&)> addTrendPanes;
};

} // namespace korvel::ui
