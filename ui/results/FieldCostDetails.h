#pragma once
// The cost details of one field: its information and totals per acre, then the general input costs, the
// operation costs, the land returns, the irrigation cost information and the miscellaneous costs, each group
// ending in a subtotal per acre, with the stand-life notes of a forage crop. While a trend override is in
// force, a box covers the group that the override replaces.
#include <functional>
#include <memory>

#include <QWidget>

#include "model/Field.h"
#include "model/SessionState.h"

class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace korvel::ui {

class FieldCostDetails : public QWidget {
    Q_OBJECT
public:
    // What the pane asks of the window that holds it. Unset hooks do nothing, except the printing one,
    // which tells the user that printing is not available.
    struct Hooks {
        std::function<void()> showResultsPane;                              // Back outside a trend
        std::function<void()> showTrendResultsPane;                         // Back during a trend
        std::function<void(const std::shared_ptr<Field>&)> setPrinterField; // the field of the details report
        std::function<void(bool)> setPrintEnabled;                          // the File menu's Print item
        std::function<void()> printDetails;                                 // the details report
    };

    explicit FieldCostDetails(const SessionState& session, QWidget* parent = nullptr);

    Hooks hooks;

    // Fills the pane from a copy of f.
    void loadCosts(const Field& f);
    // The pane's own copy of the field on screen (an empty field before the first load).
    const std::shared_ptr<Field>& field() const { return detailField; }

private:
    struct StandSpread;

    // The builders, one per column and one per group.
    QWidget* buildProductionCostColumn();
    QWidget* buildIrrigationAndReturnsColumn();
    QWidget* buildFieldInformationColumn();
    QWidget* buildGeneralInputCosts(QWidget* parent);
    QWidget* buildOperationCosts(QWidget* parent);
    QWidget* buildIrrigationCostInformation(QWidget* parent);
    QWidget* buildMiscellaneousCosts(QWidget* parent);
    QWidget* buildLandReturns(QWidget* parent);
    QWidget* buildFieldInformation(QWidget* parent);
    QHBoxLayout* buildButtons();

    // The steps of a load, one per group, in the order the figures are worked out.
    void showOverrides(Field& fld);
    void showGeneralInputCosts(Field& fld, const StandSpread& stand);
    void showOperationCosts(Field& fld, const StandSpread& stand);
    void showLandReturns(Field& fld);
    void showIrrigationCostInformation(Field& fld);
    void showFieldInformation(Field& fld);
    void showMiscellaneousCosts(Field& fld);
    void showStandNotes(Field& fld, const StandSpread& stand);

    void printReport();
    void goBack();

    const SessionState& session_;
    std::shared_ptr<Field> detailField = std::make_shared<Field>();

    QFrame* picBatch[2];
    QLabel* lblBatchGeneralProductionCost;
    QLabel* lblBatchIrrigationCosts;
    // General Input Costs
    QLabel* lblNC;
    QLabel* lblNAPA;
    QLabel* lblPC;
    QLabel* lblPAPA;
    QLabel* lblSC;
    QLabel* lblSPR;
    QLabel* lblHC;
    QLabel* lblI;
    QLabel* lblGeneralCosts;
    // Operation Costs
    QLabel* lblTC;
    QLabel* lblPlantCost;
    QLabel* lblFertApplicationCost;
    QLabel* lblHAC;
    QLabel* lblIAC;
    QLabel* lblHarvestTotalCost;
    QLabel* lblApplicationCosts;
    // Land Returns
    QLabel* lblMR;
    QLabel* lblReturns;
    // Irrigation Cost Information
    QLabel* lblGPM;
    QLabel* lblPWL;
    QLabel* lblPSI;
    QLabel* lblFT;
    QLabel* lblFC;
    QLabel* lblLC;
    QLabel* lblMaint;
    QLabel* lblHours;
    QLabel* lblIrrigationCosts;
    // Field Information & Totals
    QLabel* lblAcres;
    QLabel* lblCrop;
    QLabel* lblCropPrice;
    QLabel* lblYield;
    QLabel* lblGross;
    QLabel* lblRain;
    QLabel* lblTotalCosts;
    QLabel* lblTotalReturns;
    QLabel* lblTotalProfit;
    // Miscellaneous Costs
    QLabel* lblMC;
    QLabel* lblSubTotalMC;
    // Notes
    QLabel* lblAlfDetails;
    QLabel* lblAnnualized;
    QPushButton* printButton; // "Command2"
    QPushButton* backButton;  // "Command3"
};

} // namespace korvel::ui
