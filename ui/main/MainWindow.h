#pragma once
// The main window: the coordinator of the program. It holds the application state (the crop library
// reader, the crop being edited, the irrigation costs every run uses, the crops of the last run, the
// saved options, the soil and the information line), shows one full-size pane at a time with a pane
// history for the Back buttons, carries the menus, and runs an evaluation from the main pane.
//
// Panes (objectNames): "pneMain", "pneInputCosts", "pneIrrigCosts", "pneResults", "pneDetails",
// "pneSummary", "pneCustomCrop", "pneBatchSetup(0)" (trend setup), "pneBatchSetup(1)" (trend results).
// Menu items (QAction objectNames): "mnuPrint", "mnuExit", "mnuSummary", "mnuOptions", "mnuCustomCrop",
// "mnuEnableBatch", "mnuFallBatch", "mnuHelp", "mnuAboutKVL"; the menus "mnuFile(0)", "mnuLocation",
// "mnuTools(1)" ("Edit"), "mnuTools(2)" ("Tools"), "mnuAbout" ("Help").
// Header: "Image2", "lblMainInfo", the band "shpGeneric(5)".
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <memory>
#include <vector>

#include "model/InputsTarget.h"
#include "model/SessionState.h"

namespace korvel {
class BestMix;
class Crop;
class CropScenario;
class FieldCollection;
class FileReader;
class IrrigationCosts;
} // namespace korvel

class QAction;
class QFrame;
class QLabel;

