// The spreadsheet exports of trend results: the head every file shares, the fixed-trend grid and field
// tables, the variable-trend tables of the four best options per step, and the failures of the file.
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "faults/InjectedFault.h"
#include "model/Numbers.h"
#include "trend/SpreadsheetExport.h"
#include "trend/TrendFixture.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

QStringList fileLines(const QString& path, bool* endsWithLineBreak = nullptr)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    if (endsWithLineBreak)
        *endsWithLineBreak = text.endsWith(QStringLiteral("\r\n"));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QString money(double x, const char* digits)
{
    return QString::fromStdString(korvel::num::formatPattern(x, digits));
}

double acresOf(const korvel::FieldCollection& option)
{
    double acres = 0;
    for (const auto& f : option)
        acres += f->acres;
    return acres;
}

} // namespace

TEST(SpreadsheetExportTexts, OrdinalsAndTheHeadOfEveryFile)
{
    const char* const ordinals[] = {"1st", "2nd", "3rd", "4th"};
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(SpreadsheetExport::OrdinalSuffix(n), ordinals[n - 1]);
    EXPECT_EQ(SpreadsheetExport::OrdinalSuffix(12), "12th");
    EXPECT_EQ(SpreadsheetExport::OrdinalSuffix(22), "22nd");

    const QStringList head = SpreadsheetExport::headLines(QDate(2024, 3, 5));
    const QStringList expected = {"<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\">",
                                  "<head>",
                                  "<!--[if gte mso 9]><xml>",
                                  "<x:ExcelWorkbook>",
                                  "<x:ExcelWorksheets>",
                                  "<x:ExcelWorksheet>",
                                  "<x:Name>Generated on Mar 5, 2024</x:Name>",
                                  "<x:WorksheetOptions>",
                                  "<x:Print>",
                                  "<x:ValidPrinterInfo/>",
                                  "</x:Print>",
                                  "</x:WorksheetOptions>",
                                  "</x:ExcelWorksheet>",
                                  "</x:ExcelWorksheets>",
                                  "</x:ExcelWorkbook>",
                                  "</xml>",
                                  "<![endif]--> ",
                                  "</head>",
                                  "<body>"};
    EXPECT_EQ(head, expected);
    EXPECT_EQ(SpreadsheetExport::headLines(QDate(2025, 12, 31))[6], "<x:Name>Generated on Dec 31, 2025</x:Name>");
}

class TrendExportTest : public TrendTest {
protected:
    // A fixed-trend setup on an option of the last run that grows both Corn and Wheat.
    std::shared_ptr<korvel::FieldCollection> startFixedTrendOnTwoCrops()
    {
        w().runEvaluation();
        for (const auto& option : browser().FieldCollection) {
            if (option->Count() > 0 && option->getCrops().size() == 2) {
                session.SelectedOption = option;
                w().ShowBatchScreen();
                return option;
            }
        }
        ADD_FAILURE() << "no option grows both crops";
        return nullptr;
    }

    QString exportPath(const char* name) const { return QString::fromStdString((folder.path() / name).string()); }

    // Presses the fixed-trend export of the results view's option browser, choosing path (the offer to open
    // the file is answered No).
    void exportFixed(const QString& path)
    {
        dialogs.clearRecord();
        dialogs.files = {path};
        dialogs.yesNoDefault = MsgAnswer::No;
        inside<QPushButton>(view().theResults, "cmdExcel")->click();
    }
    void exportVariable(const QString& path)
    {
        dialogs.clearRecord();
        dialogs.files = {path};
        dialogs.yesNoDefault = MsgAnswer::No;
        view().cmdExcel->click();
    }
};

