#pragma once
// The trend setup pane "pneBatchSetup(0)": the crop, the trend variable and the values of a trend process, and
// for a fixed trend a short list of processes (at most MaximumBatches). Its sibling "pneBatchSetup(1)" is the
// trend results pane (TrendResultsPane.h).
//
// Controls (objectNames): "cboCrops", "cmdHelp(26)", "optBatchVariable(0..5)", "check(0..5)",
// the unit labels "lblgeneric(20)" (price) and "lblgeneric(22)" (maximum yield), "optBatchOption(0..2)"
// ("Auto", "Import", "Manual"), "txtBatchMinimum(0)" (minimum), "txtBatchMinimum(1)" (maximum),
// "cboBatchSteps", the value unit labels "lblgeneric(24)" and "lblgeneric(25)", "cmdOpenBatch(1)",
// "lblBatchFile", "txtBatchList", the frame "frmBatches" with "cboBatches", "cmdAddBatchProcess" and
// "cmdHelp(25)", "cmdDeleteBatch", the texts "lblgeneric(3, 4, 5, 13, 14, 15, 16)", "Command10" ("Back")
// and "cmdBatchIt" ("Generate Trend Output").
#include <QFrame>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "model/BatchProcess.h"
#include "model/TrendVariables.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvel {
class Crop;
}

namespace korvel::ui {

class CropRow;
class PaneHost;
class TrendController;
class TrendPanes;

class TrendSetupPane : public QFrame {
    Q_OBJECT
public:
    explicit TrendSetupPane(TrendPanes& panes, QWidget* parent = nullptr);
    ~TrendSetupPane() override;

    QComboBox* cboCrops = nullptr;
    QComboBox* cboBatchSteps = nullptr;
    std::array<QRadioButton*, kTrendVariableCount> optBatchVariable{};
    std::array<QLabel*, kTrendVariableCount> check{};
    QLabel* lblPriceUnits = nullptr;  // lblgeneric(20)
    QLabel* lblYieldUnits = nullptr;  // lblgeneric(22)
    QLabel* minimumUnits = nullptr;   // lblgeneric(24), beside the minimum value
    QLabel* maximumUnits = nullptr;   // lblgeneric(25), beside the maximum value
    QLabel* lblInstruction = nullptr; // lblgeneric(16)
    std::array<QRadioButton*, 3> optBatchOption{};
    std::array<QLineEdit*, 2> txtBatchMinimum{};
    QPushButton* cmdOpenBatch = nullptr; // cmdOpenBatch(1)
    QLabel* lblBatchFile = nullptr;
    QLineEdit* txtBatchList = nullptr;
    QFrame* frmBatches = nullptr;
    QComboBox* cboBatches = nullptr;
    QPushButton* cmdAddBatchProcess = nullptr;
    QPushButton* cmdDeleteBatch = nullptr;
    QPushButton* backButton = nullptr; // Command10
    QPushButton* cmdBatchIt = nullptr;

    // The trend processes of the current setup (position 1 is element 0) and the one shown on the pane.
    std::vector<korvel::BatchProcess> ProcessCollection;
    int CurrentProcess = 0;

    // The entry into the setup, its Back button and the runs.
    TrendController& trend() const { return *trend_; }

    // Appends a new, empty process and shows it; false when the shown process is not valid.
    bool AddBatchProcess();
    // Add is offered below MaximumBatches processes, Delete from 2 processes unless the first is selected.
    void RefreshBatchButtons();
    // The pane makes a valid process (else its message has been shown).
    bool CheckCurrentProcess();
    // Stores the shown process (when the list holds more than one) and shows the one at batchIndex (0-based);
    // false, with nothing changed, when the shown process is not valid.
    bool LoadBatchProcess(int batchIndex);
    // Shows the stored process at batchIndex (0-based) on the pane, whatever the pane showed; the boxes are
    // emptied when there is none. Always true.
    bool showProcess(int batchIndex);
    // Empty boxes, 2 steps, "Auto", variable 0, no file, no tick. Always true.
    bool ClearBatchData();

    // A validated process built from the pane for the crop named cropName, or nothing after its message.
    std::optional<korvel::BatchProcess> GetBatchProcess(const QString& cropName);
    // 0-based index of the first crop row whose crop is named exactly cropType; 0 when none is.
    int GetCropIndex(const QString& cropType) const;
    // The crop of the last crop row named name, ignoring case; nothing when none is.
    std::shared_ptr<korvel::Crop> FindCropByName(const QString& name) const;
    // {prefix, suffix} of a value of the variable, the units taken from the crop of row cropIndex.
    korvel::TrendUnits GetVariableUnits(int VariableIndex, int cropIndex) const;
    // Writes the unit label of the variable, for the chosen crop, to both value unit labels; returns it.
    QString SetVariableLabels(int index);
    // The trend variable and the value mode whose buttons are on (bitwise or of the indexes on; 0 when none).
    int selectedVariable() const;
    int selectedValueMode() const;

    // Crop row i, nothing outside the rows.
    CropRow* cropRow(int i) const;

    // Selections made from code that run the list's or button's handler as a pick by the user does.
    void selectCropEntry(int entry);
    void turnOnVariable(int index);

    // Handlers.
    void processPicked();
    void addProcess();
    void deleteProcess();
    void chooseValueFile();
    void cropPicked();
    void variablePicked(int index);
    void selectAutoValues();
    void selectManualValues();

private:
    void buildSetup();
    // The builders buildSetup calls, in its order: the crop and the trend variables (left), how the values are
    // given (right), each returning the layout that places them; the process list of a fixed trend.
    QGridLayout* buildVariableChoice();
    QGridLayout* buildValueChoice();
    void buildProcessList();
    // Selects entry `entry` of cboBatches while the list is disabled, so its handler does nothing.
    void selectBatchEntryQuietly(int entry);

    PaneHost& main_; // the window, through its host interface
    TrendController* trend_ = nullptr;
    QString dlgBatchFileName_; // the file name the value-file dialog returned last
};

} // namespace korvel::ui
