#pragma once
// The irrigation-cost pane: the pumping-plant inputs of the main window's tempIrrigationCosts.
#include <QFrame>

namespace korvel::ui {

class MainWindow;

class IrrigationCostPane : public QFrame {
    Q_OBJECT
public:
    // False while the pane is an empty frame: the menu items and buttons that open it stay disabled.
    static constexpr bool kBuilt = false;

    explicit IrrigationCostPane(MainWindow& main, QWidget* parent = nullptr);
    // The main pane's "Enter Irrigation Information": shows the pane.
    void open();

private:
    MainWindow& main_;
};

} // namespace korvel::ui
