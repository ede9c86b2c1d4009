#pragma once
// The summary pane: holds the summary table of the saved options and connects it to the main window
// (the saved options, the rainfall box, the pane history).
#include <QFrame>

namespace korvel::ui {

class MainWindow;
class SummaryTable;

class SummaryPane : public QFrame {
    Q_OBJECT
public:
    explicit SummaryPane(MainWindow& main, QWidget* parent = nullptr);
    // The "Summary Table" menu: builds the table and shows the pane.
    void open();
    SummaryTable* table() const { return table_; }

private:
    MainWindow& main_;
    SummaryTable* table_;
};

} // namespace korvel::ui
