#pragma once
// The option browser: the ranked allocations of an evaluation, one option at a time, as up to four field
// rows, the option's net return per acre and, for options of a fixed trend, one line per trend variable.
// From here the user pages through the options, opens a field's cost details, saves the shown option for
// the summary table, starts a fixed trend on it, prints the results report and goes back.
#include <functional>
#include <memory>
#include <vector>

#include <QList>
#include <QWidget>

#include "model/FieldCollection.h"
#include "model/SessionState.h"
#include "ui/main/WindowState.h"

class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace korvel::ui {

class FieldRow;

class OptionBrowser : public QWidget {
    Q_OBJECT
public:
    using Option = korvel::FieldCollection;

    // What the browser asks of the window that holds it. Unset hooks do nothing. The help hooks start on the program's
    // help.
    struct Hooks {
        std::function<void(const std::shared_ptr<Field>&)> showDetails; // show the details pane with this field
        std::function<void()> showMainPane;        // Back outside a trend: the main pane and its information line
        std::function<void()> showTrendSetup;      // Back during a trend: the trend setup pane
        std::function<void(bool)> setPrintEnabled; // the File menu's Print item
        std::function<void()> printResults;        // the results report
        std::function<void(const std::shared_ptr<Option>&)> runFixedTrend; // trend setup for this option
        std::function<void()> exportTrendResults;                          // the spreadsheet export of a fixed trend
        std::function<void(const QString& topic)> showHelp;
        std::function<void(const QString& text, const QString& title, int height, const QWidget* beside)>
            showHelpScreen;
    };

    // summaryResults: the main window's saved options, to which "Compare this option" appends.
    OptionBrowser(const SessionState& session, OptionList& summaryResults, QWidget* parent = nullptr);

    Hooks hooks;

    // The options of the list last loaded, in rank order (position 1 first); the objects given, not copies.
    OptionList FieldCollection;
    // Position of the shown option, from 1; 0 after loadResults until the first option is shown.
    int currentRecord = 0;

    // Loads a ranked list and shows its first option.
    void loadResults(const OptionList& c);
    // Shows the trend frame while trend processing is on.
    void EnableBatch(bool yesno);
    // Shows the trend-variable lines.
    void ShowBatchedVariables(bool d);
    // Moves to the next (+1) or previous (-1) option and shows it; never before the first option nor past
    // the last one that has fields. (Capitalised because "switch" is a C++ keyword.)
    void Switch(int d);
    int getOption() const { return currentRecord; }
    // Pages forward to the option at 1-based position (as far as the list goes), counter included.
    void showOptionAt(int position);
    // The net return of the option at 1-based position c; throws IndexError outside the list.
    double getTotalProfit(int c);
    // The option on screen, or nothing while none is shown.
    std::shared_ptr<Option> shownOption() const;

    // The browser's controls in the order Tab visits them: the field rows' details buttons, the option
    // counter's buttons, the buttons' row and the trend controls.
    QList<QWidget*> controlsInReadingOrder() const;

private:
    // The builders, one per row of the browser and one per trend frame.
    QWidget* buildColumnHeadings();
    void buildFieldRows(QVBoxLayout* layout);
    QHBoxLayout* buildNetReturnRow();
    QHBoxLayout* buildCounterRow();
    QHBoxLayout* buildButtons();
    QFrame* buildTrendFrame();
    QFrame* buildTrendVariablesPanel();

    void showNextOption();
    void showPreviousOption();
    void saveShownOption();
    void runFixedTrendOnShownOption();
    void goBack();
    void printResults();
    void HideHolders();
    void updateOptionButtons();

    const SessionState& session_;
    OptionList& summaryResults_;
    int optionCount = 0; // options with at least one field; they come before the placeholders

    FieldRow* rh[4];
    QLabel* lblTotalProfit;
    QLabel* lblCounter;
    QPushButton* cmdPrevious;
    QPushButton* cmdAdvance;
    QPushButton* cmdSaveResult;
    QPushButton* backButton;  // "Command1"
    QPushButton* printButton; // "Command2"
    QFrame* batchDisplay;
    QPushButton* cmdBatchThis;
    QFrame* pnlBatchedVariables;
    QLabel* lblBatchDescriptions[2];
    QPushButton* cmdExcel;
};

} // namespace korvel::ui
