#pragma once
// The production-cost pane pneInputCosts: one crop's production costs and other returns, opened from the crop
// row's "Costs/Returns" button on the library crop itself. Two subtotals follow the typing; Apply commits the
// boxes into the crop, Cancel leaves it as it was.
#include <QHash>
#include <QWidget>
#include <memory>
#include <string>

#include "model/Crop.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel::ui {

class CostPaneHost;

class ProductionCostPane : public QWidget {
    Q_OBJECT
public:
    explicit ProductionCostPane(CostPaneHost& host, QWidget* parent = nullptr);

    // The crop row's "Costs/Returns": shows the pane, makes crop the active crop and fills every box from it.
    void open(const std::shared_ptr<Crop>& crop);
    // "Apply Costs && Returns": commits the boxes into the active crop and returns to the main pane.
    void Command6_Click();
    // "Clear all values on this page": empties every box and unticks the optimal boxes; nothing is committed.
    void Command13_Click();
    // The default button: the crop's default values into the boxes; nothing is committed.
    void cmdDefault_Click();

    void ShowInputCostTotal();
    void ShowOperationCostTotal();

    // A box of the pane by its name (txtNitrogenCost, ...), null for another name.
    QLineEdit* box(const QString& name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QLineEdit* newBox(const char* name);
    // The name of the active crop ("" while there is none).
    std::string cropType() const;
    double read(QLineEdit* b) const;
    void leaveBox(QLineEdit* b);
    bool isForage(const Crop& crop) const;

    CostPaneHost& host_;
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
    QGroupBox *frmICAlf_, *frmICAlf2_, *harvestFrame_;
    QPushButton* cmdDefault_;
};

} // namespace korvel::ui
