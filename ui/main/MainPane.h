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
#include <QString>
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

// The largest acreage and the largest gross inches the main pane takes, far beyond any irrigated farm (a season's
// irrigation stays well below 200 inches, some 17 feet of water). With both, the gross volume (at most
// 200,000,000 ac-in), the acres of a field ("1,000,000.0") and the totals of a plan are finite numbers, and a
// field's depth (at most four times the gross inches, on a quarter of the land with all the water) keeps three
// whole digits ("800.0''"), as the results' depth columns show them.
inline constexpr double kLargestAcres = 1000000;
inline constexpr double kLargestGrossInches = 200;

class MainPane : public QFrame {
    Q_OBJECT
public:
    explicit MainPane(PaneHost& main, QWidget* parent = nullptr);

    // The message of the first of txtArea and txtMax whose number is above its limit, as leaving the box
    // gives it ("Total Acres:  Please enter a value that's less than or equal to 1,000,000"); empty when both
    // are within. A text set by code (the inputs file) is never tested on leaving, so the run asks this.
    QString valueBeyondLimit() const;

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
    void checkArea();
    void checkGrossInches();
    bool eventFilter(QObject* watched, QEvent* event) override;

    PaneHost& main_; // the window, through its host interface
    std::vector<CropRow*> rows_;
};

} // namespace korvel::ui
