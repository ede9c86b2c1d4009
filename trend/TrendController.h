#pragma once
// The trend driver of the main window: the two ways into the trend setup (a variable trend from the Tools
// menu, a fixed trend on the option chosen in an option browser), the setup's Back button, and the runs of
// its "Generate Trend Output" button: a variable trend repeats the whole evaluation once per value of its
// process; a fixed trend recomputes the chosen option over the values of one or two processes.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/BatchProcess.h"
#include "model/TrendGrid.h"
#include "model/Variant.h"

namespace korvel {
class BestMix;
class FieldCollection;
struct SessionState;
} // namespace korvel

namespace korvel::ui {

class TrendSetupPane;
class PaneHost;
class TrendPanes;

class TrendController : public QObject {
    Q_OBJECT
public:
    TrendController(TrendPanes& panes, TrendSetupPane& setup);

    // The ranked lists of the last run: one per value of a variable trend, one for a fixed trend.
    std::vector<std::shared_ptr<korvel::BestMix>> BatchCollection;

    // Tools > "Run a variable trend process": an empty option, then the setup.
    void startVariableTrend();
    // Opens the setup for a fixed trend when the session's option has fields, else for a variable trend.
    void ShowBatchScreen();
    // "Run a Fixed Trend on this Option" in the trend results view: the setup for a fixed trend on the option,
    // whose Back returns to these trend results as they stand now (step, option and the setup that made them).
    void fixedTrendFromTrendResults(const std::shared_ptr<korvel::FieldCollection>& option);
    // Back: the trend overrides cleared and the inputs file read back, then where the setup was opened from:
    // the trend results a fixed trend was started from (still in trend mode), else, trend mode left, the main
    // pane (variable trend) or the results pane (fixed trend).
    void goBack();
    // Trend processing switched off: a trend under way stops as its Cancel stops it, and shows no results.
    void stopRun();
    // Clears the trend overrides of every library crop and of the irrigation costs, so none stays in force
    // for an ordinary evaluation.
    void clearTrendOverrides();
    // However the user leaves a variable trend: every box the trend wrote (the efficiency, the rainfall, a crop
    // row's price or maximum yield) and its crop get back what they held before the trend's first value, and
    // the trend overrides are cleared, so the next run and the next save see the user's own inputs. While a
    // trend runs, this waits for the run's end.
    void giveBackUserValues();
    // "Generate Trend Output".
    void generateTrendOutput();
    // Puts one value of a variable trend into the main window's inputs.
    void UpdateVariable(int theCrop, int theVariable, double theValue);

    // A trend run is in flight (its handlers let window messages run).
    bool running() const { return running_; }

private:
    // Trend results as they were shown, with the setup that made them.
    struct ShownTrendResults {
        std::vector<std::shared_ptr<korvel::BestMix>> lists;
        korvel::BatchProcess bp;
        bool fixedTrend = false;
        int step = 1;
        int option = 1;
        std::vector<std::shared_ptr<korvel::FieldCollection>> browserList; // the option objects on screen
        QString title;
        std::vector<korvel::Variant> values;
        korvel::TrendGrid grid;
        std::string variableName;
        std::string cropName;
        std::shared_ptr<korvel::FieldCollection> selectedOption;
        std::vector<korvel::BatchProcess> processes;
        int currentProcess = 0;
        QStringList crops;
        int crop = 0;
        QStringList batches;
        int batch = 0;
    };
    ShownTrendResults shownTrendResults() const;
    void showTrendResultsAgain(const ShownTrendResults& shown);
    // The setup for the session's option; `fresh`: opened from the menu or the results pane, so its Back
    // returns to no trend results.
    void openSetup(bool fresh);
    bool runVariableTrend(const korvel::BatchProcess& bp);
    bool runFixedTrend();
    korvel::SessionState& session() const;
    // Keeps how to give a box back what it holds now, unless the box's own value is kept already.
    void rememberUserValue(QObject* box, std::function<void()> giveBack);

    PaneHost& main_; // the window, through its host interface
    TrendPanes& panes_;
    TrendSetupPane& setup_;
    bool running_ = false;
    bool giveBackAfterRun_ = false; // the user left the trend while it ran
    bool stopRequested_ = false;    // trend processing was switched off while the trend ran
    // The trend results each open fixed-trend setup was started from, the latest last.
    std::vector<ShownTrendResults> returns_;
    // The boxes a variable trend wrote, each with how it gets the user's value back, in writing order.
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> userValues_;
};

} // namespace korvel::ui
