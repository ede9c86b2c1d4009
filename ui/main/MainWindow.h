#pragma once
// The main window: the coordinator of the program. It holds the application state (WindowState.h), shows
// one full-size pane at a time, keyboard and all, with a pane history for the Back buttons, carries the menus, and runs
// an evaluation from the main pane. Its panes reach it through PaneHost (PaneHost.h); the panes of the layers above it
// (results, trend) are created by the factories of UpperPanes (UpperPanes.h) and reached through their hooks.
//
// Panes (objectNames): "pneMain", "pneInputCosts", "pneIrrigCosts", "pneResults", "pneDetails",
// "pneSummary", "pneCustomCrop", "pneBatchSetup(0)" (trend setup), "pneBatchSetup(1)" (trend results).
// Menu items (QAction objectNames): "mnuPrint", "mnuExit", "mnuSummary", "mnuOptions", "mnuCustomCrop",
// "mnuEnableBatch", "mnuFallBatch", "mnuHelp", "mnuAboutKVL"; the menus "mnuFile(0)", "mnuLocation",
// "mnuTools(1)" ("Edit"), "mnuTools(2)" ("Tools"), "mnuAbout" ("Help").
// Header: "Image2", "lblMainInfo", the band "shpGeneric(5)".
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "model/InputsTarget.h"
#include "model/SessionState.h"
#include "ui/main/PaneHost.h"
#include "ui/main/UpperPanes.h"
#include "ui/main/WindowState.h"

namespace korvel {
class BestMix;
class Crop;
class CropScenario;
class IrrigationCosts;
} // namespace korvel

class QAction;
class QFrame;
class QLabel;

