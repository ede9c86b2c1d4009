// The print surface and the two printed reports: the results report of the last run and the details
// report of one field, printed to a recording surface through the print dialog of the dialog service, and
// one report printed to a real PDF file through QPrinter.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "ui/QtPrinting.h"

#include "model/Crop.h"
#include "model/CropScenario.h"
#include "model/Field.h"
#include "model/FieldCollection.h"
#include "model/IrrigationCosts.h"
#include "ui/AssembledWindow.h"
#include "ui/RecordingPrintSurface.h"
#include "ui/ScriptedDialogService.h"
#include "ui/main/CropRow.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/platform/PrintSurface.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/ResultPrinter.h"

using namespace korvel;
using namespace korvel::ui;
using korvel::ui::test::PrintLog;
using korvel::ui::test::recordingFactory;
using korvel::ui::test::render;
using korvel::ui::test::ScriptedDialogs;
using Lines = std::vector<std::string>;

namespace {

const std::string kDisclaimer1 = "These results are generated from the Korvel developed by Velmont.";
const std::string kDisclaimer2 = "The information is presented 'as is'.  The user is responsible for how the "
                                 "information is utilized in their own operation.";
const std::string kDisclaimer3 = "Velmont has technically reviewed the information but disclaims any responsibility "
                                 "or liability for interpretations or decisions based theron.";
const QDateTime kWhen(QDate(2025, 3, 7), QTime(14, 5));

std::shared_ptr<Crop> makeCrop(const std::string& name, const std::string& unit, double price, double yield)
{
    auto crop = std::make_shared<Crop>();
    crop->cropType = name;
    crop->cropUnitsArray = {unit, unit + "s"};
    crop->price = price;
    crop->Yield = yield;
    return crop;
}

std::shared_ptr<Field> makeField(double acres, double depth, std::shared_ptr<Crop> crop)
{
    auto field = std::make_shared<Field>();
    field->acres = acres;
    field->Depth = depth;
    field->theCrop = std::move(crop);
    field->annualRain = 16;
    return field;
}

std::shared_ptr<FieldCollection> makeOption(std::initializer_list<std::shared_ptr<Field>> fields)
{
    auto option = std::make_shared<FieldCollection>();
    for (const auto& f : fields)
        option->Add(f);
    return option;
}

std::shared_ptr<FieldCollection> placeholder()
{
    auto option = std::make_shared<FieldCollection>();
    option->isNew = true;
    return option;
}

// One field of one acre whose net return is exactly `profit` dollars.
std::shared_ptr<FieldCollection> optionWithProfit(double profit)
{
    auto crop = makeCrop("Corn", "bu.", 1, profit + 100);
    crop->inputCosts.MiscCost = 100;
    return makeOption({makeField(1, 8, crop)});
}

// A printer whose print dialog, clock and inputs are the test's, printing to a recording surface.
struct ReportRig {
    SessionState session;
    ScriptedDialogs dialogs;
    ResultPrinter::MainInputs inputs{"100", "80", "16", "12", "Corn, Wheat"};
    std::shared_ptr<PrintLog> log = std::make_shared<PrintLog>();
    ResultPrinter printer{session, [this] { return inputs; }};

    ReportRig()
    {
        session.IrrigationEfficiency = 0.8;
        printer.setSurfaceFactory(recordingFactory(log));
        printer.setClock([] { return kWhen; });
    }

    Lines document(std::size_t i = 0) const
    {
        if (i >= log->documents.size())
            return {"<no document " + std::to_string(i) + ">"};
        return render(log->documents[i]);
    }
};

// The option headings of a results document.
Lines optionHeadings(const Lines& doc)
{
    Lines out;
    for (const std::string& line : doc)
        if (line.rfind("<12b>Option ", 0) == 0)
            out.push_back(line.substr(5));
    return out;
}

} // namespace

// --- The print surface --------------------------------------------------------------------------------

TEST(PrintSurface, LineBreaksPositionsAndFontsMakeTheLines)
{
    auto log = std::make_shared<PrintLog>();
    test::RecordingPrintSurface p(log);
    p.setFontSize(12);
    p.setBold(true);
    p.print("A");
    p.setCurrentX(3900);
    p.setFontSize(9);
    p.setBold(false);
    p.setUnderline(true);
    p.print("B\r\nC"); // a break ends the line; the rest starts at the left margin
    p.setUnderline(false);
    p.printLine("D\nE\r\r\n"); // LF, CR and CR LF all break
    p.setCurrentX(500);        // a position is dropped when its line ends without text
    p.printLine();
    p.setItalic(true);
    p.print("F"); // still open when the document ends: it is ended first
    p.endDoc();
    p.printLine("G"); // the next document

    ASSERT_EQ(log->documents.size(), 1u);
    EXPECT_EQ(render(log->documents[0]),
              (Lines{"<12b>A | @3900 <9u>B", "<9u>C | <9>D", "<9>E", "~9", "~9", "~9", "<9i>F"}));
    EXPECT_EQ(render(log->open), (Lines{"<9i>G"}));
}

