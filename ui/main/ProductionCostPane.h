#pragma once
// The production-cost pane pneInputCosts: one crop's production costs and other returns, opened from the crop
// row's "Costs/Returns" button on the library crop itself. Two subtotals follow the typing; Apply commits the
// boxes into the crop, Cancel leaves it as it was.
#include <QFrame>
#include <QHash>
#include <QList>
#include <memory>
#include <string>

#include "model/Crop.h"

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel::ui {

class PaneHost;

// Controls (objectNames): the boxes named after their fields' boxes ("txtNitrogenCost", "txtNitrogenApplied",
// "txtPCost", "txtPApplied", "txtSeedCost", "txtSeedRate", "txtHerbicide", "txtInsecticide", "txtTillage",
// "txtPlanting", "txtFertilizerApplication", "txtHerbicideApplication", "txtInsecticideApplication",
// "txtHarvestBase", "txtExceed", "txtExceedCost", "txtHaulingCost", "txtFlatRate", "txtReturns", "txtMiscCost",
// and in the forage frames "frmICAlf" and "frmICAlf2" "txtSwathing", "txtSwathingNum", "txtRaking",
// "txtRakingNum", "txtBaling", "txtBalingNum", "txtAlfFlat", "txtStand"), the optimal boxes "chkNOptimal",
// "chkPOptimal", "chkSeedOptimal", the labels "lblHeader", "lblSeedRate", "lblSeedUnits", "lblUnits",
// "lblperunits(0)" .. "lblperunits(2)", "lblApplicationCosts", "lblGICTOTAL", "lblOC", "lblAnnualized", the
// buttons "Command6" (Apply), "Command13" (Clear), "cmdDefault", "cmdCancel(1)" (Cancel) and the help buttons
// "cmdHelp(11)" .. "cmdHelp(14)", "cmdHelp(21)" .. "cmdHelp(24)".
class ProductionCostPane : public QFrame {
    Q_OBJECT
public:
    explicit ProductionCostPane(PaneHost& main, QWidget* parent = nullptr);

    // The crop row's "Costs/Returns": shows the pane, makes crop the active crop and fills every box from it.
    void openFor(const std::shared_ptr<Crop>& crop);
    // "Apply Costs && Returns": commits the boxes into the active crop and returns to the main pane.
    void applyCosts();
    // "Clear all values on this page": empties every box and unticks the optimal boxes; nothing is committed.
    void clearBoxes();
    // The default button: the crop's default values into the boxes; nothing is committed.
    void loadDefaults();

    void ShowInputCostTotal();
    void ShowOperationCostTotal();

    // A box of the pane by its name (txtNitrogenCost, ...), null for another name.
    QLineEdit* box(const QString& name) const;

private:
    void buildControls();
    // The builders buildControls calls, in its order: every box, optimal tick and label the group boxes place;
    // the general input costs, the operation costs, the returns and miscellaneous costs (each a group box); the
    // grain harvest charges and the forage frames; the buttons' row.
    void buildBoxesAndLabels();
    QGroupBox* buildGeneralInputCosts();
    QGroupBox* buildOperationCosts();
    QGroupBox* buildReturnsAndMiscellaneous();
    void buildHarvestFrame();
    void buildForageFrames();
    QHBoxLayout* buildButtons();
    QLabel* label(const QString& text);
    QPushButton* helpButton(int index);
    // The pane's controls in the order Tab visits them.
    QList<QWidget*> controlsInReadingOrder() const;
    QLineEdit* newBox(const char* name);
    // The name of the active crop ("" while there is none).
    std::string cropType() const;
    double read(QLineEdit* b) const;
    void leaveBox(QLineEdit* b);
    bool isForage(const Crop& crop) const;

    PaneHost& main_; // the window, through its host interface
    QHash<QString, QLineEdit*> boxes_;
    QLineEdit *txtNitrogenCost_, *txtNitrogenApplied_, *txtPCost_, *txtPApplied_, *txtSeedCost_, *txtSeedRate_;
    QLineEdit *txtHerbicide_, *txtInsecticide_, *txtTillage_, *txtPlanting_, *txtFertilizerApplication_;
    QLineEdit *txtHerbicideApplication_, *txtInsecticideApplication_;
    QLineEdit *txtHarvestBase_, *txtExceed_, *txtExceedCost_, *txtHaulingCost_, *txtFlatRate_;
    QLineEdit *txtSwathing_, *txtSwathingNum_, *txtRaking_, *txtRakingNum_, *txtBaling_, *txtBalingNum_;
    QLineEdit *txtAlfFlat_, *txtStand_, *txtReturns_, *txtMiscCost_;
    QCheckBox *chkNOptimal_, *chkPOptimal_, *chkSeedOptimal_;
    QLabel *lblHeader_, *lblSeedRate_, *lblSeedUnits_, *lblUnits_, *lblperunits_[3], *lblApplicationCosts_;
    QLabel *lblGICTOTAL_, *lblOC_, *lblAnnualized_;
    QGroupBox *forageHarvestFrame_, *standLifeFrame_, *harvestFrame_; // "frmICAlf", "frmICAlf2", unnamed
    QPushButton* cmdDefault_;
};

} // namespace korvel::ui
