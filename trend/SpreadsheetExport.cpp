#include "trend/SpreadsheetExport.h"

#include <QLocale>
#include <stdexcept>

#include "model/BestMix.h"
#include "model/Errors.h"
#include "model/FieldCollection.h"
#include "model/FixedTrend.h"
#include "model/Numbers.h"
#include "model/TrendGrid.h"
#include "trend/TrendPanes.h"
#include "trend/TrendResultsView.h"
#include "trend/TrendSetupPane.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/PaneHost.h"
#include "ui/main/ViewText.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/SaveFile.h"

namespace korvel::ui::SpreadsheetExport {

namespace {

// A text as it goes into the document: &, < and > become entities, so a name holding them shows as typed and
// cannot break the markup. (The figures are written by our own patterns and never hold them.)
QString html(QString text)
{
    text.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return text;
}

QString htmlText(const std::string& s)
{
    return html(qtext(s));
}

double divided(double a, double b, const char* what)
{
    return num::checkedFinite(a / b, what);
}

const QString kShade = QStringLiteral("#cccccc");

// The efficiency the field was computed with, in percent, as plain decimal text.
QString percent(const korvel::Field& field, const korvel::SessionState& s)
{
    return plain(field.efficiency(s) * 100);
}

double acresOf(const korvel::FieldCollection& option)
{
    double acres = 0;
    for (const auto& field : option)
        acres = acres + field->acres;
    return acres;
}

// A failure of the export, with the number and description its message shows.
struct ExportFailure {
    int number;
    QString description;
};

ExportFailure failureOf(const std::exception& e)
{
    if (dynamic_cast<const korvel::NonFiniteResult*>(&e))
        return {11, QStringLiteral("Division by zero (%1)").arg(QString::fromUtf8(e.what()))};
    if (dynamic_cast<const korvel::TypeMismatch*>(&e))
        return {13, QStringLiteral("Type mismatch (%1)").arg(QString::fromUtf8(e.what()))};
    if (dynamic_cast<const korvel::IndexError*>(&e) || dynamic_cast<const std::out_of_range*>(&e))
        return {9, QStringLiteral("Subscript out of range (%1)").arg(QString::fromUtf8(e.what()))};
    return {5, QStringLiteral("Invalid procedure call or argument (%1)").arg(QString::fromUtf8(e.what()))};
}

const QString kExcelFilter = QStringLiteral("Microsoft Excel (*.xls) | *.xls");

// The frame of both exports. body builds the body lines; fixedTrendText chooses the error text.
void exportWith(QWidget* parent, QString& lastName, const std::function<QStringList()>& body, bool fixedTrendText)
{
    FileRequest request;
    request.startFolder = QStringLiteral("c:\\");
    request.filter = kExcelFilter;
    request.defaultName = lastName;
    const std::optional<QString> chosen = DialogService::instance().saveFile(parent, request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString& fileName = *chosen;
    lastName = fileName;

    const auto fail = [&](const ExportFailure& f) {
        QString text = QStringLiteral("The file '") + fileName +
                       QStringLiteral("' is either currently open by another program or is unaccessible at the "
                                      "moment.\nPlease check the file and try again");
        if (fixedTrendText)
            text += QStringLiteral(".  Error #") + QString::number(f.number) + QStringLiteral(" -> ") + f.description;
        showMessage(parent, text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("File Error"));
    };

    // The whole document is built first: a value that cannot be computed leaves no file behind.
    QStringList lines;
    try {
        lines = headLines(QDate::currentDate());
        lines += body();
        lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    } catch (const std::exception& e) {
        fail(failureOf(e));
        return;
    }

    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    QString reason;
    if (!saveFile(fileName, bytes, &reason)) {
        fail({75, QStringLiteral("Path/File access error (%1)").arg(reason)});
        return;
    }

    const MsgAnswer answer =
        showMessage(parent,
                    QStringLiteral("The Microsoft Excel worksheet '") + fileName +
                        QStringLiteral("' has been created successfully!\nDo you want to open this file now?"),
                    MsgButtons::YesNo, MsgIcon::Information, QStringLiteral("Export Complete"));
    if (answer == MsgAnswer::Yes)
        HelpTopics::OpenFile(fileName, parent);
}

} // namespace

QString OrdinalSuffix(int n)
{
    const int lastTwo = std::abs(n) % 100;
    const int last = std::abs(n) % 10;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        if (last == 1)
            suffix = "st";
        else if (last == 2)
            suffix = "nd";
        else if (last == 3)
            suffix = "rd";
    }
    return QString::number(n) + QString::fromLatin1(suffix);
}

bool CheckVariable(const std::vector<korvel::BatchProcess>& processes, int v, int c)
{
    for (const korvel::BatchProcess& p : processes) {
        if (p.VariableIndex != v)
            continue;
        if (!korvel::TrendVariables::appliesToOneCrop(v) || p.cropIndex == c)
            return true;
    }
    return false;
}

QStringList headLines(const QDate& date)
{
    return {
        QStringLiteral("<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\">"),
        QStringLiteral("<head>"),
        QStringLiteral("<!--[if gte mso 9]><xml>"),
        QStringLiteral("<x:ExcelWorkbook>"),
        QStringLiteral("<x:ExcelWorksheets>"),
        QStringLiteral("<x:ExcelWorksheet>"),
        QStringLiteral("<x:Name>Generated on ") +
            QLocale(QLocale::English, QLocale::UnitedStates).toString(date, QStringLiteral("MMM d, yyyy")) +
            QStringLiteral("</x:Name>"),
        QStringLiteral("<x:WorksheetOptions>"),
        QStringLiteral("<x:Print>"),
        QStringLiteral("<x:ValidPrinterInfo/>"),
        QStringLiteral("</x:Print>"),
        QStringLiteral("</x:WorksheetOptions>"),
        QStringLiteral("</x:ExcelWorksheet>"),
        QStringLiteral("</x:ExcelWorksheets>"),
        QStringLiteral("</x:ExcelWorkbook>"),
        QStringLiteral("</xml>"),
        QStringLiteral("<![endif]--> "),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
    };
}

namespace {

// A figure per acre as the exports write it: total over acres in the digit pattern, then " /ac".
QString perAcre(double total, double acres, const char* what, const char* digits)
{
    return pattern(divided(total, acres, what), digits) + QStringLiteral(" /ac");
}

// A line of a field table: its caption and its value.
QString fieldLine(const QString& caption, const QString& value)
{
    return QStringLiteral("<tr><td>") + caption + QStringLiteral("</td><td>") + value + QStringLiteral("</td></tr>");
}

// The caption of the option's k-th trend variable: its name and units.
QString variableCaption(const korvel::FieldCollection& option, std::size_t k)
{
    const auto& units = option.theUnits.at(k);
    return htmlText(option.theVariable.at(k)) + QStringLiteral(" (") + htmlText(units[0]) + htmlText(units[1]) +
           QStringLiteral(")");
}

// The head of the net-return table: the caption of each trend variable and its values, the second
// variable's (of two) across the top, the first's down the side.
QStringList trendValueHeadings(const korvel::TrendGrid& G)
{
    QStringList out;
    if (G.dimensions() > 1) {
        out << QStringLiteral("<tr><td></td><td align='center' bgcolor='") + kShade + QStringLiteral("'><b>") +
                   variableCaption(*G.at(0, 0), 1) + QStringLiteral("</b></td></tr>");
        out << QStringLiteral("<tr><td bgcolor='") + kShade + QStringLiteral("'><b>") +
                   variableCaption(*G.at(0, 0), 0) + QStringLiteral("</b></td><td><table bgcolor='") + kShade +
                   QStringLiteral("' border=1>");
        for (std::size_t j = 0; j < G.columns(); ++j)
            out << QStringLiteral("<td>") + pattern(G.at(0, j)->theValue.at(1), "###,##0.00") + QStringLiteral("</td>");
        out << QStringLiteral("</table></td></tr>");
    } else {
        out << QStringLiteral("<tr><td bgcolor='") + kShade + QStringLiteral("'><b>") + variableCaption(*G.at(0), 0) +
                   QStringLiteral("</b></td></tr>");
    }
    out << QStringLiteral("<tr><td><table bgcolor='") + kShade + QStringLiteral("' border=1>");
    for (std::size_t i = 0; i < G.rows(); ++i)
        out << QStringLiteral("<tr><td>") + pattern(G.at(i, 0)->theValue.at(0), "###,##0.00") +
                   QStringLiteral("</td></tr>");
    out << QStringLiteral("</table></td>");
    return out;
}

// The net return per acre of every recomputed option of the grid, a row per value of the first variable.
QStringList trendNetReturns(const korvel::TrendGrid& G, double acres, const korvel::SessionState& s)
{
    QStringList out;
    out << QStringLiteral("<td><table>");
    const std::size_t columns = G.dimensions() == 2 ? G.columns() : 1;
    for (std::size_t i = 0; i < G.rows(); ++i) {
        out << QStringLiteral("<tr>");
        for (std::size_t j = 0; j < columns; ++j)
            out << QStringLiteral("<td>$") +
                       perAcre(G.at(i, j)->getProfit(s), acres, "the net return per acre", "###,##0.00") +
                       QStringLiteral("</td>");
        out << QStringLiteral("</tr>");
    }
    out << QStringLiteral("</table></td></tr>");
    return out;
}

// The table of the k-th field of the trended option. A figure that a process of the trend varies is left out.
QStringList fixedTrendFieldTable(korvel::Field& field, long k, const FixedTrendData& data)
{
    const korvel::SessionState& s = *data.session;
    const std::vector<korvel::BatchProcess>& processes = *data.processes;
    korvel::Crop& crop = *field.theCrop;
    const int c = data.cropIndex(crop.cropType);
    QStringList out;
    out << QStringLiteral("<table><tr><td></td></tr></table>");
    out << QStringLiteral("<table bgcolor='#CCFFFF' border=1><tr><td colspan='2'><b>Field split #") +
               QString::number(k) + QStringLiteral("</b></td></tr>");
    out << fieldLine(QStringLiteral("Crop:"), htmlText(crop.cropType));
    out << fieldLine(QStringLiteral("Acres:"), plain(field.acres) + QStringLiteral(" acres"));
    out << fieldLine(QStringLiteral("Gross Irrigation"),
                     pattern(field.grossDepth(s), "##0.0") + QStringLiteral(" inches"));
    if (!CheckVariable(processes, korvel::CropPriceVariable, c))
        out << fieldLine(QStringLiteral("Crop Price:"), QStringLiteral("$") + pattern(crop.price, "###,###,##0.00") +
                                                            QStringLiteral("/") + htmlText(crop.cropUnitsArray.at(1)));
    if (!CheckVariable(processes, korvel::ProductionCostsVariable, c))
        out << fieldLine(QStringLiteral("Total Production Costs:"),
                         QStringLiteral("$") + perAcre(field.getProductionCosts(s), field.acres,
                                                       "the production costs per acre", "###,###,##0.00"));
    if (!CheckVariable(processes, korvel::MaximumYieldVariable, c))
        out << fieldLine(QStringLiteral("Maximum Yield:"), pattern(crop.maxYield, "###,##0.0") + QStringLiteral(" ") +
                                                               htmlText(crop.cropUnitsArray.at(0)) +
                                                               QStringLiteral("/ac"));
    if (!CheckVariable(processes, korvel::RainfallVariable, c))
        out << fieldLine(QStringLiteral("Annual Rainfall:"),
                         pattern(field.annualRain, "###,##0.0") + QStringLiteral(" inches"));
    if (!CheckVariable(processes, korvel::IrrigationCostsVariable, c))
        out << fieldLine(QStringLiteral("Irrigation Costs:"),
                         QStringLiteral("$") +
                             perAcre(field.irrigCosts->getCosts(field.Depth, field.acres, field.efficiency(s)),
                                     field.acres, "the irrigation costs per acre", "###,###,##0.00"));
    if (!CheckVariable(processes, korvel::EfficiencyVariable, c))
        out << fieldLine(QStringLiteral("Irrigation System Efficiency:"), percent(field, s) + QStringLiteral("%"));
    out << QStringLiteral("</table>");
    return out;
}

// One field of an option in the variable-trend tables; efficiency: the text of its efficiency column.
QString variableTrendFieldRow(korvel::Field& F, const QString& efficiency, const korvel::SessionState& s)
{
    korvel::Crop& crop = *F.theCrop;
    return QStringLiteral("<tr><td valign=top>") + htmlText(crop.cropType) + QStringLiteral("</td><td valign=top>") +
           plain(F.acres) + QStringLiteral("</td><td valign=top>") + pattern(F.Depth, "###,##0.0") +
           QStringLiteral("''</td><td valign=top>$") + plain(crop.price) + QStringLiteral(" / ") +
           htmlText(crop.cropUnitsArray.at(0)) + QStringLiteral("</td><td valign=top>") + plain(crop.maxYield) +
           QStringLiteral(" ") + htmlText(crop.cropUnitsArray.at(1)) + QStringLiteral("/ac</td><td valign=top>") +
           plain(F.annualRain) + QStringLiteral(" in.</td><td valign=top>") + efficiency +
           QStringLiteral("</td><td valign=top>") +
           perAcre(F.irrigCosts->getCosts(F.Depth, F.acres, F.efficiency(s)), F.acres, "the irrigation costs per acre",
                   "$###,###,###0") +
           QStringLiteral("</td><td valign=top>") +
           perAcre(F.getCosts(s), F.acres, "the costs per acre", "$###,###,##0") + QStringLiteral("</td></tr>");
}

// The table of the options of one rank (0 the best) of every step. colour: the colour of the row before,
// so that the rows alternate across the tables.
QStringList variableTrendRankTable(const VariableTrendData& data, const QString& name, int rank, QString& colour)
{
    korvel::SessionState& s = *data.session;
    const auto& steps = *data.steps;
    const QString u0 = htmlText(data.units[0]);
    const QString u1 = htmlText(data.units[1]);
    QStringList out;
    out << QStringLiteral("<table border=1>");
    out << QStringLiteral("<tr><th colspan=12 align=center><h2>") + OrdinalSuffix(rank + 1) +
               QStringLiteral(" Best Options for ") + name +
               QStringLiteral(" Variable-Irrigation Trend Process</h2></th></tr>");
    out << QStringLiteral("<tr bgcolor=#cccccc><td></td><th>") + name +
               QStringLiteral("</th><th>Crop</th><th>Acres</th><th>Net Irr</th><th>Price</th><th>Maximum "
                              "Yield</th><th>Annual Rain</th><th>Irrig Efficiency</th><th>Irr Cost</th><th>Total "
                              "Prod Costs</th><th>Net Return</th></tr>");
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const korvel::BestMix::Entries options = steps[i]->returnCollection(true, s);
        const std::shared_ptr<korvel::FieldCollection> O =
            static_cast<std::size_t>(rank) < options.size() ? options[static_cast<std::size_t>(rank)] : nullptr;
        colour = colour == QLatin1String("#ffcc99") ? QStringLiteral("#FFFF99") : QStringLiteral("#ffcc99");
        const double value = s.TrendValues.at(i).number();
        out << QStringLiteral("<tr bgcolor='") + colour + QStringLiteral("'><td>Step ") + QString::number(i + 1) +
                   QStringLiteral("</td>");
        out << QStringLiteral("<td valign=top>") + u0 + pattern(value, "###,##0.00") + QStringLiteral(" ") + u1 +
                   QStringLiteral("</td>");
        out << QStringLiteral("<td colspan='9'><table border=1>");
        if (O) {
            for (const auto& F : *O) {
                const QString efficiency = u1 == QLatin1String("%")
                                               ? pattern(value, "###,##0.00") + QStringLiteral(" ") + u1
                                               : percent(*F, s) + QStringLiteral(" %");
                out << variableTrendFieldRow(*F, efficiency, s);
            }
        }
        out << QStringLiteral("</table></td>");
        // A placeholder (a step with fewer options than this rank) has no return to show.
        if (O && O->Count() > 0)
            out << QStringLiteral("<td valign=top>") +
                       perAcre(O->getProfit(s), acresOf(*O), "the net return per acre", "$###,###,##0") +
                       QStringLiteral("</td>");
        else
            out << QStringLiteral("<td valign=top></td>");
        out << QStringLiteral("</tr>");
    }
    out << QStringLiteral("</table>");
    return out;
}

} // namespace