namespace korvel::ui {

class CropRow;
class CustomCropPane;
class DetailsPane;
class IrrigationCostPane;
class MainPane;
class ProductionCostPane;
class ResultPrinter;
class ResultsPane;
class SummaryPane;
class TrendResultsPane;
class TrendSetupPane;
class ProgressWindow;

class MainWindow : public QMainWindow, public korvel::InputsTarget {
    Q_OBJECT
public:
    // programFolder holds "crops" (the library), "crops/custom", "crops/soils", the help and "inputs.txt".
    // The window is built as designed; load() (run by the first show, or explicitly) loads it.
    MainWindow(QString programFolder, korvel::SessionState& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- Application state ------------------------------------------------------------------------
    std::shared_ptr<korvel::FileReader> cropFiles;            // the crop library reader
    std::shared_ptr<korvel::Crop> activeCrop;                 // the crop on the production-cost pane
    std::shared_ptr<korvel::IrrigationCosts> tempIrrigationCosts; // the irrigation costs every run uses
    std::shared_ptr<korvel::CropScenario> cs;                 // the crops of the last run
    std::vector<std::shared_ptr<korvel::FieldCollection>> summaryResults; // saved options, in saving order
    QString currentSoil;                                      // the soil box's text
    QString strMainInfo;                                      // the standing text of the information line
    // The report printer, created on first use: the results report of the last run and the details report.
    ResultPrinter& thePrinter();
    int MaximumBatches = 0;                                   // trend processes of a fixed trend

    korvel::SessionState& session() const { return session_; }
    const QString& programFolder() const { return programFolder_; }

    // --- Load -------------------------------------------------------------------------------------
    // Shows the main pane, reads the crop library and the inputs file, sets the trend switch and the
    // start-up values. Runs once; later calls do nothing.
    void load();
    bool isLoaded() const { return loadStarted_; }

    // --- Panes ------------------------------------------------------------------------------------
    // Makes frame the shown pane (hiding every other pane whose name differs) and records it, unless it is
    // already the last pane recorded.
    void ShowPane(QWidget* frame);
    // The pane shown before the current one (the main pane while the history is shorter than two).
    QWidget* PreviousPane() const;
    const QList<QPointer<QWidget>>& paneHistory() const { return paneHistory_; }
    // The Back and Cancel buttons of the cost panes and the summary ("cmdCancel(0..2)"): previous pane,
    // standing information text.
    void returnToPreviousPane();
    // Writes text into the information line.
    void SetMainInfo(const QString& text);

    // Every pane, in the order the resize handler centres them.
    const QList<QWidget*>& panes() const { return panes_; }
    MainPane* pneMain() const { return pneMain_; }
    ProductionCostPane* pneInputCosts() const { return pneInputCosts_; }
    IrrigationCostPane* pneIrrigCosts() const { return pneIrrigCosts_; }
    ResultsPane* pneResults() const { return pneResults_; }
    DetailsPane* pneDetails() const { return pneDetails_; }
    SummaryPane* pneSummary() const { return pneSummary_; }
    CustomCropPane* pneCustomCrop() const { return pneCustomCrop_; }
    TrendSetupPane* trendSetupPane() const { return trendSetupPane_; }     // "pneBatchSetup(0)"
    TrendResultsPane* trendResultsPane() const { return trendResultsPane_; } // "pneBatchSetup(1)"

    // --- Crop rows --------------------------------------------------------------------------------
    // Row i shows library crop i + 1 of cropFiles->cropCollection.
    int cropRowCount() const;
    CropRow* cr(int i) const;
    // Rebuilds the rows from a fresh reading of the crop library (also after custom crops changed).
    void LoadCropRows();
    void InitializeCropFrame();

    // --- Main pane --------------------------------------------------------------------------------
    // Writes the gross volume label from the acreage and the gross inches.
    void getVolume();
    // The index 0..5 of the selected land-split preset, -1 when none is selected.
    int selectedPreset() const override;
    // Selects preset index 0..5 (other values select nothing).
    void selectPreset(int index) override;

    // --- Evaluation run ---------------------------------------------------------------------------
    // The inputs are complete enough for a run.
    bool ready();
    // One evaluation from the main pane's inputs; the ranked list, or an empty (unsized) list when the
    // search was cancelled or could not be carried out (the reason has been shown).
    std::shared_ptr<korvel::BestMix> RunScenario(const QString& strBatchMessage);
    // The run button. Does nothing while a search is in flight.
    void runEvaluation();
    bool searchRunning() const { return searchRunning_; }
    // The progress window of the search in flight, if any.
    ProgressWindow* progressWindow() const;

    // --- Inputs file ------------------------------------------------------------------------------
    // programFolder/inputs.txt: written by every run, read at load. Both are silent on failure.
    QString inputsFilePath() const;
    void saveInputs();
    void loadInputs();

    // What the inputs file reads and writes (the main pane's boxes, the irrigation costs and the
    // irrigation-cost pane's boxes, found there by objectName, the library and its rows, the trend switch).
    std::string mainText(MainBox box) const override;
    void setMainText(MainBox box, const std::string& text) override;
    korvel::IrrigationCosts& irrigationCosts() override;
    void setIrrigationText(IrrigationBox box, const std::string& text) override;
    std::shared_ptr<korvel::CropScenario> cropLibrary() const override;
    std::vector<std::shared_ptr<korvel::Crop>> cropRowCrops() const override;
    void refreshCropRows() override;
    bool batchEnabled() const override;
    void setBatchEnabled(bool on) override;

    // --- Trend switch -----------------------------------------------------------------------------
    void EnableBatch(bool b);
    void ShowBatchScreen();

    // --- Help -------------------------------------------------------------------------------------
    // The "?" buttons of every pane ("cmdHelp(index)"): a help topic, a pop-up text or nothing.
    void helpButtonClicked(int index, const QWidget* beside = nullptr);

    // --- Menus ------------------------------------------------------------------------------------
    QAction* mnuPrint = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuSummary = nullptr;
    QAction* mnuOptions = nullptr;
    QAction* mnuCustomCrop = nullptr;
    QAction* mnuEnableBatch = nullptr;
    QAction* mnuFallBatch = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAboutKVL = nullptr;

    void printShownReport();
    void exitProgram();
    void showOptions();
    void showHelpContents();
    void showAbout();
    void showSummary();
    void showCustomCrops();
    void toggleTrendProcessing();
    void startVariableTrend();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildHeader(QWidget* client);
    void centrePanes();
    void unloadSmallWindows();
    void openProductionCosts(const std::shared_ptr<korvel::Crop>& crop);
    std::filesystem::path folderPath() const;
    std::shared_ptr<korvel::BestMix> runSearch(const QString& strBatchMessage);
    void showRunError(const QString& text);

    QString programFolder_;
    korvel::SessionState& session_;
    bool loadStarted_ = false;
    bool searchRunning_ = false;
    bool closePending_ = false;
    int libraryCount_ = 0; // crops in the library, one row each

    QWidget* client_ = nullptr;
    QLabel* headerPicture_ = nullptr; // "Image2"
    QLabel* lblMainInfo_ = nullptr;
    QFrame* headerBand_ = nullptr;    // "shpGeneric(5)"

    MainPane* pneMain_ = nullptr;
    ProductionCostPane* pneInputCosts_ = nullptr;
    IrrigationCostPane* pneIrrigCosts_ = nullptr;
    ResultsPane* pneResults_ = nullptr;
    DetailsPane* pneDetails_ = nullptr;
    SummaryPane* pneSummary_ = nullptr;
    CustomCropPane* pneCustomCrop_ = nullptr;
    TrendSetupPane* trendSetupPane_ = nullptr;
    TrendResultsPane* trendResultsPane_ = nullptr;
    QList<QWidget*> panes_; // in the order the resize handler centres them
    QList<QPointer<QWidget>> paneHistory_;

    QPointer<ProgressWindow> progress_;
    std::unique_ptr<ResultPrinter> thePrinter_;
};

} // namespace korvel::ui
