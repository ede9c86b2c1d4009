#pragma once
// The results pane: holds the option browser theResults, which shows the ranked options of the last run.
// Until the browser is in place the pane lists each option's crops and net return ("lstOptions").
#include <QFrame>
#include <memory>
#include <vector>

namespace korvel {
class FieldCollection;
}

class QListWidget;

namespace korvel::ui {

class MainWindow;

class ResultsPane : public QFrame {
    Q_OBJECT
public:
    explicit ResultsPane(MainWindow& main, QWidget* parent = nullptr);

    // theResults.loadResults: the ranked list, best first (placeholders without fields at the end).
    void loadResults(const std::vector<std::shared_ptr<korvel::FieldCollection>>& entries);
    // theResults.ShowBatchedVariables: the trend-variable panel shown or hidden.
    void ShowBatchedVariables(bool d);
    // theResults.EnableBatch: the fixed-trend controls shown while trend processing is on.
    void EnableBatch(bool yesno);

private:
    MainWindow& main_;
    QListWidget* lstOptions_;
};

} // namespace korvel::ui
