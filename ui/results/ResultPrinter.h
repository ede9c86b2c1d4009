#pragma once
// The report printer (the main window's thePrinter). It prints two reports on the system printer:
// - the results report: a header with the date, the disclaimers, the inputs of the run, and the best options
//   handed over by setCollection (at most five, ending before the first whose net return is not positive),
//   each a table of its fields with the option's net return; the inputs are those the options were computed
//   with, read from the inputs source when the options are handed over;
// - the details report: the information, totals and cost groups of the field handed over by setField.
//
// Both go through one frame: the print dialog (through the dialog service), then one document per copy
// chosen. Any failure while printing, a cancelled print dialog included, ends printing silently; a
// document that a failure interrupted is discarded by the print surface. Every figure comes from the
// model; only the formatting is done here.
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/SessionState.h"

class QPrinter;
class QWidget;

namespace korvel {
class Field;
class FieldCollection;
} // namespace korvel

namespace korvel::ui {

class PrintSurface;

class ResultPrinter {
public:
    // What the results report shows of the run that computed its options, read when they are handed over.
    struct MainInputs {
        QString txtArea;    // total acres, as typed
        QString txtEff;     // irrigation efficiency in percent, as typed
        QString txtAnnRain; // annual rainfall, as shown
        QString txtMax;     // seasonal irrigation amount in inches, as typed
        QString crops;      // the crops of the last evaluation, joined with ", "
    };
    using InputsSource = std::function<MainInputs()>;
    // Makes the surface a print routine prints on, for the printer the print dialog was shown with.
    using SurfaceFactory = std::function<std::unique_ptr<PrintSurface>(QPrinter&)>;
    using Clock = std::function<QDateTime()>;

    // The column positions of the results report, in twips from the left margin.
    static constexpr std::array<int, 7> kResultColumns{0, 1300, 2600, 3900, 5200, 7300, 9000};

    // session: the shared state the figures need (each field computes at its own efficiency, see Field).
    // inputs: the main pane's texts and the crops of the last run. dialogParent: the print dialog's owner.
    ResultPrinter(const korvel::SessionState& session, InputsSource inputs, QWidget* dialogParent = nullptr);
    ~ResultPrinter();
    ResultPrinter(const ResultPrinter&) = delete;
    ResultPrinter& operator=(const ResultPrinter&) = delete;

    // The options of the results report, in rank order: the objects themselves, replacing the previous list,
    // with the inputs they were computed with, read from the inputs source now.
    void setCollection(const std::vector<std::shared_ptr<korvel::FieldCollection>>& c);
    const std::vector<std::shared_ptr<korvel::FieldCollection>>& printOptions() const { return printOptions_; }
    // The results report.
    void printResults();

    // The field of the details report: a copy of c.
    void setField(const korvel::Field& c);
    // The printer's own copy of the field (an empty field until setField).
    korvel::Field& printField();
    // The details report.
    void printDetails();

    // Where the reports print: by default a QtPrintSurface on the printer chosen in the print dialog.
    void setSurfaceFactory(SurfaceFactory factory);
    // The date and time printed in the headers (by default the current local time).
    void setClock(Clock clock);

    // "m/d/yyyy h:mm AM/PM", e.g. "3/7/2025 2:05 PM".
    static QString dateText(const QDateTime& when);

private:
    void printFrame(const std::function<void(PrintSurface&)>& layout);
    // A print that could not be completed says so, with the reason when there is one.
    void printFailed(const QString& reason);
    // The date and time a copy is printed at, as the headers show it.
    QString printTime() const;

    // The results report and its blocks.
    void layoutResults(PrintSurface& p);
    void printResultsHeader(PrintSurface& p);
    void printMainInputs(PrintSurface& p);
    void printOption(PrintSurface& p, korvel::FieldCollection& option, int n);

    // The details report and its blocks. standDivisor: the years a forage crop's stand costs are spread
    // over (1 for every other crop); marker: "*" before the values so spread.
    void layoutDetails(PrintSurface& p, bool forage, double standDivisor);
    void printDetailsHeader(PrintSurface& p);
    void printFieldInformation(PrintSurface& p);
    void printFieldTotals(PrintSurface& p, bool forage, double standDivisor);
    void printGeneralInputCosts(PrintSurface& p, double standDivisor, const QString& marker);
    void printOperationCosts(PrintSurface& p, double standDivisor, const QString& marker);
    void printIrrigationCostInformation(PrintSurface& p);

    const korvel::SessionState& session_;
    InputsSource inputs_;
    QPointer<QWidget> dialogParent_;
    SurfaceFactory surfaceFactory_;
    Clock clock_;

    std::vector<std::shared_ptr<korvel::FieldCollection>> printOptions_;
    std::optional<MainInputs> printInputs_; // the inputs of printOptions_ (read at print time before any)
    std::shared_ptr<korvel::Field> printField_;
    std::unique_ptr<QPrinter> printer_; // the print dialog's printer, kept with its choices between prints
    int lastCopies_ = 1;                // the copies the print dialog offers next
};

} // namespace korvel::ui