TEST_F(TrendExportTest, FixedTrendOfOneProcessWritesTheValuesTheGridAndTheFieldTables)
{
    openWithTrends();
    const auto option = startFixedTrendOnTwoCrops();
    ASSERT_TRUE(option);
    ASSERT_EQ(setup().cboCrops->currentText(), "Corn");
    manualValues(0, QStringLiteral("4, 5, 6"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(session.TrendResultGrid.rows(), 3u);

    const QString path = exportPath("fixed.xls");
    exportFixed(path);
    ASSERT_EQ(dialogs.fileCalls.size(), 1u);
    EXPECT_EQ(dialogs.fileCalls[0].kind, ScriptedDialogService::FileKind::Save);
    EXPECT_EQ(dialogs.fileCalls[0].request.startFolder, "c:\\");
    EXPECT_EQ(dialogs.fileCalls[0].request.filter, "Microsoft Excel (*.xls) | *.xls");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Export Complete");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.messages[0].text, "The Microsoft Excel worksheet '" + path +
                                            "' has been created successfully!\nDo you want to open this file now?");

    bool lineBreakAtEnd = false;
    const QStringList lines = fileLines(path, &lineBreakAtEnd);
    EXPECT_TRUE(lineBreakAtEnd);
    ASSERT_GT(lines.size(), 19);
    EXPECT_EQ(lines.mid(0, 19), SpreadsheetExport::headLines(QDate::currentDate()));
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{"</body>", "</html>"}));

    const double A = acresOf(*option);
    const korvel::TrendGrid& grid = session.TrendResultGrid;
    QStringList body = {"<table border=1>",
                        ("<tr><td colspan=2 align='center'><strong>Table of Net-Returns Across the Fixed Trend "
                         "Variable</strong></td></tr>"),
                        "<tr><td bgcolor='#cccccc'><b>Crop Price - Corn ($/ bu.)</b></td></tr>",
                        "<tr><td><table bgcolor='#cccccc' border=1>",
                        "<tr><td>4.00</td></tr>",
                        "<tr><td>5.00</td></tr>",
                        "<tr><td>6.00</td></tr>",
                        "</table></td>",
                        "<td><table>"};
    for (std::size_t i = 0; i < 3; ++i)
        body << "<tr>"
             << "<td>$" + money(grid.at(i)->getProfit(session) / A, "###,##0.00") + " /ac</td>"
             << "</tr>";
    body << "</table></td></tr>"
         << "</table>"
         << "<table><tr><td><b>Field Information for fixed trend execution</b></td></tr></table>";
    EXPECT_EQ(lines.mid(19, body.size()), body);

    // One table per field; the price row only where the field's crop is not the trended one.
    const QStringList tables = lines.mid(19 + body.size(), lines.size() - 2 - 19 - body.size());
    int k = 0;
    for (const auto& field : *option) {
        ++k;
        const qsizetype at = tables.indexOf("<table bgcolor='#CCFFFF' border=1><tr><td colspan='2'><b>Field split #" +
                                            QString::number(k) + "</b></td></tr>");
        ASSERT_GE(at, 1) << k;
        EXPECT_EQ(tables[at - 1], "<table><tr><td></td></tr></table>");
        const QStringList table = tables.mid(at, tables.indexOf("</table>", at) - at + 1);
        const korvel::Crop& crop = *field->theCrop;
        EXPECT_EQ(table[1], "<tr><td>Crop:</td><td>" + QString::fromStdString(crop.cropType) + "</td></tr>");
        EXPECT_EQ(table[2], "<tr><td>Acres:</td><td>" + QString::fromStdString(korvel::num::plainText(field->acres)) +
                                " acres</td></tr>");
        EXPECT_EQ(table[3],
                  "<tr><td>Gross Irrigation</td><td>" + money(field->Depth / 0.85, "##0.0") + " inches</td></tr>");
        const bool priced = table.join('\n').contains("<tr><td>Crop Price:</td>");
        EXPECT_EQ(priced, crop.cropType != "Corn") << crop.cropType;
        if (priced) {
            EXPECT_EQ(table[4],
                      "<tr><td>Crop Price:</td><td>$" + money(crop.price, "###,###,##0.00") + "/bushels</td></tr>");
        }
        EXPECT_EQ(table[table.size() - 2], "<tr><td>Irrigation System Efficiency:</td><td>85%</td></tr>");
        EXPECT_EQ(table.size(), priced ? 11 : 10);
    }
    EXPECT_EQ(k, option->Count());
}

