#pragma once
// The main pane: the farm's general inputs (acres, soil, efficiency, rainfall, gross inches, the computed
// gross volume, the land-split preset), the crop rows in their scrolling frame, the default-values and
// help buttons and the run button.
//
// objectNames are the control names. An element of a control array is named after the array with its
// index in parentheses (see ControlNames.h): the land-split presets are "Option1(0)" .. "Option1(5)",
// the help buttons "cmdHelp(0)" .. "cmdHelp(29)", the crop rows "cr(0)", "cr(1)", ... (each holding
// "chkCrop", "txtPrice", ... of its own, see CropRow.h).
// Controls of this pane: "txtArea", "txtSoil", "Command8", "txtEff", "txtAnnRain", "txtMax",
// "lblVolume", "Option1(i)", "chkNoSplit" (hidden, ticked), "txtArraySize" (hidden, "100"), "Command1"
// (the run button), "cropBox", "cropFrameHolder", "cropFrame", "cropScroll", "Command7",
// "pnlBatchInstructions".
#include <QFrame>
#include <QList>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace korvel::ui {

class CropRow;
class PaneHost;

class MainPane : public QFrame {
    Q_OBJECT
public:
    explicit MainPane(PaneHost& main, QWidget* parent = nullptr);

    // lblVolume := acreage × gross inches with "###,###" (empty when it rounds to 0).
    void getVolume();
    // The pumping-capacity warning, run after every change of the gross inches.
    void capacityCheck();
    // Index 0..5 of the selected preset, -1 when none is selected.
    int selectedPreset() const;
    // Selects preset index (0..5); other values select nothing new.
    void selectPreset(int index);

    // Crop rows: element 0 lives as long as the pane; the others are made and closed as the library changes.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    CropRow* row(int i) const;
    // Closes rows from index 1 on, leaving element 0.
    void closeRowsAfterFirst();
    // Makes row i (i >= 1) 490 twips below row i - 1 and shows it; returns element 0 for i = 0.
    CropRow* createRow(int i);
    // Sizes the crop frame (550 twips a row) and sets the scroll bar's limits (in twips).
    void InitializeCropFrame();
    void scrollCropRows(int value);

    QLineEdit* txtArea;
    QComboBox* txtSoil;
    QPushButton* irrigationButton; // "Command8", "Enter Irrigation Information"
    QLineEdit* txtEff;
    QComboBox* txtAnnRain;
    QLineEdit* txtMax;
    QLabel* lblVolume;
    std::array<QRadioButton*, 6> presetButtons{}; // "Option1(0)" .. "Option1(5)"
    QCheckBox* chkNoSplit;
    QLineEdit* txtArraySize;
    QPushButton* runButton;      // "Command1"
    QPushButton* defaultsButton; // "Command7", "Load Default Values"
    QGroupBox* cropBox;
    QWidget* cropFrameHolder;
    QWidget* cropFrame;
    QScrollBar* cropScroll;
    QFrame* pnlBatchInstructions;

private:
    // The builders of the constructor, in the order it calls them: each makes its controls and returns the
    // layout that places them (the crop frame places its own).
    QGridLayout* buildGeneralInputs();
    QHBoxLayout* buildLandSplit();
    void buildCropFrame();
    QGridLayout* buildNotes();
    // The pane's controls in the order Tab visits them.
    QList<QWidget*> controlsInReadingOrder() const;
    // The focus entering one of row's controls scrolls the row into view (the pane filters their events).
    void watchFocusOf(const CropRow* row);
    // Scrolls the crop rows so that the row holding focused is wholly in view; nothing for another control.
    void showCropRowOf(QWidget* focused);

    void storeSoil();
    void showVolumeAndCheckCapacity();
    void checkEfficiency();
    bool eventFilter(QObject* watched, QEvent* event) override;

    PaneHost& main_; // the window, through its host interface
    std::vector<CropRow*> rows_;
};

} // namespace korvel::ui
