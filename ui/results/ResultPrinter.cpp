#include "ui/results/ResultPrinter.h"

#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "model/Crop.h"
#include "model/Field.h"
#include "model/FieldCollection.h"
#include "model/IrrigationCosts.h"
#include "model/Numbers.h"
#include "model/inputCosts.h"
#include "ui/main/ViewText.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/PrintSurface.h"

namespace korvel::ui {

namespace {

const QString kBreak = QStringLiteral("\r\n");

const QString kDisclaimer1 = QStringLiteral("These results are generated from the Korvel developed by Velmont.");
const QString kDisclaimer2 = QStringLiteral(
    "The information is presented 'as is'.  The user is responsible for how the information is utilized in their "
    "own operation.");
const QString kDisclaimer3 =
    QStringLiteral("Velmont has technically reviewed the information but disclaims any responsibility or liability for "
                   "interpretations or decisions based theron.");

const QString kResultsRule = QString(168, QLatin1Char('*'));
const QString kStarRule = QString(178, QLatin1Char('*'));
const QString kLongDashRule = QString(178, QLatin1Char('-'));
const QString kShortDashRule = QString(59, QLatin1Char('-'));

// The room between the widest text of a column and the column after it, in twips.
constexpr int kColumnGap = 144;

// The width in twips of the widest of the texts in the given size and weight, as the surface prints them.
double widest(PrintSurface& p, double size, bool bold, const std::vector<QString>& texts)
{
    const double keptSize = p.fontSize();
    const bool keptBold = p.bold();
    p.setFontSize(size);
    p.setBold(bold);
    double most = 0.0;
    for (const QString& text : texts)
        most = std::max(most, p.textWidth(text));
    p.setFontSize(keptSize);
    p.setBold(keptBold);
    return most;
}

// A column's position: where it was designed, or further right to leave room after the widest text of the
// column before it (which starts at `start`).
int after(int designed, int start, double widestBefore)
{
    return std::max(designed, start + static_cast<int>(std::ceil(widestBefore)) + kColumnGap);
}

const QString kDollar = QStringLiteral("$");
const QString kPerAcre = QStringLiteral(" /acre");
const QString kSubtotal = QStringLiteral("Subtotal: $");

// A text passed through a digit pattern: a text that reads as a number is shown with the pattern, any
// other text stays as it is.
QString patternText(const std::string& text, const char* digits)
{
    if (const std::optional<double> value = num::parseNumeric(text))
        return pattern(*value, digits);
    return qtext(text);
}

// A label in bold at one position, its value in regular type directly after it.
void labelThenValue(PrintSurface& p, int x, const QString& label, const QString& value)
{
    p.setCurrentX(x);
    p.setBold(true);
    p.print(label);
    p.setBold(false);
    p.print(value);
}

// A label in bold at one position, its value in regular type at another.
void labelAtValueAt(PrintSurface& p, int labelX, const QString& label, int valueX, const QString& value)
{
    p.setCurrentX(labelX);
    p.setBold(true);
    p.print(label);
    p.setCurrentX(valueX);
    p.setBold(false);
    p.print(value);
}

// A cost per acre in dollars: "$12.50 /acre".
QString perAcre(double cost, const char* digits)
{
    return kDollar + pattern(cost, digits) + kPerAcre;
}

// A label and its value as one line of their own.
void labelledLine(PrintSurface& p, int labelX, const QString& label, int valueX, const QString& value)
{
    labelAtValueAt(p, labelX, label, valueX, value);
    p.printLine();
}

// A report's first line: its title in 12 point bold and, at x, the line of the printing time in regular
// 9 point.
void titleAndTime(PrintSurface& p, const QString& title, int x, const QString& timeLine)
{
    p.setFontSize(12);
    p.setBold(true);
    p.print(title);
    p.setCurrentX(after(x, 0, widest(p, 12, true, {title})));
    p.setFontSize(9);
    p.setBold(false);
    p.printLine(timeLine);
}

// A section heading in 12 point bold; what follows it is in 9 point, still bold.
void sectionHeading(PrintSurface& p, const QString& heading)
{
    p.setFontSize(12);
    p.setBold(true);
    p.printLine(heading);
    p.setFontSize(9);
}

// One text at each column of the results report, on the current line.
void atResultColumns(PrintSurface& p, const std::array<QString, 7>& texts)
{
    for (std::size_t k = 0; k < texts.size(); ++k) {
        p.setCurrentX(ResultPrinter::kResultColumns[k]);
        p.print(texts[k]);
    }
}

bool seedByThePound(const std::string& cropType)
{
    return cropType == "Alfalfa" || cropType == "Grain Sorghum" || cropType == "Wheat";
}

void emptyLines(PrintSurface& p, int n)
{
    for (int i = 0; i < n; ++i)
        p.printLine();
}

// One cost group of the details report: heading, lines of two label/value pairs, the long dash rule and
// the subtotal, then three empty lines. The subtotal is worked out once the lines are printed. Each column
// keeps its designed position unless the widest text of the column before it needs more room.
struct CostLine {
    QString label1, value1, label2, value2;
};
struct GroupColumns {
    int label1, value1, label2, value2;
};

void costGroup(PrintSurface& p, const QString& heading, const GroupColumns& at, const std::vector<CostLine>& lines,
               const std::function<double()>& subtotal)
{
    sectionHeading(p, heading);
    std::vector<QString> labels1, values1, labels2;
    for (const CostLine& line : lines) {
        labels1.push_back(line.label1);
        values1.push_back(line.value1);
        labels2.push_back(line.label2);
    }
    GroupColumns col = at;
    col.value1 = after(at.value1, col.label1, widest(p, 9, true, labels1));
    col.label2 = after(at.label2, col.value1, widest(p, 9, false, values1));
    col.value2 = after(at.value2, col.label2, widest(p, 9, true, labels2));
    for (const CostLine& line : lines) {
        labelAtValueAt(p, col.label1, line.label1, col.value1, line.value1);
        labelAtValueAt(p, col.label2, line.label2, col.value2, line.value2);
        p.printLine();
    }
    p.setBold(false);
    p.printLine(kLongDashRule);
    p.setBold(true);
    p.printLine(kSubtotal + pattern(subtotal(), "###,##0.00") + kPerAcre);
    emptyLines(p, 3);
}

// A group of one value (the miscellaneous costs, the land returns): its caption and value in bold, the long
// dash rule and the subtotal.
void oneValueGroup(PrintSurface& p, const QString& heading, const QString& caption, double value)
{
    sectionHeading(p, heading);
    const QString text = pattern(value, "###,##0.00");
    p.setCurrentX(0);
    p.print(caption);
    p.setCurrentX(after(2700, 0, widest(p, 9, true, {caption})));
    p.printLine(kDollar + text + kPerAcre);
    p.printLine(kLongDashRule);
    p.printLine(kSubtotal + text + kPerAcre);
}

} // namespace

ResultPrinter::ResultPrinter(const korvel::SessionState& session, InputsSource inputs, QWidget* dialogParent)
    : session_(session), inputs_(std::move(inputs)), dialogParent_(dialogParent)
{
}

ResultPrinter::~ResultPrinter() = default;

void ResultPrinter::setCollection(const std::vector<std::shared_ptr<korvel::FieldCollection>>& c)
{
    printOptions_ = c;
    printInputs_ = inputs_ ? inputs_() : MainInputs{};
}

void ResultPrinter::setField(const korvel::Field& c)
{
    printField_ = c.Copy();
}

korvel::Field& ResultPrinter::printField()
{
    if (!printField_)
        printField_ = std::make_shared<korvel::Field>();
    return *printField_;
}

void ResultPrinter::setSurfaceFactory(SurfaceFactory factory)
{
    surfaceFactory_ = std::move(factory);
}

void ResultPrinter::setClock(Clock clock)
{
    clock_ = std::move(clock);
}

QString ResultPrinter::dateText(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1/%2/%3 %4:%5 %6")
        .arg(d.month())
        .arg(d.day())
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(hour12)
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

// --- The print frame --------------------------------------------------------------------------------

void ResultPrinter::printFailed(const QString& reason)
{
    QString text = QStringLiteral("The report could not be printed");
    if (!reason.isEmpty())
        text += QStringLiteral(" (") + reason + QLatin1Char(')');
    showMessage(dialogParent_, text + QLatin1Char('.'), MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Print"));
}

void ResultPrinter::printFrame(const std::function<void(PrintSurface&)>& layout)
{
    try {
        if (!printer_)
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrinter& printer = *printer_;
        printer.setCopyCount(lastCopies_ < 1 ? 1 : lastCopies_);
        if (!DialogService::instance().choosePrinter(dialogParent_, printer))
            return;
        const int copies = printer.copyCount();
        lastCopies_ = copies;
        // Each copy is a document of its own: the printer itself prints one of each.
        printer.setCopyCount(1);

        std::unique_ptr<PrintSurface> surface =
            surfaceFactory_ ? surfaceFactory_(printer) : std::make_unique<QtPrintSurface>(printer);
        if (!surface)
            throw PrintError("the printer could not be opened");
        surface->setFontSize(9);
        for (int copy = 1; copy <= copies; ++copy) {
            layout(*surface);
            surface->endDoc();
        }
        surface->finish();
    } catch (const std::exception& e) {
        // Printing ends here; the surface drops the unfinished document, and the user is told.
        printFailed(QString::fromStdString(e.what()));
    } catch (...) {
        printFailed(QString());
    }
}

// --- The results report -----------------------------------------------------------------------------

void ResultPrinter::printResults()
{
    printFrame([this](PrintSurface& p) { layoutResults(p); });
}

void ResultPrinter::layoutResults(PrintSurface& p)
{
    printResultsHeader(p);
    printMainInputs(p);

    // The best options, at most five, while their net return is positive.
    int n = 1;
    for (const std::shared_ptr<korvel::FieldCollection>& option : printOptions_) {
        if (!(n < 6) || !option || !(option->getProfit(session_) > 0))
            break;
        printOption(p, *option, n);
        ++n;
    }

    p.setFontSize(8);
    p.setItalic(true);
    p.printLine(QStringLiteral("*Net returns to land, management, and irrigation equipment"));
    p.setFontSize(9);
    p.setItalic(false);
}

QString ResultPrinter::printTime() const
{
    return dateText(clock_ ? clock_() : QDateTime::currentDateTime());
}

// The program's name, the date and one empty line; the disclaimers and one empty line.
void ResultPrinter::printResultsHeader(PrintSurface& p)
{
    titleAndTime(p, QStringLiteral("Korvel"), kResultColumns[5],
                 QStringLiteral("Evaluation Results: ") + printTime() + kBreak);
    p.setFontSize(8);
    p.printLine(kDisclaimer1 + kBreak + kDisclaimer2 + kBreak + kDisclaimer3 + kBreak);
}

// The inputs and the crops of the run that computed the options.
void ResultPrinter::printMainInputs(PrintSurface& p)
{
    const std::array<int, 7> col = kResultColumns;
    const MainInputs in = printInputs_ ? *printInputs_ : inputs_ ? inputs_() : MainInputs{};
    p.setFontSize(9);
    labelThenValue(p, col[0], QStringLiteral("Total Acres: "), in.txtArea + QStringLiteral(" acres"));
    labelThenValue(p, col[4], QStringLiteral("Irrigation Efficiency: "), in.txtEff + QStringLiteral("%"));
    p.printLine();
    labelThenValue(p, col[0], QStringLiteral("Annual Rainfall: "), in.txtAnnRain + QStringLiteral(" inches"));
    labelThenValue(p, col[4], QStringLiteral("Seasonal Irrigation Amount: "),
                   in.txtMax + QStringLiteral(" inches") + kBreak);
    labelThenValue(p, col[0], QStringLiteral("Crops to Evaluate: "), in.crops + kBreak);
    p.printLine();
}

// One option: its number, the table of its fields under underlined headings, and its net return.
void ResultPrinter::printOption(PrintSurface& p, korvel::FieldCollection& option, int n)
{
    const korvel::SessionState& s = session_;
    p.setFontSize(9);
    p.setBold(false);
    p.print(kResultsRule + kBreak);

    p.setFontSize(12);
    p.setBold(true);
    p.print(QStringLiteral("Option ") + plain(n) + kBreak);

    p.setFontSize(9);
    p.setBold(true);
    p.setUnderline(true);
    atResultColumns(p, {QStringLiteral("Land Split"), QStringLiteral("Crop"), QStringLiteral("Yield"),
                        QStringLiteral("Gross Irrig"), QStringLiteral("Total Operating Costs"),
                        QStringLiteral("Total Returns"), QStringLiteral("*Net Return")});
    p.setBold(false);
    p.setUnderline(false);
    p.print(kBreak);

    for (const std::shared_ptr<korvel::Field>& field : option) {
        korvel::Field& f = *field;
        const double costs = f.getCosts(s);
        const double returns = f.getReturn();
        atResultColumns(p, {
                               plain(f.acres) + QStringLiteral(" acres"),
                               qtext(f.theCrop->cropType),
                               qtext(f.theCrop->yieldToString()),
                               pattern(f.grossDepth(s), "#0.0") + QStringLiteral("''"),
                               perAcre(costs / f.acres, "###,##0"),
                               perAcre(returns / f.acres, "###,##0"),
                               perAcre((f.getReturn() - f.getCosts(s)) / f.acres, "###,##0"),
                           });
        p.print(kBreak);
    }

    p.setCurrentX(kResultColumns[6]);
    p.setFontSize(10);
    p.setBold(true);
    p.printLine(QStringLiteral("*Net Return: $") + pattern(option.getProfit(s), "###,###,###"));

    p.setFontSize(9);
    p.setBold(false);
    p.printLine(kResultsRule);
    p.printLine(kBreak + kBreak);
}

// --- The details report -----------------------------------------------------------------------------

void ResultPrinter::printDetails()
{
    try {
        // The stand divisor and the forage marker, decided once, before the print dialog opens. A forage
        // crop's stand of 0 (or none) counts as one year, as its production costs count it.
        const korvel::Crop& crop = *printField().theCrop;
        const bool forage = !crop.cropUnitsArray.empty() && crop.cropUnitsArray[0] == "ton";
        double divisor = 1.0;
        if (forage) {
            divisor = crop.inputCosts.AlfalfaStand.number();
            if (divisor == 0.0)
                divisor = 1.0;
        }
        printFrame([this, forage, divisor](PrintSurface& p) { layoutDetails(p, forage, divisor); });
    } catch (const std::exception& e) {
        // A stand life that is not a number: nothing is printed, and the user is told.
        printFailed(QString::fromStdString(e.what()));
    }
}

void ResultPrinter::layoutDetails(PrintSurface& p, bool forage, double standDivisor)
{
    const korvel::inputCosts& costs = printField().theCrop->inputCosts;
    const QString marker = forage ? QStringLiteral("*") : QString();
    printDetailsHeader(p);
    printFieldInformation(p);
    printFieldTotals(p, forage, standDivisor);
    printGeneralInputCosts(p, standDivisor, marker);
    printOperationCosts(p, standDivisor, marker);
    printIrrigationCostInformation(p);
    oneValueGroup(p, QStringLiteral("Miscellaneous Costs"), QStringLiteral("Misc. Costs: "), costs.MiscCost);
    emptyLines(p, 4);
    oneValueGroup(p, QStringLiteral("Land Returns"), QStringLiteral("Misc. Returns: "), costs.Returns);
}

// The report's title and printing time, the disclaimers, and the star rule.
void ResultPrinter::printDetailsHeader(PrintSurface& p)
{
    titleAndTime(p, QStringLiteral("Korvel - Detailed Field Results"), 8000,
                 QStringLiteral("Field Details Printed: ") + printTime());
    p.printLine();
    p.setFontSize(8);
    p.printLine(kDisclaimer1);
    p.printLine(kDisclaimer2);
    p.printLine(kDisclaimer3);
    p.printLine();
    p.setFontSize(9);
    p.printLine(kStarRule);
}

void ResultPrinter::printFieldInformation(PrintSurface& p)
{
    const korvel::SessionState& s = session_;
    korvel::Field& f = printField();
    const korvel::Crop& crop = *f.theCrop;
    sectionHeading(p, QStringLiteral("Field Information & Totals"));
    const std::pair<QString, QString> info[] = {
        {QStringLiteral("Area: "), plain(f.acres) + QStringLiteral(" acres")},
        {QStringLiteral("Crop: "), qtext(crop.cropType)},
        {QStringLiteral("Crop Price: "),
         kDollar + pattern(crop.price, "###,###.00") + QStringLiteral(" / ") + qtext(crop.priceUnits())},
        {QStringLiteral("Yield: "), patternText(crop.yieldToString(), "###,###.0")},
        {QStringLiteral("Gross Irrigation: "), pattern(f.grossDepth(s), "###,##0.0") + QStringLiteral(" in.")},
    };
    std::vector<QString> labels;
    for (const auto& [label, value] : info)
        labels.push_back(label);
    const int valueX = after(1900, 0, widest(p, 9, true, labels));
    for (const auto& [label, value] : info)
        labelledLine(p, 0, label, valueX, value);
    p.printLine();
}

// The totals per acre, a forage crop's stand lines, the star rule and four empty lines.
void ResultPrinter::printFieldTotals(PrintSurface& p, bool forage, double standDivisor)
{
    const korvel::SessionState& s = session_;
    korvel::Field& f = printField();
    const QString costsLabel = QStringLiteral("Total Costs Per Acre: ");
    const QString returnsLabel = QStringLiteral("Total Returns Per Acre:");
    const QString netLabel = QStringLiteral("Net Return Per Acre: ");
    const int valueX = after(3000, 0, widest(p, 12, true, {costsLabel, returnsLabel, netLabel}));
    p.setFontSize(12);
    labelledLine(p, 0, costsLabel, valueX, kDollar + pattern(f.getCosts(s) / f.acres, "###,##0"));
    labelledLine(p, 0, returnsLabel, valueX, kDollar + pattern(f.getReturn() / f.acres, "###,##0"));
    p.setBold(false);
    p.printLine(kShortDashRule);
    labelledLine(p, 0, netLabel, valueX, kDollar + pattern(f.getProfit(s) / f.acres, "###,##0"));

    if (forage) {
        p.setFontSize(9);
        p.setItalic(true);
        p.printLine(QStringLiteral("-Life of forage stand is ") + plain(standDivisor) + QStringLiteral(" years"));
        p.printLine(QStringLiteral("*Input cost annualized over the ") + plain(standDivisor) +
                    QStringLiteral(" year stand"));
        p.setItalic(false);
    }
    p.setFontSize(9);
    p.setBold(false);
    p.printLine(kStarRule);
    emptyLines(p, 4);
}

void ResultPrinter::printGeneralInputCosts(PrintSurface& p, double standDivisor, const QString& marker)
{
    const korvel::SessionState& s = session_;
    korvel::Field& f = printField();
    korvel::Crop& crop = *f.theCrop;
    korvel::inputCosts& costs = crop.inputCosts;
    const bool byThePound = seedByThePound(crop.cropType);
    const QString seedPriceUnit = byThePound ? QStringLiteral(" / lb") : QStringLiteral(" / 1,000 seeds");
    const QString seedRateUnit = byThePound ? QStringLiteral(" lb/ac") : QStringLiteral(" seeds/acre");
    costGroup(
        p, QStringLiteral("General Input Costs"), {0, 1900, 3900, 6700},
        {
            {QStringLiteral("Nitrogen Cost:"), kDollar + pattern(costs.NitrogenCost, "##0.00") + QStringLiteral("/lb"),
             QStringLiteral("Nitrogen Applied Per Acre:"),
             pattern(costs.NPerAcre, "###,##0.0") + QStringLiteral(" lb/ac")},
            {QStringLiteral("Phosphorus Cost:"), kDollar + pattern(costs.PCost, "##0.00") + QStringLiteral("/lb"),
             QStringLiteral("Phosphorus Applied Per Acre:"),
             pattern(costs.PPerAcre, "###,##0.0") + QStringLiteral(" lb/ac")},
            {QStringLiteral("Seed Cost:"),
             marker + kDollar + pattern(costs.SeedCost / standDivisor, "##0.00") + seedPriceUnit,
             QStringLiteral("Seed Planting Rate:"), pattern(costs.SeedRate, "###,###,###") + seedRateUnit},
            {QStringLiteral("Herbicide Cost:"), perAcre(costs.Herbicide, "###.00"), QStringLiteral("Insecticide Cost:"),
             perAcre(costs.Insecticide, "###.00")},
        },
        [&] {
            double gross = f.grossDepth(s);
            const double S = costs.getSeedCost(f.acres, crop.Yield, crop.cropType, gross, f.efficiency(s));
            return costs.NitrogenCost * costs.NPerAcre + costs.PCost * costs.PPerAcre + S / f.acres / standDivisor +
                   costs.Herbicide + costs.Insecticide;
        });
}

void ResultPrinter::printOperationCosts(PrintSurface& p, double standDivisor, const QString& marker)
{
    korvel::Field& f = printField();
    const korvel::Crop& crop = *f.theCrop;
    const korvel::inputCosts& costs = crop.inputCosts;
    const auto harvest = [&] { return costs.getHarvestCost(f.acres, crop.Yield, crop.cropType); };
    costGroup(p, QStringLiteral("Operation Costs"), {0, 2500, 3900, 6700},
              {
                  {QStringLiteral("Tillage Cost: "), marker + perAcre(costs.Tillage / standDivisor, "###.00"),
                   QStringLiteral("Planting Cost:"), marker + perAcre(costs.Planting / standDivisor, "###.00")},
                  {QStringLiteral("Fertilizer Application Cost:"), perAcre(costs.FertilizerApplication, "###.00"),
                   QStringLiteral("Herbicide Application Cost:"), perAcre(costs.HerbicideApplication, "###.00")},
                  {QStringLiteral("Insecticide Application Cost:"), perAcre(costs.InsecticideApplication, "###.00"),
                   QStringLiteral("Harvesting Costs:"), perAcre(harvest() / f.acres, "###,##0.00")},
              },
              [&] {
                  return (costs.Tillage + costs.Planting) / standDivisor + costs.FertilizerApplication +
                         costs.HerbicideApplication + costs.InsecticideApplication + harvest() / f.acres;
              });
}

// The pumping hours are this field's own (none for a field without water).
void ResultPrinter::printIrrigationCostInformation(PrintSurface& p)
{
    const korvel::SessionState& s = session_;
    korvel::Field& f = printField();
    korvel::IrrigationCosts& irrig = *f.irrigCosts;
    costGroup(p, QStringLiteral("Irrigation Cost Information"), {0, 2700, 3700, 6400},
              {
                  {QStringLiteral("Discharge Rate: "), plain(irrig.GPM) + QStringLiteral(" GPM"),
                   QStringLiteral("Pumping Water Lift:"), plain(irrig.Lift) + QStringLiteral(" feet")},
                  {QStringLiteral("Well head operating pressure:"), plain(irrig.PSI) + QStringLiteral(" psi"),
                   QStringLiteral("Total Season Pumping Hours:"),
                   hoursText(irrig.fieldHours(f.Depth, f.acres, f.efficiency(s)))},
                  {QStringLiteral("Labor Cost:"), kDollar + plain(irrig.LaborPerHour) + QStringLiteral(" /hr"),
                   QStringLiteral("Maintenance & Repairs:"),
                   kDollar + plain(irrig.RepairsPerAcreInch) + QStringLiteral(" /acre-inch")},
                  {QStringLiteral("Fuel Type:"), qtext(irrig.FuelType), QStringLiteral("Fuel Cost:"),
                   kDollar + pattern(irrig.cost, "###.00") + QStringLiteral("/ unit")},
              },
              [&] { return irrig.getCosts(f.Depth, f.acres, f.efficiency(s)) / f.acres; });
}

} // namespace korvel::ui
