#pragma once
// The summary pane: holds the summary table of the saved options and connects it to the main window
// (the saved options, the rainfall box, the pane history).
#include <QFrame>

namespace korvel::ui {

class PaneHost;
class SummaryTable;

class SummaryPane : public QFrame {
    Q_OBJECT
public:
    explicit SummaryPane(PaneHost& main, QWidget* parent = nullptr);
    // The "Summary Table" menu: builds the table and shows the pane.
    void open();
    SummaryTable* table() const { return table_; }

private:
    PaneHost& main_; // the window, through its host interface
    SummaryTable* table_;
};

} // namespace korvel::ui