TEST(QtPrintSurface, StartsNewPagesAndKeepsDocumentsOfOneFileApart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("pages.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    {
        QtPrintSurface surface(printer);
        for (int i = 0; i < 150; ++i)
            surface.printLine(QStringLiteral("line %1").arg(i));
        surface.endDoc();
        const int pagesOfOne = surface.pageCount();
        EXPECT_GT(pagesOfOne, 1); // 150 lines of 9 pt do not fit on one page
        for (int i = 0; i < 150; ++i)
            surface.printLine(QStringLiteral("line %1").arg(i));
        surface.endDoc();
        EXPECT_EQ(surface.pageCount(), 2 * pagesOfOne); // the second document starts on a page of its own
        surface.printLine(QStringLiteral("never ended"));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
}

TEST(QtPrintSurface, DocumentThatNeverEndsIsNotPrinted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("unfinished.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    {
        QtPrintSurface surface(printer);
        surface.printLine(QStringLiteral("half a report"));
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ResultPrinter, DatesReadMonthDayYearWithATwelveHourClock)
{
    EXPECT_EQ(ResultPrinter::dateText(QDateTime(QDate(2024, 12, 31), QTime(0, 7))), "12/31/2024 12:07 AM");
    EXPECT_EQ(ResultPrinter::dateText(QDateTime(QDate(2024, 1, 2), QTime(12, 30))), "1/2/2024 12:30 PM");
    EXPECT_EQ(ResultPrinter::dateText(QDateTime(QDate(2025, 3, 7), QTime(23, 59))), "3/7/2025 11:59 PM");
}

// --- The results report -------------------------------------------------------------------------------

TEST(ResultsReport, PrintsHeaderInputsOptionsAndFootnoteAtTheirPositions)
{
    ReportRig rig;
    // 60 acres of corn: $800 returns and $300 costs per acre; 40 acres of wheat: $300 and $100.
    auto corn = makeCrop("Corn", "bu.", 4, 200);
    corn->inputCosts.MiscCost = 300;
    auto wheat = makeCrop("Wheat", "bu.", 5, 60);
    wheat->inputCosts.MiscCost = 100;
    rig.printer.setCollection({makeOption({makeField(60, 10, corn), makeField(40, 5, wheat)}), placeholder()});
    rig.printer.printResults();

    ASSERT_EQ(rig.dialogs.printCalls.size(), 1u);
    ASSERT_EQ(rig.log->documents.size(), 1u);
    const std::string stars(168, '*');
    EXPECT_EQ(rig.document(),
              (Lines{
                  "<12b>Korvel | @7300 <9>Evaluation Results: 3/7/2025 2:05 PM",
                  "~9",
                  "<8>" + kDisclaimer1,
                  "<8>" + kDisclaimer2,
                  "<8>" + kDisclaimer3,
                  "~8",
                  "@0 <9b>Total Acres:  | <9>100 acres | @5200 <9b>Irrigation Efficiency:  | <9>80%",
                  "@0 <9b>Annual Rainfall:  | <9>16 inches | @5200 <9b>Seasonal Irrigation Amount:  | <9>12 inches",
                  "@0 <9b>Crops to Evaluate:  | <9>Corn, Wheat",
                  "~9",
                  "<9>" + stars,
                  "<12b>Option 1",
                  // A line too long for one literal is two, in parentheses.
                  ("@0 <9bu>Land Split | @1300 <9bu>Crop | @2600 <9bu>Yield | @3900 <9bu>Gross Irrig | "
                   "@5200 <9bu>Total Operating Costs | @7300 <9bu>Total Returns | @9000 <9bu>*Net Return"),
                  ("@0 <9>60 acres | @1300 <9>Corn | @2600 <9>200.0 bu./ac | @3900 <9>12.5'' | @5200 <9>$300 /acre | "
                   "@7300 <9>$800 /acre | @9000 <9>$500 /acre"),
                  ("@0 <9>40 acres | @1300 <9>Wheat | @2600 <9>60.0 bu./ac | @3900 <9>6.3'' | @5200 <9>$100 /acre | "
                   "@7300 <9>$300 /acre | @9000 <9>$200 /acre"),
                  "@9000 <10b>*Net Return: $38,000",
                  "<9>" + stars,
                  "~9",
                  "~9",
                  "~9",
                  "<8i>*Net returns to land, management, and irrigation equipment",
              }));
}

TEST(ResultsReport, PrintsAtMostFiveOptionsAndStopsAtTheFirstWithoutPositiveReturn)
{
    struct Case {
        std::vector<double> profits; // placeholderMark stands for a placeholder
        Lines headings;
    };
    const double placeholderMark = -1e9;
    const Case cases[] = {
        {{900, 800, 700, 600, 500, 400, 300}, {"Option 1", "Option 2", "Option 3", "Option 4", "Option 5"}},
        {{900, 800, 0, 700}, {"Option 1", "Option 2"}},
        {{900, 800, -5, 700}, {"Option 1", "Option 2"}},
        {{900, placeholderMark, placeholderMark}, {"Option 1"}},
        {{0, 900}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        ReportRig rig;
        std::vector<std::shared_ptr<FieldCollection>> list;
        for (double profit : c.profits)
            list.push_back(profit == placeholderMark ? placeholder() : optionWithProfit(profit));
        rig.printer.setCollection(list);
        rig.printer.printResults();
        const Lines doc = rig.document();
        EXPECT_EQ(optionHeadings(doc), c.headings) << c.profits.size() << " options";
        // Header, disclaimers, inputs and footnote are always there.
        ASSERT_GE(doc.size(), 11u);
        EXPECT_EQ(doc[8], "@0 <9b>Crops to Evaluate:  | <9>Corn, Wheat");
        EXPECT_EQ(doc.back(), "<8i>*Net returns to land, management, and irrigation equipment");
    }
}

TEST(ResultsReport, EachCopyIsADocumentWithTheTimeOfItsPrintingAndTheInputsOfItsOptions)
{
    ReportRig rig;
    rig.printer.setCollection({optionWithProfit(500)});
    int tick = 0;
    rig.printer.setClock([&] { return kWhen.addSecs(qint64{60} * tick++); });
    rig.dialogs.prints = {2};
    rig.printer.printResults();
    ASSERT_EQ(rig.log->documents.size(), 2u);
    EXPECT_EQ(rig.document(0)[0], "<12b>Korvel | @7300 <9>Evaluation Results: 3/7/2025 2:05 PM");
    EXPECT_EQ(rig.document(1)[0], "<12b>Korvel | @7300 <9>Evaluation Results: 3/7/2025 2:06 PM");
    Lines first = rig.document(0), second = rig.document(1);
    first.erase(first.begin());
    second.erase(second.begin());
    EXPECT_EQ(first, second);

    // The inputs are those of the options, read when the list was handed over, not when the report prints.
    const std::string inputsLine = rig.document(0)[6];
    rig.inputs.txtArea = "250";
    rig.inputs.txtEff = "";
    rig.printer.printResults();
    ASSERT_EQ(rig.dialogs.printCalls.size(), 2u);
    EXPECT_EQ(rig.dialogs.printCalls[1], 2); // the dialog offers the copies chosen last
    ASSERT_EQ(rig.log->documents.size(), 4u);
    EXPECT_EQ(rig.document(2)[6], inputsLine);
    rig.printer.setCollection(rig.printer.printOptions());
    rig.dialogs.prints = {1};
    rig.printer.printResults();
    ASSERT_EQ(rig.log->documents.size(), 5u);
    EXPECT_EQ(rig.document(4)[6], "@0 <9b>Total Acres:  | <9>250 acres | @5200 <9b>Irrigation Efficiency:  | <9>%");
}

// A cancelled print dialog ends printing without a word; a print that fails on the way says so, whatever the
// reason, and prints no further copy.
TEST(ResultsReport, CancelledDialogEndsSilentlyAndAFailedPrintSaysSo)
{
    {
        ReportRig rig;
        rig.printer.setCollection({optionWithProfit(500)});
        rig.dialogs.prints = {std::nullopt};
        rig.printer.printResults();
        EXPECT_EQ(rig.dialogs.printCalls.size(), 1u);
        EXPECT_EQ(rig.log->surfaces, 0);
        EXPECT_TRUE(rig.log->documents.empty());
        EXPECT_TRUE(rig.dialogs.messages.empty());
    }
    const auto expectFailureMessage = [](const ScriptedDialogs& dialogs, const std::string& reason) {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.lastText().toStdString(), "The report could not be printed (" + reason + ").");
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(dialogs.messages[0].title, "Print");
    };
    {
        // A field of 0 acres has no per-acre figures: printing stops inside the first copy.
        ReportRig rig;
        auto option = optionWithProfit(500);
        auto broken = makeField(0, 8, makeCrop("Wheat", "bu.", 5, 60));
        option->Add(broken);
        rig.printer.setCollection({option});
        rig.dialogs.prints = {3};
        rig.printer.printResults();
        EXPECT_TRUE(rig.log->documents.empty());
        ASSERT_FALSE(rig.log->open.empty());
        EXPECT_EQ(render(rig.log->open.back()).substr(0, 14), "@0 <9>1 acres "); // the line before the failure
        expectFailureMessage(rig.dialogs, "a number without a finite value cannot be shown");
    }
    {
        // No efficiency from the last run: the gross depth is not a number.
        ReportRig rig;
        rig.session.IrrigationEfficiency = 0;
        rig.printer.setCollection({optionWithProfit(500)});
        rig.printer.printResults();
        EXPECT_TRUE(rig.log->documents.empty());
        ASSERT_EQ(rig.dialogs.messages.size(), 1u);
        EXPECT_TRUE(rig.dialogs.lastText().startsWith("The report could not be printed ("));
    }
    {
        // A PDF that cannot be written: the folder it would go into does not exist.
        SessionState session;
        session.IrrigationEfficiency = 0.8;
        ScriptedDialogs dialogs;
        ResultPrinter printer(session, [] { return ResultPrinter::MainInputs{"100", "80", "16", "12", "Corn"}; });
        printer.setSurfaceFactory([&](QPrinter& qp) -> std::unique_ptr<PrintSurface> {
            qp.setOutputFormat(QPrinter::PdfFormat);
            qp.setOutputFileName(QStringLiteral("/nonexistent-korvel-folder/results.pdf"));
            return std::make_unique<QtPrintSurface>(qp);
        });
        printer.setCollection({optionWithProfit(500)});
        printer.printResults();
        EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent-korvel-folder/results.pdf")));
        expectFailureMessage(dialogs, "the printer could not be opened");
    }
}

// --- The details report -------------------------------------------------------------------------------

namespace {

// 50 acres of corn at 10 net inches (12.5 gross with an efficiency of 0.8), 200 bu./ac at $4.50, with every
// production cost and a pump: $412.56 costs, $908 returns per acre.
std::shared_ptr<Field> cornDetailsField()
{
    auto crop = makeCrop("Corn", "bu.", 4.5, 200);
    inputCosts& c = crop->inputCosts;
    c.NitrogenCost = 0.5;
    c.NitrogenApplied = 150;
    c.PCost = 0.4;
    c.PApplied = 50;
    c.SeedCost = 3;
    c.SeedRate = 30000;
    c.Herbicide = 20;
    c.Insecticide = 10;
    c.Tillage = 15;
    c.Planting = 12;
    c.FertilizerApplication = 6;
    c.HerbicideApplication = 5;
    c.InsecticideApplication = 4;
    c.HarvestBasePerAcre = 25;
    c.HarvestExceedBu = 150;
    c.HarvestExceedRate = 0.1;
    c.HarvestHauling = 0.05;
    c.MiscCost = 12.5;
    c.Returns = 8;
    auto field = makeField(50, 10, crop);
    IrrigationCosts& ir = *field->irrigCosts;
    ir.GPM = 800;
    ir.Lift = 200;
    ir.PSI = 30;
    ir.NPC = 12.5;
    ir.cost = 3;
    ir.LaborPerHour = 10;
    ir.RepairsPerAcreInch = 0.5;
    ir.FuelType = "Diesel";
    ir.active = true;
    return field;
}

// 40 acres of alfalfa, 6 tons at $150, a stand of 3 years: seed, tillage and planting spread over it.
std::shared_ptr<Field> alfalfaDetailsField()
{
    auto crop = makeCrop("Alfalfa", "ton", 150, 6);
    inputCosts& c = crop->inputCosts;
    c.AlfalfaStand = 3;
    c.POptimal = true;
    c.PCost = 0.5;
    c.SeedCost = 4.5;
    c.SeedRate = 20;
    c.Herbicide = 15;
    c.Tillage = 30;
    c.Planting = 21;
    c.AlfalfaSwathing = 12;
    c.AlfalfaSwathingNum = 4;
    c.AlfalfaRaking = 6;
    c.AlfalfaRakingNum = 4;
    c.AlfalfaBaling = 1.5;
    c.AlfalfaBalingNum = 40;
    return makeField(40, 16, crop);
}

// A cost group as the details report prints it, each positioned text shown as "@ " (where the columns fall
// depends on the widths of the texts: see ValueColumnsStartAfterTheWidestTextBeforeThem).
Lines groupLines(const std::string& heading, const std::vector<Lines>& rows, const std::string& subtotal)
{
    Lines out{"<12b>" + heading};
    for (const Lines& r : rows)
        out.push_back("@ <9b>" + r[0] + " | @ <9>" + r[1] + " | @ <9b>" + r[2] + " | @ <9>" + r[3]);
    out.push_back("<9>" + std::string(178, '-'));
    out.push_back("<9b>Subtotal: $" + subtotal + " /acre");
    out.insert(out.end(), {"~9", "~9", "~9"});
    return out;
}

// A document with each position shown as "@ ".
Lines withoutPositions(Lines doc)
{
    static const std::regex position("@[0-9]+ ");
    for (std::string& line : doc)
        line = std::regex_replace(line, position, "@ ");
    return doc;
}

} // namespace

TEST(DetailsReport, GrainFieldPrintsEveryGroupWithItsSubtotal)
{
    ReportRig rig;
    rig.printer.setField(*cornDetailsField());
    rig.printer.printDetails();

    const std::string stars(178, '*');
    const std::string dashes(178, '-');
    Lines expected{
        "<12b>Korvel - Detailed Field Results | @ <9>Field Details Printed: 3/7/2025 2:05 PM",
        "~9",
        "<8>" + kDisclaimer1,
        "<8>" + kDisclaimer2,
        "<8>" + kDisclaimer3,
        "~8",
        "<9>" + stars,
        "<12b>Field Information & Totals",
        "@ <9b>Area:  | @ <9>50 acres",
        "@ <9b>Crop:  | @ <9>Corn",
        "@ <9b>Crop Price:  | @ <9>$4.50 / bu.",
        "@ <9b>Yield:  | @ <9>200.0 bu./ac",
        "@ <9b>Gross Irrigation:  | @ <9>12.5 in.",
        "~9",
        "@ <12b>Total Costs Per Acre:  | @ <12>$413",
        "@ <12b>Total Returns Per Acre: | @ <12>$908",
        "<12>" + std::string(59, '-'),
        "@ <12b>Net Return Per Acre:  | @ <12>$495",
        "<9>" + stars,
        "~9",
        "~9",
        "~9",
        "~9",
    };
    const auto append = [&](const Lines& more) { expected.insert(expected.end(), more.begin(), more.end()); };
    append(groupLines("General Input Costs",
                      {{"Nitrogen Cost:", "$0.50/lb", "Nitrogen Applied Per Acre:", "150.0 lb/ac"},
                       {"Phosphorus Cost:", "$0.40/lb", "Phosphorus Applied Per Acre:", "50.0 lb/ac"},
                       {"Seed Cost:", "$3.00 / 1,000 seeds", "Seed Planting Rate:", "30,000 seeds/acre"},
                       {"Herbicide Cost:", "$20.00 /acre", "Insecticide Cost:", "$10.00 /acre"}},
                      "215.00"));
    append(groupLines("Operation Costs",
                      {{"Tillage Cost: ", "$15.00 /acre", "Planting Cost:", "$12.00 /acre"},
                       {"Fertilizer Application Cost:", "$6.00 /acre", "Herbicide Application Cost:", "$5.00 /acre"},
                       {"Insecticide Application Cost:", "$4.00 /acre", "Harvesting Costs:", "$40.00 /acre"}},
                      "82.00"));
    append(groupLines("Irrigation Cost Information",
                      {{"Discharge Rate: ", "800 GPM", "Pumping Water Lift:", "200 feet"},
                       {"Well head operating pressure:", "30 psi", "Total Season Pumping Hours:", "352 hrs"},
                       {"Labor Cost:", "$10 /hr", "Maintenance & Repairs:", "$0.5 /acre-inch"},
                       {"Fuel Type:", "Diesel", "Fuel Cost:", "$3.00/ unit"}},
                      "103.06"));
    append({"<12b>Miscellaneous Costs", "@ <9b>Misc. Costs:  | @ <9b>$12.50 /acre", "<9b>" + dashes,
            "<9b>Subtotal: $12.50 /acre", "~9", "~9", "~9", "~9"});
    append({"<12b>Land Returns", "@ <9b>Misc. Returns:  | @ <9b>$8.00 /acre", "<9b>" + dashes,
            "<9b>Subtotal: $8.00 /acre"});
    ASSERT_EQ(rig.log->documents.size(), 1u);
    EXPECT_EQ(withoutPositions(rig.document()), expected);
}

TEST(DetailsReport, ForageFieldSpreadsStandCostsAndPrintsTheStandLines)
{
    ReportRig rig;
    rig.printer.setField(*alfalfaDetailsField());
    rig.dialogs.prints = {2};
    rig.printer.printDetails();
    ASSERT_EQ(rig.log->documents.size(), 2u);
    EXPECT_EQ(rig.document(1), rig.document()); // no column or value shifts from one copy to the next
    const Lines doc = withoutPositions(rig.document());

    const auto find = [&](const std::string& start) -> std::string {
        for (const std::string& line : doc)
            if (line.rfind(start, 0) == 0)
                return line;
        return "<missing " + start + ">";
    };
    EXPECT_EQ(find("@ <9b>Crop Price:"), "@ <9b>Crop Price:  | @ <9>$150.00 / ton");
    EXPECT_EQ(find("@ <9b>Yield:"), "@ <9b>Yield:  | @ <9>6.0 ton/ac");
    EXPECT_EQ(find("@ <12b>Net Return"), "@ <12b>Net Return Per Acre:  | @ <12>$661");
    // The stand lines come between the net return and the star rule.
    const auto net = std::find(doc.begin(), doc.end(), find("@ <12b>Net Return"));
    ASSERT_TRUE(net + 3 < doc.end());
    EXPECT_EQ(net[1], "<9i>-Life of forage stand is 3 years");
    EXPECT_EQ(net[2], "<9i>*Input cost annualized over the 3 year stand");
    EXPECT_EQ(net[3], "<9>" + std::string(178, '*'));
    EXPECT_EQ(find("@ <9b>Phosphorus Cost:"),
              "@ <9b>Phosphorus Cost: | @ <9>$0.50/lb | @ <9b>Phosphorus Applied Per Acre: | @ <9>89.3 lb/ac");
    EXPECT_EQ(find("@ <9b>Seed Cost:"),
              "@ <9b>Seed Cost: | @ <9>*$1.50 / lb | @ <9b>Seed Planting Rate: | @ <9>20 lb/ac");
    EXPECT_EQ(find("@ <9b>Tillage Cost:"),
              "@ <9b>Tillage Cost:  | @ <9>*$10.00 /acre | @ <9b>Planting Cost: | @ <9>*$7.00 /acre");
    EXPECT_NE(find("@ <9b>Insecticide Application Cost:").find("@ <9>$132.00 /acre"), std::string::npos);
    // General: phosphorus 44.64 + a third of the seed 30 + herbicide 15; operations: a third of tillage and
    // planting 17 + harvest 132; no irrigation.
    Lines subtotals;
    for (const std::string& line : doc)
        if (line.rfind("<9b>Subtotal: ", 0) == 0)
            subtotals.push_back(line.substr(4));
    EXPECT_EQ(subtotals, (Lines{"Subtotal: $89.64 /acre", "Subtotal: $149.00 /acre", "Subtotal: $0.00 /acre",
                                "Subtotal: $0.00 /acre", "Subtotal: $0.00 /acre"}));
}

// Every line of the details report starts at the left margin, and each further text of a line starts after the
// widest text of the column before it, with room between them: a label never runs into its value, nor a value
// into the next label. The columns of a group's lines line up, and a column moves off its designed position
// only as far as that room asks.
TEST(DetailsReport, ValueColumnsStartAfterTheWidestTextBeforeThem)
{
    auto corn = cornDetailsField();
    corn->irrigCosts->FuelType = "Natural Gas";
    corn->theCrop->price = 1234.5;
    const std::set<int> designed{1900, 2500, 2700, 3000, 3700, 3900, 6400, 6700, 8000};
    for (const auto& field : {corn, alfalfaDetailsField()}) {
        SCOPED_TRACE(field->theCrop->cropType);
        ReportRig rig;
        rig.printer.setField(*field);
        rig.printer.printDetails();
        ASSERT_EQ(rig.log->documents.size(), 1u);
        const std::vector<PrintSurface::Line>& lines = rig.log->documents[0];
        test::RecordingPrintSurface measure(rig.log);
        const auto width = [&](const PrintSurface::Piece& piece) {
            measure.setFontSize(piece.size);
            measure.setBold(piece.bold);
            measure.setItalic(piece.italic);
            return measure.textWidth(piece.text);
        };
        // The runs of lines with the same number of texts: a block of columns.
        for (std::size_t first = 0; first < lines.size();) {
            const std::size_t columns = lines[first].pieces.size();
            std::size_t last = first;
            while (last < lines.size() && lines[last].pieces.size() == columns)
                ++last;
            for (std::size_t k = 1; k < columns && lines[first].pieces[k].x; ++k) {
                const int x = *lines[first].pieces[k].x;
                double tightest = 1e9;
                for (std::size_t i = first; i < last; ++i) {
                    const PrintSurface::Piece& before = lines[i].pieces[k - 1];
                    SCOPED_TRACE(lines[i].text().toStdString());
                    ASSERT_TRUE(lines[i].pieces[k].x);
                    EXPECT_EQ(*lines[i].pieces[k].x, x) << "column " << k << " out of line";
                    const int start = before.x.value_or(0); // a line's first text starts at the left margin
                    if (k == 1) {
                        EXPECT_EQ(start, 0);
                    }
                    const double room = x - (start + width(before));
                    EXPECT_GE(room, 100) << "column " << k << " too close to the text before it";
                    tightest = std::min(tightest, room);
                }
                // (A line whose empty value printed nothing stands alone, its columns shifted by one.)
                if (!designed.count(x) && last - first > 1) {
                    EXPECT_LE(tightest, 160)
                        << "column " << k << " of " << render(lines[first]) << " moved further than needed";
                }
            }
            first = last;
        }
    }
}

TEST(DetailsReport, CancelledDialogPrintsNothingAndAnUnprintableFieldSaysSo)
{
    {
        ReportRig rig;
        rig.printer.setField(*cornDetailsField());
        rig.dialogs.prints = {std::nullopt};
        rig.printer.printDetails();
        EXPECT_EQ(rig.dialogs.printCalls.size(), 1u);
        EXPECT_EQ(rig.log->surfaces, 0);
    }
    {
        // Before any field was handed over, and for a stand life that is text.
        ReportRig rig;
        rig.printer.printDetails();
        EXPECT_TRUE(rig.log->documents.empty());
        EXPECT_EQ(rig.dialogs.messages.size(), 1u);
        auto field = alfalfaDetailsField();
        field->theCrop->inputCosts.AlfalfaStand = "three";
        rig.printer.setField(*field);
        rig.printer.printDetails();
        EXPECT_TRUE(rig.log->documents.empty());
        ASSERT_EQ(rig.dialogs.messages.size(), 2u);
        EXPECT_TRUE(rig.dialogs.lastText().startsWith("The report could not be printed ("))
            << rig.dialogs.lastText().toStdString();
    }
}

// --- A real PDF -----------------------------------------------------------------------------------------

TEST(ResultsReport, PrintsToAPdfFileThroughQPrinter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("results.pdf");
    SessionState session;
    session.IrrigationEfficiency = 0.8;
    ScriptedDialogs dialogs;
    ResultPrinter printer(session, [] { return ResultPrinter::MainInputs{"100", "80", "16", "12", "Corn, Wheat"}; });
    printer.setSurfaceFactory([&](QPrinter& qp) -> std::unique_ptr<PrintSurface> {
        qp.setOutputFormat(QPrinter::PdfFormat);
        qp.setOutputFileName(path);
        return std::make_unique<QtPrintSurface>(qp);
    });
    auto corn = makeCrop("Corn", "bu.", 4, 200);
    corn->inputCosts.MiscCost = 300;
    auto wheat = makeCrop("Wheat", "bu.", 5, 60);
    wheat->inputCosts.MiscCost = 100;
    std::vector<std::shared_ptr<FieldCollection>> list;
    list.reserve(6);
    for (int i = 0; i < 6; ++i)
        list.push_back(makeOption({makeField(60, 10, corn->Copy()), makeField(40, 5, wheat->Copy())}));
    printer.setCollection(list);
    printer.printResults();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    // KORVEL_KEEP_PDF=<path> keeps a copy of the file, to look at the layout.
    if (const QByteArray keep = qgetenv("KORVEL_KEEP_PDF"); !keep.isEmpty())
        QFile::copy(path, QString::fromLocal8Bit(keep));
}

namespace {

// What a PDF print left on its pages, kept when its surface goes away.
struct PrintedPages {
    std::vector<QtPrintSurface::Placed> texts;
    int pages = 0;
    QRectF printable;
    double dotsPerPoint = 1;
};

class KeptPdfSurface : public QtPrintSurface {
public:
    KeptPdfSurface(QPrinter& printer, PrintedPages& out) : QtPrintSurface(printer), out_(out)
    {
        out_.printable = QRectF(0, 0, printer.width(), printer.height());
        out_.dotsPerPoint = printer.resolution() / 72.0;
    }
    ~KeptPdfSurface() override
    {
        out_.texts = placed();
        out_.pages = pageCount();
    }
    KeptPdfSurface(const KeptPdfSurface&) = delete;
    KeptPdfSurface& operator=(const KeptPdfSurface&) = delete;

private:
    PrintedPages& out_;
};

// The texts of the pages that lie outside the printable area, or over another text or closer to it than four
// points (more than a space between words: the two would read as one text).
std::vector<std::string> misplacedTexts(const PrintedPages& printed)
{
    std::vector<std::string> out;
    const auto& texts = printed.texts;
    const double half = 2 * printed.dotsPerPoint;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QRectF& a = texts[i].box;
        if (!printed.printable.contains(a))
            out.push_back("outside the page: " + texts[i].text.left(40).toStdString());
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const QRectF both = a.adjusted(-half, 0, half, 0).intersected(texts[j].box.adjusted(-half, 0, half, 0));
            if (texts[i].page == texts[j].page && both.width() > 0.5 && both.height() > 0.5)
                out.push_back(texts[i].text.toStdString() + " over " + texts[j].text.toStdString());
        }
    }
    return out;
}

} // namespace

