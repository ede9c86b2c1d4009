#pragma once
// The trend results pane "pneBatchSetup(1)": the title "batchTitle" and the trend results view
// theBatchResults (TrendResultsView.h). It shares its array name with the trend setup pane "pneBatchSetup(0)";
// like every pane, it is shown alone.
#include <QFrame>

class QLabel;

namespace korvel::ui {

class TrendPanes;
class TrendResultsView;

class TrendResultsPane : public QFrame {
    Q_OBJECT
public:
    explicit TrendResultsPane(TrendPanes& panes, QWidget* parent = nullptr);

    QLabel* batchTitle = nullptr;
    TrendResultsView* theBatchResults = nullptr;
    // theBatchResults.EnableBatch.
    void EnableBatch(bool yesno);

protected:
    // Tab goes round this pane's controls.
    bool focusNextPrevChild(bool next) override;
};

} // namespace korvel::ui