QStringList fixedTrendBody(const FixedTrendData& data)
{
    if (!data.grid || data.grid->dimensions() < 1 || !data.selected || data.selected->Count() < 1)
        throw korvel::IndexError("there are no fixed trend results to export");
    QStringList out;
    out << QStringLiteral("<table border=1>")
        << QStringLiteral("<tr><td colspan=2 align='center'><strong>Table of Net-Returns Across the Fixed Trend "
                          "Variable</strong></td></tr>");
    out += trendValueHeadings(*data.grid);
    out += trendNetReturns(*data.grid, acresOf(*data.selected), *data.session);
    out << QStringLiteral("</table>")
        << QStringLiteral("<table><tr><td><b>Field Information for fixed trend execution</b></td></tr></table>");
    long k = 0;
    for (const auto& field : *data.selected)
        out += fixedTrendFieldTable(*field, ++k, data);
    return out;
}

QStringList variableTrendBody(const VariableTrendData& data)
{
    const korvel::SessionState& s = *data.session;
    const QString name = htmlText(s.TrendCropName) + QStringLiteral(" ") + htmlText(s.TrendVariableName);
    QStringList out;
    out << QStringLiteral("<table><tr><td colspan=12 align=center><h2><strong>The output below shows the top results "
                          "from each option.</strong></h2><hr></td></tr></table>");
    QString colour;
    for (int rank = 0; rank < 4; ++rank)
        out += variableTrendRankTable(data, name, rank, colour);
    return out;
}

