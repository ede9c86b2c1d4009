#pragma once
// The summary of saved options: one grid column per field of every saved option, one row per figure, each
// option in its own colour. A click on an option's column removes it after a question; the table can be
// saved as comma-separated text (a spreadsheet reads every cell back whole).
#include <functional>

#include <QWidget>

#include "model/SessionState.h"
#include "ui/main/WindowState.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace korvel::ui {

// A cell as the comma-separated export writes it: a text holding a comma, a double quote or a line break is
// put in double quotes, with every double quote inside doubled; any other text stays as it is.
QString csvCell(const QString& text);

class SummaryTable : public QWidget {
    Q_OBJECT
public:
    // What the table asks of the window that holds it.
    struct Hooks {
        std::function<void()> showPane; // shows the summary pane (and records it in the history)
        std::function<void()> back;     // the Back button
    };

    // summaryResults: the main window's saved options, in the order they were saved.
    SummaryTable(const SessionState& session, OptionList& summaryResults, QWidget* parent = nullptr);

    Hooks hooks;

    // Builds the table from the saved options and shows the pane.
    void showSummary();
    // A click on the grid: asks, then removes the option whose column is current.
    void removeClickedOption();
    // Saves the grid as comma-separated text where the user chooses.
    void exportCsv();

    static constexpr int kRows = 12;
    static constexpr int kColumnWidthTwips = 1500; // the caption column and every field column

private:
    void fillTable();
    void startTable(const QColor& fixed);
    void addFieldColumn(int c, const QString& header, const QStringList& figures, const QColor& colour,
                        const QColor& fixed);
    void setCell(int row, int column, const QString& text);

    const SessionState& session_;
    OptionList& summaryResults_;
    QLabel* titleLabel; // "Label57(1)"
    QLabel* savedNote;  // "Label59(1)", whether any option is saved
    QTableWidget* fgsummary;
    QPushButton* cmdExcelSave;
    QPushButton* cmdCancel;
};

} // namespace korvel::ui
