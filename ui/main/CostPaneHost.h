#pragma once
// What the two cost panes need of the main window: its state (the crop being edited, the irrigation costs),
// the main pane's acreage, the pane navigation, the leave-the-box check and the help buttons.
#include <QString>
#include <memory>

#include "model/Crop.h"
#include "model/IrrigationCosts.h"

class QLineEdit;
class QWidget;

namespace korvel::ui {

class CostPaneHost {
public:
    virtual ~CostPaneHost() = default;

    // activeCrop: the crop whose production costs are on the production-cost pane; null while there is none.
    virtual std::shared_ptr<Crop>& activeCrop() = 0;
    // tempIrrigationCosts, the irrigation costs every evaluation uses (created on first use).
    virtual IrrigationCosts& irrigationCosts() = 0;
    // The text of the main pane's acreage box txtArea.
    virtual QString areaText() const = 0;

    // Shows a pane and records it in the pane history.
    virtual void showPane(QWidget* pane) = 0;
    // Shows the main pane and puts the standing text back on the information line.
    virtual void showMainPane() = 0;
    // The Back and Cancel buttons: the pane shown before the current one, and the standing information text.
    virtual void showPreviousPane() = 0;
    // The whole main window, every pane of it (the "0" texts are blanked there).
    virtual QWidget* mainWindow() = 0;

    // The check run when a numeric box is left: its limit (inclusive) and the label naming it in the message.
    virtual void testInput(QLineEdit* box, double limit, const QString& label) = 0;
    // A help button cmdHelp(index) was pressed.
    virtual void showHelp(int index) = 0;
};

} // namespace korvel::ui
