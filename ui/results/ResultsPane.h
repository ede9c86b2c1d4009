#pragma once
// The results pane: holds the option browser theResults, which shows the ranked options of the last run,
// and connects it to the main window (panes, information line, Print menu, saved options, details).
#include <QFrame>
#include <memory>
#include <vector>

namespace korvel {
class FieldCollection;
}

namespace korvel::ui {

class OptionBrowser;
class PaneHost;
class ResultsPanes;

class ResultsPane : public QFrame {
    Q_OBJECT
public:
    explicit ResultsPane(ResultsPanes& panes, QWidget* parent = nullptr);

    // The option browser ("theResults").
    OptionBrowser* theResults() const { return theResults_; }

    // theResults.loadResults: the ranked list, best first (placeholders without fields at the end).
    void loadResults(const std::vector<std::shared_ptr<korvel::FieldCollection>>& entries);
    // theResults.ShowBatchedVariables: the trend-variable panel shown or hidden.
    void ShowBatchedVariables(bool d);
    // theResults.EnableBatch: the fixed-trend controls shown while trend processing is on.
    void EnableBatch(bool yesno);

    // Connects an option browser to the main window: details, Back, Print, saved options and fixed trends.
    // The results pane's browser and the trend results view's browser are connected the same way.
    static void connectToMainWindow(OptionBrowser& browser, ResultsPanes& panes);

private:
    PaneHost& main_; // the window, through its host interface
    OptionBrowser* theResults_;
};

} // namespace korvel::ui
