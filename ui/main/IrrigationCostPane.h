#pragma once
// The irrigation-cost pane pneIrrigCosts: the user's working copy of the pumping-plant inputs, with a hint on the
// inches the season's pumping puts on the farm and the variable cost of an acre-inch. "Apply Costs" commits the
// boxes into the irrigation costs every evaluation uses; Back leaves them uncommitted.
#include <QFrame>

#include "model/IrrigationCosts.h"

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel::ui {

class PaneHost;

// Controls (objectNames): the boxes "txtGPM", "txtEstHours", "txtLift", "txtPSI", "txtCost", "txtLaborPerHour",
// "txtRepairsPerAcre", the fuel box "cboFuelType", the labels "lblInchHint" and "lblICosts", the buttons
// "Command9" (Apply Costs), "cmdCancel(0)" (Back), "Command4" (Clear), "cmdDefaultIrrigCosts" and the help
// buttons "cmdHelp(7)", "cmdHelp(8)", "cmdHelp(15)" .. "cmdHelp(20)".
class IrrigationCostPane : public QFrame {
    Q_OBJECT
public:
    explicit IrrigationCostPane(PaneHost& main, QWidget* parent = nullptr);

    // "Enter Irrigation Information" of the main pane (Command8): shows the pane, refreshes the season hint and
    // blanks the "0" texts of the main window. The boxes are not filled from the irrigation costs.
    void open();
    // "Apply Costs": commits the boxes, the fuel and its energy per unit, and activates the irrigation costs.
    void applyCosts();
    // "Clear all values on this page": empties every box and the fuel box; nothing is committed.
    void clearBoxes();
    // "Load Default Values": writes the pumping-plant defaults into the boxes; nothing is committed.
    void loadDefaults();
    // A fuel picked from the list (also when code selects an entry).
    void fuelPicked();
    // Selects an entry of the fuel list as a pick by the user does.
    void selectFuel(int index);

    void ShowSeasonInches();
    void ShowPumpingCost();

private:
    void buildControls();
    // The builders buildControls calls, in its order: the boxes and the fuel list; the grid that places them,
    // the subtotal and the buttons, each returning its layout.
    void buildBoxes();
    QGridLayout* buildCostGrid();
    QGridLayout* buildSubtotal();
    QHBoxLayout* buildButtons();
    void leaveBox(QLineEdit* box);
    QLineEdit* boxNamed(const QString& name) const;
    IrrigationCosts& irrigationCosts();

    PaneHost& main_; // the window, through its host interface
    QLineEdit* txtGPM_ = nullptr;
    QLineEdit* txtLift_ = nullptr;
    QLineEdit* txtPSI_ = nullptr;
    QComboBox* cboFuelType_ = nullptr;
    QLineEdit* txtCost_ = nullptr;
    QLineEdit* txtLaborPerHour_ = nullptr;
    QLineEdit* txtRepairsPerAcre_ = nullptr;
    QLineEdit* txtEstHours_ = nullptr;
    QLabel* lblInchHint_ = nullptr;
    QLabel* lblICosts_ = nullptr;
    bool fuelTextFinishing_ = false;
};

} // namespace korvel::ui