namespace korvel::ui {

class CropRow;
class CustomCropPane;
class IrrigationCostPane;
class MainPane;
class ProductionCostPane;
class SummaryPane;
class ProgressWindow;

class MainWindow : public QMainWindow, public korvel::InputsTarget, public PaneHost, private PaneRegistry {
    Q_OBJECT
public:
    // folders: the shipped crop library ("crops", "crops/soils") and the user's "inputs.txt" and "crops/custom".
    // The window is built as designed, with the panes of the layers above it that `upper` creates;
    // load() (run by the first show, or explicitly) loads it.
    MainWindow(ProgramFolders folders, korvel::SessionState& session, const UpperPanes& upper = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- Application state ------------------------------------------------------------------------
    WindowState& state() override { return state_; }
    korvel::SessionState& session() const override { return session_; }
    const ProgramFolders& folders() const override { return folders_; }
    QWidget* hostWindow() override { return this; }

    // --- Load -------------------------------------------------------------------------------------
    // Shows the main pane, reads the crop library and the inputs file, sets the trend switch and the
    // start-up values. Runs once; later calls do nothing.
    void load();

    // --- Panes ------------------------------------------------------------------------------------
    // Makes frame the only pane shown and records it, unless it is already the last pane recorded. The focus
    // goes to the pane's first control (ReadingOrder.h: firstFocusable) when the pane changes, or when it was
    // not on the pane.
    void ShowPane(QWidget* frame) override;
    // The pane shown before the current one (the main pane while the history is shorter than two).
    QWidget* PreviousPane() const override;
    const QList<QPointer<QWidget>>& paneHistory() const { return paneHistory_; }
    // The Back and Cancel buttons of the cost panes and the summary ("cmdCancel(0..2)"): previous pane, under
    // the information text it had when it was left (the standing text for the window's own panes).
    void returnToPreviousPane() override;
    // Writes text into the information line.
    void SetMainInfo(const QString& text) override;
    void setPrintEnabled(bool on) override;

    // Every pane, in the order they were added.
    const QList<QWidget*>& panes() const { return panes_; }
    MainPane* pneMain() const override { return pneMain_; }
    ProductionCostPane* pneInputCosts() const { return pneInputCosts_; }
    IrrigationCostPane* pneIrrigCosts() const { return pneIrrigCosts_; }
    SummaryPane* pneSummary() const { return pneSummary_; }
    CustomCropPane* pneCustomCrop() const { return pneCustomCrop_; }

    // --- Crop rows --------------------------------------------------------------------------------
    // Row i shows library crop i + 1 of cropFiles->cropCollection.
    int cropRowCount() const override;
    CropRow* cr(int i) const override;
    // Rebuilds the rows from a fresh reading of the crop library (also after custom crops changed).
    void LoadCropRows() override;
    void LoadCropRows(const RenamedCrop& renamed) override;
    std::shared_ptr<korvel::CropScenario> cropLibrary() const override;
    // Selects preset index 0..5 (other values select nothing).
    void selectPreset(int index) override;

    // --- Evaluation run ---------------------------------------------------------------------------
    // The inputs are complete enough for a run.
    bool ready() override;
    // One evaluation from the main pane's inputs; the ranked list, or an empty (unsized) list when the
    // search was cancelled or could not be carried out (the reason has been shown).
    std::shared_ptr<korvel::BestMix> RunScenario(const QString& strBatchMessage) override;
    // The run button. Does nothing while a search is in flight.
    void runEvaluation() override;
    void beginTrendSteps(int steps) override;
    void endTrendSteps() override;
    bool searchRunning() const { return searchRunning_; }
    // The progress window of the search in flight, if any.
    ProgressWindow* progressWindow() const;
    // The points of a run at which an observer of the window can hold it: the search is about to start (the
    // run's inputs are read), and the search has ended (the single-crop plans come next). The observer runs on the
    // window's thread with the run held there, so what it does happens at that point of the run.
    enum class RunPoint { SearchBegins, SearchEnded };
    void setRunPointObserver(std::function<void(RunPoint)> observer) { runPointObserver_ = std::move(observer); }

    // --- Inputs file ------------------------------------------------------------------------------
    // <user folder>/inputs.txt: written by every run, read at load. Both are silent on failure.
    QString inputsFilePath() const;
    void saveInputs() override;
    void loadInputs() override;
    korvel::IrrigationCosts& irrigationCosts() override;

    // --- Trend switch -----------------------------------------------------------------------------
    void EnableBatch(bool b);
    void ShowBatchScreen() override;

    // --- Help -------------------------------------------------------------------------------------
    // The "?" buttons of every pane ("cmdHelp(index)"): a help topic, a pop-up text or nothing.
    void helpButtonClicked(int index, const QWidget* beside = nullptr) override;

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

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the inputs file reads and writes (the main pane's boxes, the irrigation costs and the
    // irrigation-cost pane's boxes, found there by objectName, the library and its rows, the trend switch).
    std::string mainText(MainBox box) const override;
    void setMainText(MainBox box, const std::string& text) override;
    void setIrrigationText(IrrigationBox box, const std::string& text) override;
    std::vector<std::shared_ptr<korvel::Crop>> cropRowCrops() const override;
    void refreshCropRows() override;
    bool batchEnabled() const override;
    void setBatchEnabled(bool on) override;
    // The index 0..5 of the selected land-split preset, -1 when none is selected.
    int selectedPreset() const override;

    // What the factories of the upper panes use.
    PaneHost& host() override { return *this; }
    QWidget* paneParent() const override { return client_; }
    void addPane(QWidget* pane, bool grows) override;
    ResultsHooks& resultsHooks() override { return resultsHooks_; }
    TrendHooks& trendHooks() override { return trendHooks_; }

    // The menus' handlers.
    void printShownReport();
    void exitProgram();
    void showOptions();
    void showHelpContents();
    void showAbout();
    void showSummary();
    void showCustomCrops();
    void toggleTrendProcessing();
    void startVariableTrend();

    void buildMenus();
    void buildHeader(QWidget* client);
    void fitPanes();
    void centrePanes();
    void unloadSmallWindows();
    // Every input a variable trend wrote gets the user's own value back (through the trend hook).
    void giveBackTrendInputs();
    void InitializeCropFrame();
    void openProductionCosts(const std::shared_ptr<korvel::Crop>& crop);
    std::filesystem::path dataPath() const;
    std::filesystem::path userPath() const;
    std::shared_ptr<korvel::BestMix> runSearch(const QString& strBatchMessage);
    // A fresh progress window, titled and shown, in place of the last one.
    void openProgressWindow();
    void showRunError(const QString& text);

    ProgramFolders folders_;
    korvel::SessionState& session_;
    WindowState state_;
    ResultsHooks resultsHooks_;
    TrendHooks trendHooks_;
    std::function<void(RunPoint)> runPointObserver_;
    bool loadStarted_ = false;
    bool searchRunning_ = false;
    bool closePending_ = false;
    int trendSteps_ = 0;   // the steps of the variable trend under way (0: none)
    int trendStep_ = 0;    // the next of them
    int libraryCount_ = 0; // crops in the library, one row each
    // Crop files the last notice said the library left out (the notice comes again only when that changes).
    std::size_t filesLeftOutShown_ = 0;
    // Says once, naming how many, that the crop library's limit left crop files out.
    void noticeCropsLeftOut(std::size_t leftOut);
    // The user's folder has been checked (or the start-up message said it cannot be used).
    bool userFolderChecked_ = false;
    // At the first reading of the library, unless said at start-up: says once that the user's folder cannot
    // be used, with customFolderProblem or else the folder's own check as the reason.
    void noticeUserFolderProblem(const std::string& customFolderProblem);

    QWidget* client_ = nullptr;
    QLabel* headerPicture_ = nullptr; // "Image2"
    QLabel* lblMainInfo_ = nullptr;
    QFrame* headerBand_ = nullptr; // "shpGeneric(5)"

    MainPane* pneMain_ = nullptr;
    ProductionCostPane* pneInputCosts_ = nullptr;
    IrrigationCostPane* pneIrrigCosts_ = nullptr;
    SummaryPane* pneSummary_ = nullptr;
    CustomCropPane* pneCustomCrop_ = nullptr;
    QList<QWidget*> panes_; // in the order they were added
    QList<QPointer<QWidget>> paneHistory_;
    QHash<const QWidget*, QString> infoOfPane_; // the information text each pane stood under when last left

    QPointer<ProgressWindow> progress_;
};

} // namespace korvel::ui
