#pragma once
// What a pane asks of the window that holds it: showing panes with their history, the information line, the
// shared state, the crop rows, the evaluation run and the inputs file. The main window implements it; the
// panes of every layer hold a PaneHost&, never the window itself.
#include <QString>
#include <memory>
#include <string>

#include "model/SessionState.h"
#include "ui/main/WindowState.h"
#include "ui/platform/ProgramFolders.h"

class QWidget;

namespace korvel {
class BestMix;
class IrrigationCosts;
} // namespace korvel

namespace korvel::ui {

class CropRow;
class MainPane;

// A custom crop saved under a new name into the file it was loaded from: the nth custom crop (from 0) named from
// is now named to.
struct RenamedCrop {
    std::string from;
    std::string to;
    int nth = 0;
};

class PaneHost {
public:
    virtual ~PaneHost() = default;

    // The window itself: the parent of message boxes and progress windows.
    virtual QWidget* hostWindow() = 0;
    virtual korvel::SessionState& session() const = 0;
    virtual WindowState& state() = 0;
    // The shipped data ("crops", "crops/soils", the help) and the user's folder ("inputs.txt", "crops/custom").
    virtual const ProgramFolders& folders() const = 0;

    // --- Panes ---
    // Makes frame the only pane shown, with the focus on its first control, and records it.
    virtual void ShowPane(QWidget* frame) = 0;
    // The pane shown before the current one (the main pane while the history is shorter than two).
    virtual QWidget* PreviousPane() const = 0;
    // The Back and Cancel buttons: previous pane, under the information text it had when it was left.
    virtual void returnToPreviousPane() = 0;
    // Writes text into the information line.
    virtual void SetMainInfo(const QString& text) = 0;
    virtual MainPane* pneMain() const = 0;
    // The File menu's Print item.
    virtual void setPrintEnabled(bool on) = 0;
    // The trend setup for the session's option (a fixed trend when it has fields, else a variable trend).
    virtual void ShowBatchScreen() = 0;
    // The "?" buttons of every pane ("cmdHelp(index)"); a pop-up text opens beside the widget `beside`.
    virtual void helpButtonClicked(int index, const QWidget* beside = nullptr) = 0;

    // --- Crop rows: row i shows library crop i + 1 ---
    virtual int cropRowCount() const = 0;
    virtual CropRow* cr(int i) const = 0;
    // Rebuilds the rows from a fresh reading of the crop library.
    virtual void LoadCropRows() = 0;
    // The same after a custom crop was renamed in place (saved into its own file under a new name): the row of
    // that crop keeps what was typed into it, under the new name.
    virtual void LoadCropRows(const RenamedCrop& renamed) = 0;

    // --- Evaluation run and inputs file ---
    // The inputs are complete enough for a run.
    virtual bool ready() = 0;
    // One evaluation from the main pane's inputs (see MainWindow::RunScenario).
    virtual std::shared_ptr<korvel::BestMix> RunScenario(const QString& strBatchMessage) = 0;
    // The run button.
    virtual void runEvaluation() = 0;
    // The evaluations from beginTrendSteps(steps) to endTrendSteps() are the `steps` steps of one variable trend:
    // they share one progress window, shown from the first step to the end of the trend, whose bar advances step
    // by step, and a Cancel pressed at any moment of the trend stops the step under way or the next one.
    virtual void beginTrendSteps(int steps) = 0;
    virtual void endTrendSteps() = 0;
    virtual void saveInputs() = 0;
    virtual void loadInputs() = 0;
    // The irrigation costs every run uses (created when missing).
    virtual korvel::IrrigationCosts& irrigationCosts() = 0;

protected:
    PaneHost() = default;
    PaneHost(const PaneHost&) = default;
    PaneHost& operator=(const PaneHost&) = default;
};

} // namespace korvel::ui