// The details report of a grain field and of a forage field, on Letter and on A4 paper: each fits one page,
// no text runs over another and none leaves the printable area (wide values and long labels included).
TEST(DetailsReport, PrintsToAPdfOnOnePageWithEveryTextApartAndOnThePage)
{
    auto corn = cornDetailsField();
    corn->irrigCosts->FuelType = "Natural Gas";
    corn->theCrop->inputCosts.InsecticideApplication = 5.24;
    corn->theCrop->inputCosts.Herbicide = 145.5;
    corn->theCrop->price = 1234.5;
    auto alfalfa = alfalfaDetailsField();
    for (const QPageSize::PageSizeId paper : {QPageSize::Letter, QPageSize::A4}) {
        for (const auto& [name, field] : {std::pair{"corn", corn}, std::pair{"alfalfa", alfalfa}}) {
            SCOPED_TRACE(std::string(name) + (paper == QPageSize::A4 ? " on A4" : " on Letter"));
            QTemporaryDir dir;
            const QString path = dir.filePath("details.pdf");
            SessionState session;
            session.IrrigationEfficiency = 0.8;
            ScriptedDialogs dialogs;
            ResultPrinter printer(session, [] { return ResultPrinter::MainInputs{}; });
            printer.setClock([] { return QDateTime(QDate(2025, 12, 27), QTime(22, 55)); });
            PrintedPages printed;
            printer.setSurfaceFactory([&](QPrinter& qp) -> std::unique_ptr<PrintSurface> {
                qp.setOutputFormat(QPrinter::PdfFormat);
                qp.setOutputFileName(path);
                qp.setPageSize(QPageSize(paper));
                return std::make_unique<KeptPdfSurface>(qp, printed);
            });
            printer.setField(*field);
            printer.printDetails();

            ASSERT_TRUE(QFile::exists(path));
            EXPECT_EQ(printed.pages, 1);
            EXPECT_GT(printed.texts.size(), 60u);
            EXPECT_EQ(misplacedTexts(printed), std::vector<std::string>{});
            // KORVEL_KEEP_DETAILS_PDF=<folder> keeps the files, to look at the layout.
            if (const QByteArray keep = qgetenv("KORVEL_KEEP_DETAILS_PDF"); !keep.isEmpty())
                QFile::copy(path, QDir(QString::fromLocal8Bit(keep))
                                      .filePath(QStringLiteral("details-%1-%2.pdf")
                                                    .arg(QLatin1String(name))
                                                    .arg(paper == QPageSize::A4 ? "a4" : "letter")));
        }
    }
}

