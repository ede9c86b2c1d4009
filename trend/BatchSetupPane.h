#pragma once
// The trend panes: element 0 is the trend setup, element 1 the trend results view (theBatchResults).
#include <QFrame>

class QComboBox;

namespace korvel::ui {

class MainWindow;

class BatchSetupPane : public QFrame {
    Q_OBJECT
public:
    // False while the panes are empty frames.
    static constexpr bool kBuilt = false;

    // index 0: the setup pane "pneBatchSetup(0)"; index 1: the trend results pane "pneBatchSetup(1)".
    BatchSetupPane(MainWindow& main, int index, QWidget* parent = nullptr);
    int index() const { return index_; }

    // Element 0: the crop list of the trend processes ("cboCrops") and the steps list ("cboBatchSteps").
    QComboBox* cboCrops = nullptr;
    QComboBox* cboBatchSteps = nullptr;

    // Element 1: theBatchResults.EnableBatch.
    void EnableBatch(bool yesno);

private:
    MainWindow& main_;
    int index_;
};

} // namespace korvel::ui
