#pragma once
// The spreadsheet exports of trend results: HTML documents that declare the Excel namespace and name their
// worksheet after the day of the export, so that Microsoft Excel opens them as a worksheet.
//   - the fixed-trend export: the net return per acre of every recomputed option over the values of the
//     trend's one or two processes, then one table per field of the trended option;
//   - the variable-trend export: four tables, the best to fourth-best option of every step.
// Each asks for a file name in a save dialog, writes the whole file at once (through a temporary file
// beside it, so a failed export leaves an earlier file as it was), reports completion and offers to open it.
// Every text from elsewhere (crop names, units, trend captions, the efficiency box) is written with &, < and >
// as entities, so it shows as typed.
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/BatchProcess.h"
#include "model/TrendVariables.h"

class QWidget;

namespace korvel {
class BestMix;
class FieldCollection;
struct SessionState;
class TrendGrid;
} // namespace korvel

namespace korvel::ui {

class TrendResultsView;
class TrendPanes;

namespace SpreadsheetExport {

// n as decimal text with its English ordinal suffix: 1st, 2nd, 3rd, 4th, ..., 11th, 12th, 13th, 21st.
QString OrdinalSuffix(int n);

// Some process varies variable v (and, for ids 0 to 2, the crop of row c).
bool CheckVariable(const std::vector<korvel::BatchProcess>& processes, int v, int c);

// The 19 head lines, the worksheet named after date.
QStringList headLines(const QDate& date);

// What the fixed-trend body reads.
struct FixedTrendData {
    const korvel::TrendGrid* grid = nullptr;
    const korvel::FieldCollection* selected = nullptr;
    const std::vector<korvel::BatchProcess>* processes = nullptr;
    std::function<int(const std::string&)> cropIndex; // GetCropIndex
    const korvel::SessionState* session = nullptr;
};
// The body lines; throws a KorvelError when a value cannot be computed (an empty option or grid, an
// efficiency of 0, a field of 0 acres). Gross water, irrigation costs and the efficiency shown are each
// field's own, at the efficiency the option was computed with.
QStringList fixedTrendBody(const FixedTrendData& data);

// What the variable-trend body reads.
struct VariableTrendData {
    const std::vector<std::shared_ptr<korvel::BestMix>>* steps = nullptr;
    korvel::TrendUnits units;                // of the process's variable and crop
    korvel::SessionState* session = nullptr; // TrendValues, TrendVariableName, TrendCropName
};
// The body lines. A step with fewer real options than a table's rank gets a row without fields and an
// empty net return there.
QStringList variableTrendBody(const VariableTrendData& data);

// The buttons: the save dialog (its file name kept in lastName), the file, the completion box and the offer
// to open it, or the "File Error" box.
void exportFixedTrend(TrendPanes& panes, QWidget* parent, QString& lastName);
void exportVariableTrend(TrendPanes& panes, TrendResultsView& view, QString& lastName);

} // namespace SpreadsheetExport

} // namespace korvel::ui