void exportFixedTrend(TrendPanes& panes, QWidget* parent, QString& lastName)
{
    korvel::SessionState& s = panes.host().session();
    TrendSetupPane& setup = *panes.trendSetupPane();
    exportWith(
        parent, lastName,
        [&] {
            FixedTrendData data;
            data.grid = &s.TrendResultGrid;
            const std::shared_ptr<korvel::FieldCollection> selected = korvel::selectedOption(s);
            data.selected = selected.get();
            data.processes = &setup.ProcessCollection;
            data.cropIndex = [&setup](const std::string& cropType) { return setup.GetCropIndex(qtext(cropType)); };
            data.session = &s;
            return fixedTrendBody(data);
        },
        true);
}

void exportVariableTrend(TrendPanes& panes, TrendResultsView& view, QString& lastName)
{
    korvel::SessionState& s = panes.host().session();
    exportWith(
        &view, lastName,
        [&] {
            VariableTrendData data;
            data.steps = &view.steps();
            const auto whole = [](double v) { return static_cast<int>(num::toWhole(v)); };
            data.units =
                panes.trendSetupPane()->GetVariableUnits(whole(view.bp.VariableIndex), whole(view.bp.cropIndex));
            data.session = &s;
            return variableTrendBody(data);
        },
        false);
}

} // namespace korvel::ui::SpreadsheetExport