TEST_F(TrendExportTest, FixedTrendOfTwoProcessesWritesAColumnHeaderAndLeavesOutTheTrendedEfficiency)
{
    openWithTrends();
    const auto option = startFixedTrendOnTwoCrops();
    ASSERT_TRUE(option);
    manualValues(0, QStringLiteral("4, 5, 6"));
    setup().cmdAddBatchProcess->click();
    manualValues(3, QStringLiteral("80, 90, 95, 100"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(session.TrendResultGrid.dimensions(), 2);

    const QString path = exportPath("fixed2.xls");
    exportFixed(path);
    const QStringList lines = fileLines(path);
    ASSERT_GT(lines.size(), 19);
    const QStringList header = {
        "<tr><td></td><td align='center' bgcolor='#cccccc'><b>Irrigation System Efficiency (%)</b></td></tr>",
        "<tr><td bgcolor='#cccccc'><b>Crop Price - Corn ($/ bu.)</b></td><td><table bgcolor='#cccccc' border=1>",
        "<td>80.00</td>",
        "<td>90.00</td>",
        "<td>95.00</td>",
        "<td>100.00</td>",
        "</table></td></tr>",
        "<tr><td><table bgcolor='#cccccc' border=1>",
        "<tr><td>4.00</td></tr>",
        "<tr><td>5.00</td></tr>",
        "<tr><td>6.00</td></tr>",
        "</table></td>",
        "<td><table>",
        "<tr>"};
    EXPECT_EQ(lines.mid(21, header.size()), header);
    const double A = acresOf(*option);
    const korvel::TrendGrid& grid = session.TrendResultGrid;
    for (std::size_t j = 0; j < 4; ++j)
        EXPECT_EQ(lines[21 + header.size() + static_cast<int>(j)],
                  "<td>$" + money(grid.at(0, j)->getProfit(session) / A, "###,##0.00") + " /ac</td>");
    EXPECT_EQ(lines.filter("<tr><td>Irrigation System Efficiency:").size(), 0);
    EXPECT_EQ(lines.filter("<b>Field split #").size(), option->Count());
}

TEST_F(TrendExportTest, VariableTrendWritesTheFourBestOptionsOfEveryStepInAlternatingColours)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6, 7"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(view().steps().size(), 3u);

    const QString path = exportPath("variable.xls");
    exportVariable(path);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Export Complete");
    const QStringList lines = fileLines(path);
    ASSERT_GT(lines.size(), 21);
    EXPECT_EQ(lines[19], "<table><tr><td colspan=12 align=center><h2><strong>The output below shows the top results "
                         "from each option.</strong></h2><hr></td></tr></table>");
    const QStringList titles = lines.filter("Best Options for");
    ASSERT_EQ(titles.size(), 4);
    EXPECT_EQ(titles[0], "<tr><th colspan=12 align=center><h2>1st Best Options for Corn Crop Price Variable-Irrigation "
                         "Trend Process</h2></th></tr>");
    EXPECT_TRUE(titles[3].contains("<h2>4th Best Options for Corn Crop Price"));
    EXPECT_EQ(lines.filter("<tr bgcolor=#cccccc><td></td><th>Corn Crop Price</th><th>Crop</th>").size(), 4);

    // Twelve rows, the colours alternating across all four tables.
    QStringList colours;
    for (const QString& line : lines)
        if (line.startsWith("<tr bgcolor='"))
            colours << line.section('\'', 1, 1);
    ASSERT_EQ(colours.size(), 12);
    EXPECT_EQ(colours.mid(0, 4), (QStringList{"#ffcc99", "#FFFF99", "#ffcc99", "#FFFF99"}));

    // The first row: step 1, its value, the best option's fields and its net return per acre.
    const qsizetype row = lines.indexOf("<tr bgcolor='#ffcc99'><td>Step 1</td>");
    ASSERT_GT(row, 0);
    EXPECT_EQ(lines[row + 1], "<td valign=top>$5.00 / bu.</td>");
    EXPECT_EQ(lines[row + 2], "<td colspan='9'><table border=1>");
    const auto best = view().steps()[0]->entries()[0];
    const korvel::Field& f = *best->Item(1);
    const auto plain = [](double x) { return QString::fromStdString(korvel::num::plainText(x)); };
    EXPECT_EQ(lines[row + 3],
              "<tr><td valign=top>" + QString::fromStdString(f.theCrop->cropType) + "</td><td valign=top>" +
                  plain(f.acres) + "</td><td valign=top>" + money(f.Depth, "###,##0.0") + "''</td><td valign=top>$" +
                  plain(f.theCrop->price) + " / bu.</td><td valign=top>" + plain(f.theCrop->maxYield) +
                  " bushels/ac</td><td valign=top>" + plain(f.annualRain) +
                  " in.</td><td valign=top>85 %</td>"
                  "<td valign=top>" +
                  money(f.irrigCosts->getCosts(f.Depth, f.acres, f.efficiency(session)) / f.acres, "$###,###,###0") +
                  " /ac</td><td valign=top>" + money(best->Item(1)->getCosts(session) / f.acres, "$###,###,##0") +
                  " /ac</td></tr>");
    const qsizetype close = lines.indexOf("</table></td>", row);
    EXPECT_EQ(close, row + 3 + best->Count());
    EXPECT_EQ(lines[close + 1],
              "<td valign=top>" + money(best->getProfit(session) / acresOf(*best), "$###,###,##0") + " /ac</td>");
    EXPECT_EQ(lines[close + 2], "</tr>");
}

TEST_F(TrendExportTest, VariableTrendOnTheEfficiencyShowsEachStepsValueAndPlaceholdersStayEmpty)
{
    open();
    w().EnableBatch(true);
    pane().txtArea->setText(QStringLiteral("160"));
    pane().txtMax->setText(QStringLiteral("12"));
    pane().txtAnnRain->setEditText(QStringLiteral("16"));
    pane().presetButtons[5]->setChecked(true); // "100 ": one field
    tick(QStringLiteral("Fallow"), QStringLiteral("0"), QStringLiteral("0"));
    w().mnuFallBatch->trigger();
    manualValues(3, QStringLiteral("80, 90"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(view().steps().size(), 2u);

    const QString path = exportPath("efficiency.xls");
    exportVariable(path);
    const QStringList lines = fileLines(path);
    ASSERT_GT(lines.size(), 21);
    EXPECT_EQ(lines.filter("Best Options for  Irrigation System Efficiency Variable-Irrigation").size(), 4)
        << "no crop name: two blanks";
    EXPECT_EQ(lines.count("<td valign=top>80.00 %</td>"), 4) << "the step value cell of each table";
    EXPECT_TRUE(lines.join('\n').contains("<td valign=top>80.00 %</td><td valign=top>$0 /ac</td>"))
        << "the field's efficiency column shows the step's value";
    // Each step holds one real option: the tables of the second to fourth best hold rows without fields.
    const qsizetype second = lines.indexOf(lines.filter("<h2>2nd Best Options").value(0));
    ASSERT_GT(second, 0);
    EXPECT_EQ(lines.mid(second + 2, 6),
              (QStringList{"<tr bgcolor='#ffcc99'><td>Step 1</td>", "<td valign=top>80.00 %</td>",
                           "<td colspan='9'><table border=1>", "</table></td>", "<td valign=top></td>", "</tr>"}));
}

// Beside a file the user chose, names that earlier versions gave their leftovers may be another program's files:
// the export leaves them (both exports save through one frame); only this program's own leftover goes.
TEST_F(TrendExportTest, AnExportRemovesOnlyItsOwnLeftoversBesideTheChosenFile)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6"));
    setup().cmdBatchIt->click();
    const korvel::testing::TempFolder chosen;
    const std::vector<std::string> others = {"out.xls.tmp", "out.xls.1.tmp", "out.xls.42.tmp"};
    for (const std::string& name : others)
        chosen.write(name, "another program's\r\n");
    chosen.write("out.xls.kvl-a1B2c3.tmp", "left over\r\n");

    exportVariable(QString::fromStdString((chosen.path() / "out.xls").string()));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Export Complete");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(chosen.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"out.xls", "out.xls.1.tmp", "out.xls.42.tmp", "out.xls.tmp"}));
    for (const std::string& name : others)
        EXPECT_EQ(chosen.read(name), "another program's\r\n") << name;
}

TEST_F(TrendExportTest, FailuresAndCancelsOfTheFile)
{
    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6"));
    setup().cmdBatchIt->click();

    // A cancelled dialog writes nothing and says nothing.
    dialogs.clearRecord();
    view().cmdExcel->click();
    EXPECT_EQ(dialogs.fileCalls.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());

    // A file that cannot be written: the variable-trend text has no error number.
    const QString missing = exportPath("no-such-folder/out.xls");
    exportVariable(missing);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "File Error");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].text, "The file '" + missing +
                                            "' is either currently open by another program or is unaccessible at the "
                                            "moment.\nPlease check the file and try again");
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(dialogs.fileCalls[0].request.defaultName, "") << "the dialog offered no name before";

    // The dialog keeps the name it returned last; a second export replaces the first file as a whole.
    const QString path = exportPath("again.xls");
    exportVariable(path);
    const qint64 first = QFile(path).size();
    exportVariable(path);
    EXPECT_EQ(dialogs.fileCalls[0].request.defaultName, path);
    EXPECT_EQ(QFile(path).size(), first);

    // The fixed-trend text carries the error number and description.
    inside<QPushButton>(view().theResults, "Command1")->click();
    setup().backButton->click();
    startFixedTrendOnTheBestOption();
    manualValues(0, QStringLiteral("4, 5"));
    setup().cmdBatchIt->click();
    exportFixed(missing);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        "The file '" + missing +
        "' is either currently open by another program or is unaccessible at the moment.\n"
        "Please check the file and try again.  Error #75 -> "))
        << dialogs.messages[0].text.toStdString();

    // The efficiency box is not read: the field tables show the option's own gross irrigation.
    pane().txtEff->setText(QStringLiteral("0"));
    exportFixed(exportPath("box.xls"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Export Complete");

    // An option without a finite gross irrigation: nothing is written.
    session.SelectedOption->Item(1)->IrrigationEfficiency = 0.0;
    const QString zero = exportPath("zero.xls");
    exportFixed(zero);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Error #11 -> Division by zero"));
    EXPECT_FALSE(QFile::exists(zero));
}

TEST_F(TrendExportTest, EveryTextFromElsewhereIsWrittenWithItsMarkupCharactersEscaped)
{
    // A custom crop whose name and units hold &, < and >, on the shipped corn table.
    std::string corn = folder.read(std::filesystem::path("crops") / "01-corn.txt");
    corn.replace(0, corn.find('\r'), "CROP=Peas & <Beans>");
    const std::size_t units = corn.find("UNITS=");
    corn.replace(units, corn.find('\r', units) - units, "UNITS=b&u.,bu<sh>els");
    folder.write(std::filesystem::path("crops") / "custom" / "Peas.txt", corn);
    openWithTrends();
    tick(QStringLiteral("Peas & <Beans>"), QStringLiteral("60"), QStringLiteral("220"));

    // What each text is written as, wherever it goes.
    const struct {
        const char* raw;
        const char* written;
    } texts[] = {
        {"Peas & <Beans>", "Peas &amp; &lt;Beans&gt;"},
        {"b&u.", "b&amp;u."},
        {"bu<sh>els", "bu&lt;sh&gt;els"},
    };
    const auto checkEscaped = [&](const QString& path, const QStringList& mustHold) {
        const QString text = fileLines(path).join('\n');
        ASSERT_FALSE(text.isEmpty()) << path.toStdString();
        for (const auto& t : texts)
            EXPECT_FALSE(text.contains(QString::fromUtf8(t.raw))) << path.toStdString() << ": " << t.raw;
        for (const QString& part : mustHold)
            EXPECT_TRUE(text.contains(part)) << path.toStdString() << ": " << part.toStdString();
        // Outside the tags, no markup character is left bare.
        QString outside = text;
        outside.remove(QRegularExpression(QStringLiteral("<[^<>]*>")));
        outside.remove(QRegularExpression(QStringLiteral("&(amp|lt|gt);")));
        EXPECT_FALSE(outside.contains(QRegularExpression(QStringLiteral("[&<>]")))) << path.toStdString();
    };

    // The variable trend on the custom crop's price: titles and field rows.
    w().mnuFallBatch->trigger();
    setup().cboCrops->setCurrentIndex(setup().cboCrops->findText(QStringLiteral("Peas & <Beans>")));
    manualValues(0, QStringLiteral("50, 60"));
    setup().cmdBatchIt->click();
    ASSERT_EQ(view().steps().size(), 2u);
    exportVariable(exportPath("variable.xls"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    ASSERT_EQ(dialogs.messages[0].title, "Export Complete");
    checkEscaped(exportPath("variable.xls"), {QString::fromUtf8(texts[0].written) + " Crop Price</th>",
                                              "<td valign=top>" + QString::fromUtf8(texts[0].written) + "</td>",
                                              " / " + QString::fromUtf8(texts[1].written) + "</td>",
                                              " " + QString::fromUtf8(texts[2].written) + "/ac</td>"});

    // The fixed trend of the best option (it grows the custom crop) on the price of Corn: the field tables.
    inside<QPushButton>(view().theResults, "Command1")->click();
    setup().backButton->click();
    startFixedTrendOnTheBestOption();
    setup().cboCrops->setCurrentIndex(setup().cboCrops->findText(QStringLiteral("Corn")));
    manualValues(0, QStringLiteral("4, 5"));
    setup().cmdBatchIt->click();
    exportFixed(exportPath("fixed.xls"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    ASSERT_EQ(dialogs.messages[0].title, "Export Complete");
    checkEscaped(exportPath("fixed.xls"),
                 {"<tr><td>Crop:</td><td>" + QString::fromUtf8(texts[0].written) + "</td></tr>",
                  "/" + QString::fromUtf8(texts[2].written) + "</td></tr>",
                  " " + QString::fromUtf8(texts[1].written) + "/ac</td></tr>"});
}

// Run with the fault library preloaded (ctest entry korvel_ui_save_faults).
class TrendExportSaveFaults : public TrendExportTest {};

TEST_F(TrendExportSaveFaults, EveryFailingStepKeepsThePreviousFileAndSaysSo)
{
    ASSERT_TRUE(korvel::testing::InjectedFault::available()) << "run with the fault library preloaded";
    const QString path = exportPath("trend.xls");
    folder.write("trend.xls", "the previous export\r\n");
    const auto exportFailsEveryWay = [&](const std::function<void()>& exportIt, const QString& message) {
        for (const char* call : korvel::testing::kSaveFaults) {
            SCOPED_TRACE(call);
            {
                korvel::testing::InjectedFault fault(call, "trend.xls");
                exportIt();
                EXPECT_GT(fault.failures(), 0) << "the step was never taken";
            }
            EXPECT_EQ(folder.read("trend.xls"), "the previous export\r\n");
            std::vector<std::string> names;
            for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
                if (entry.is_regular_file())
                    names.push_back(entry.path().filename().string());
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, (std::vector<std::string>{"inputs.txt", "trend.xls"})); // no temporary file
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].title, "File Error");
            EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
            EXPECT_TRUE(dialogs.messages[0].text.startsWith(message)) << dialogs.messages[0].text.toStdString();
            EXPECT_FALSE(dialogs.messages[0].text.contains("created successfully"));
        }
    };
    const QString unaccessible = "The file '" + path +
                                 "' is either currently open by another program or is unaccessible at the moment.\n"
                                 "Please check the file and try again";

    openWithTrends();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6"));
    setup().cmdBatchIt->click();
    exportFailsEveryWay([&] { exportVariable(path); }, unaccessible);
    EXPECT_EQ(dialogs.messages[0].text, unaccessible);

    inside<QPushButton>(view().theResults, "Command1")->click();
    setup().backButton->click();
    startFixedTrendOnTheBestOption();
    manualValues(0, QStringLiteral("4, 5"));
    setup().cmdBatchIt->click();
    exportFailsEveryWay([&] { exportFixed(path); }, unaccessible + ".  Error #75 -> Path/File access error (");

    // With nothing armed the same export goes through.
    exportFixed(path);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Export Complete");
    EXPECT_NE(folder.read("trend.xls"), "the previous export\r\n");
}