// --- The main window's Print menu and run button ----------------------------------------------------------

namespace {

// A program folder holding a copy of the shipped crop library.
QString programFolderWithCrops(const QTemporaryDir& dir)
{
    namespace fs = std::filesystem;
    fs::copy(fs::path(KORVEL_DATA_DIR) / "crops", fs::path(dir.path().toStdString()) / "crops",
             fs::copy_options::recursive);
    return dir.path();
}

} // namespace

TEST(PrintMenu, PrintsTheLastRunWithItsInputsAndTheDetailsWhileTheyAreShown)
{
    QTemporaryDir dir;
    SessionState session;
    ScriptedDialogs dialogs;
    MainWindow w(ProgramFolders::inOne(programFolderWithCrops(dir)), session, test::windowPanes());
    w.show();
    w.load();
    EXPECT_FALSE(w.mnuPrint->isEnabled());

    MainPane& p = *w.pneMain();
    p.txtArea->setText("100");
    p.txtEff->setText("80");
    p.txtAnnRain->setCurrentText("16");
    p.txtMax->setText("12");
    w.selectPreset(0);
    ASSERT_GT(w.cropRowCount(), 0);
    CropRow* row = w.cr(0);
    row->chkCrop->setChecked(true);
    row->txtPrice->setText("4");
    row->txtMaxYield->setText("200");
    w.runEvaluation();
    ASSERT_TRUE(w.mnuPrint->isEnabled()) << dialogs.lastText().toStdString();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();

    auto log = std::make_shared<PrintLog>();
    thePrinter(w).setSurfaceFactory(recordingFactory(log));
    ASSERT_FALSE(thePrinter(w).printOptions().empty());
    p.txtArea->setText("120"); // changed after the run: the report states the acres the options were computed on
    w.mnuPrint->trigger();
    ASSERT_EQ(log->documents.size(), 1u);
    const Lines doc = render(log->documents[0]);
    ASSERT_GE(doc.size(), 9u);
    EXPECT_EQ(doc[6].substr(0, 39), "@0 <9b>Total Acres:  | <9>100 acres | @");
    const std::string crops = "@0 <9b>Crops to Evaluate:  | <9>" + w.cr(0)->crop()->cropType;
    EXPECT_EQ(doc[8], crops);
    EXPECT_EQ(optionHeadings(doc).front(), "Option 1");

    // With the details pane shown, the menu prints the details report.
    auto field = cornDetailsField();
    thePrinter(w).setField(*field);
    w.ShowPane(pneDetails(w));
    w.mnuPrint->trigger();
    ASSERT_EQ(log->documents.size(), 2u);
    EXPECT_EQ(render(log->documents[1][0]).substr(0, 36), "<12b>Korvel - Detailed Field Results");
    w.close();
}
