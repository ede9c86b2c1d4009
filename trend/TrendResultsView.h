#pragma once
// The trend results view ("theBatchResults"): the ranked lists of a trend run, one at a time, through its
// own option browser "theResults". For a variable trend (one list per value) a step panel "pnlBatchSteps"
// holds "cmdBatchStep(1)" ("< Previous"), "cmdBatchStep(0)" ("Next >"), the step counter
// "lblBatchDescription(1)", the step caption "lblFreeBatchDescription" and the export "cmdExcel"
// ("Export to MS Excel"); for a fixed trend, or a variable trend of one value, the panel is hidden and the
// option browser shows each option's trend descriptions and the fixed-trend export.
#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "model/BatchProcess.h"

class QFrame;
class QLabel;
class QPushButton;

namespace korvel {
class BestMix;
}

namespace korvel::ui {

class PaneHost;
class TrendPanes;
class OptionBrowser;

class TrendResultsView : public QWidget {
    Q_OBJECT
public:
    explicit TrendResultsView(TrendPanes& panes, QWidget* parent = nullptr);

    // The trend process of the shown run; its variable and crop row choose the units of the step caption.
    korvel::BatchProcess bp;
    // The shown run was a fixed trend (its export is the fixed-trend one).
    bool fixedTrend = false;

    // Shows or hides the step panel.
    void EnableBatch(bool yesno);
    // Keeps the run's lists and process and lays the view out for one list or several.
    void setBatchCollection(const std::vector<std::shared_ptr<korvel::BestMix>>& d, const korvel::BatchProcess& thebp);
    // Shows step theIndex (1-based); a step outside the lists changes nothing.
    void LoadBatchResults(int theIndex);
    // 0 "Next >", 1 "< Previous"; any other index does nothing.
    void stepButtonClicked(int Index);
    // The variable-trend export.
    void exportToSpreadsheet();

    int currentStep() const { return current_; }
    const std::vector<std::shared_ptr<korvel::BestMix>>& steps() const { return steps_; }

    OptionBrowser* theResults = nullptr;
    QFrame* pnlBatchSteps = nullptr;
    QPushButton* cmdExcel = nullptr;
    std::array<QPushButton*, 2> cmdBatchStep{};
    QLabel* stepCounter = nullptr; // lblBatchDescription(1)
    QLabel* lblFreeBatchDescription = nullptr;

    // The file name the export dialog returned last.
    QString exportFileName;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void place();

    PaneHost& main_; // the window, through its host interface
    TrendPanes& panes_;
    std::vector<std::shared_ptr<korvel::BestMix>> steps_;
    int current_ = 1;
    int resultsTop_ = 0; // twips
};

} // namespace korvel::ui
