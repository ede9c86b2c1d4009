#pragma once
// The summary table of the saved options.
#include <QFrame>

namespace korvel::ui {

class MainWindow;

class SummaryPane : public QFrame {
    Q_OBJECT
public:
    // False while the pane is an empty frame: the menu items and buttons that open it stay disabled.
    static constexpr bool kBuilt = false;

    explicit SummaryPane(MainWindow& main, QWidget* parent = nullptr);
    // The "Summary Table" menu: builds the table and shows the pane.
    void open();

private:
    MainWindow& main_;
};

} // namespace korvel::ui
