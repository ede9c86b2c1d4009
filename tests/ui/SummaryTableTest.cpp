// The summary of saved options: columns per field with their captions and colours, deletion by clicking a
// column, and the comma-separated export.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "faults/InjectedFault.h"
#include "ui/ResultFixtures.h"
#include "ui/ScriptedDialogService.h"
#include "ui/main/SummaryTable.h"

using namespace korvel;
using namespace korvel::test;
using korvel::ui::MsgAnswer;
using korvel::ui::MsgButtons;
using korvel::ui::MsgIcon;
using korvel::ui::OptionList;
using korvel::ui::SummaryTable;

namespace {

std::shared_ptr<Field> onSiltLoam(std::shared_ptr<Field> f)
{
    f->theCrop->soilName = "Silt Loam";
    return f;
}

class SummaryTableView : public ::testing::Test {
protected:
    SummaryTableView()
    {
        session.IrrigationEfficiency = 0.9;
        table.hooks.showPane = [this] { ++shown; };
        table.resize(900, 500);
        table.show();
    }

    QTableWidget* grid() { return child<QTableWidget>(&table, "fgsummary"); }
    std::string cell(int row, int column)
    {
        const QTableWidgetItem* item = grid()->item(row, column);
        return item ? item->text().toStdString() : std::string();
    }
    std::vector<std::string> headers()
    {
        std::vector<std::string> out;
        for (int c = 1; c < grid()->columnCount(); ++c)
            out.push_back(cell(0, c));
        return out;
    }
    void clickColumn(int column)
    {
        const QRect r = grid()->visualItemRect(grid()->item(1, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, r.center());
    }
    std::string saveTo(const QString& path)
    {
        dialogs.files.push_back(path);
        child<QAbstractButton>(&table, "cmdExcelSave")->click();
        QFile file(path.endsWith(".csv") ? path : path + ".csv");
        if (!file.open(QIODevice::ReadOnly))
            return "<no file>";
        return file.readAll().toStdString();
    }

    ui::test::ScriptedDialogs dialogs;
    SessionState session;
    OptionList saved;
    int shown = 0;
    SummaryTable table{session, saved};
};

TEST_F(SummaryTableView, OneColumnPerFieldWithCaptionsFiguresAndOptionColours)
{
    saved = {makeOption({onSiltLoam(cornField())}), makeOption({onSiltLoam(wheatField()), onSiltLoam(cornField())}),
             makeOption({onSiltLoam(wheatField())})};
    table.showSummary();
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(grid()->rowCount(), 12);
    ASSERT_EQ(grid()->columnCount(), 5);
    EXPECT_TRUE(grid()->isVisible());
    EXPECT_EQ(text(&table, "Label59(1)"),
              "Saved options are displayed in the table below.  Remove a column by clicking it.");
    EXPECT_EQ(text(&table, "Label57(1)"), "Summary of Saved Options");
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(headers(), (std::vector<std::string>{"Saved Option #1", "Saved Option #2 - Field #1",
                                                   "Saved Option #2 - Field #2", "Saved Option #3"}));

    const std::vector<std::string> captions = {
        "Crop",           "Acres",           "Soil",    "Price",     "Yield", "Annual Rainfall", "Gross Irrigation",
        "Net Irrigation", "Operating Costs", "Returns", "Net Return"};
    const std::vector<std::string> corn = {"Corn",   "60",    "Silt Loam",  "$8.00/bu.",    "180.0 bu./ac", "16''",
                                           "10.0''", "9.0''", "$170 /acre", "$1,440 /acre", "$1,270 /acre"};
    const std::vector<std::string> wheat = {"Wheat", "40",    "Silt Loam", "$5.00/bu.",  "60.0 bu./ac", "16''",
                                            "5.0''", "4.5''", "$25 /acre", "$300 /acre", "$275 /acre"};
    for (int row = 1; row < 12; ++row) {
        EXPECT_EQ(cell(row, 0), captions[row - 1]);
        EXPECT_EQ(cell(row, 1), corn[row - 1]) << "row " << row;
        EXPECT_EQ(cell(row, 2), wheat[row - 1]) << "row " << row;
        EXPECT_EQ(cell(row, 3), corn[row - 1]) << "row " << row;
    }

    const QColor green(0, 128, 0), blue(0, 0, 255), white(255, 255, 255);
    const QColor expected[] = {green, blue, blue, green};
    for (int c = 1; c <= 4; ++c) {
        for (int row = 1; row < 12; ++row) {
            EXPECT_EQ(grid()->item(row, c)->background().color(), expected[c - 1]) << row << "," << c;
            EXPECT_EQ(grid()->item(row, c)->foreground().color(), white) << row << "," << c;
        }
        EXPECT_NE(grid()->item(0, c)->background().color(), expected[c - 1]);
    }
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(grid()->columnWidth(c), 100);
    EXPECT_EQ(grid()->palette().color(QPalette::Highlight), QColor(128, 128, 255));
}

// Options saved from the steps of a variable trend on the rainfall were computed with different rainfalls: each
// column shows its own field's, whatever the main pane's box holds by then.
TEST_F(SummaryTableView, RainfallRowShowsTheRainfallEachOptionWasComputedWith)
{
    auto wet = cornField();
    wet->annualRain = 20;
    auto dry = wheatField();
    dry->annualRain = 12.5;
    saved = {makeOption({cornField()}), makeOption({wet, dry})};
    table.showSummary();
    EXPECT_EQ(cell(6, 1), "16''");
    EXPECT_EQ(cell(6, 2), "20''");
    EXPECT_EQ(cell(6, 3), "12.5''");
}

TEST_F(SummaryTableView, ConfirmedClickRemovesTheOptionWhoseColumnItIs)
{
    struct Case {
        int column;
        MsgAnswer answer;
        std::vector<std::string> remaining; // the crops of the options left, in order
    };
    const Case cases[] = {
        {2, MsgAnswer::Yes, {"Corn", "Sunflower"}},
        {3, MsgAnswer::Yes, {"Corn", "Sunflower"}},
        {4, MsgAnswer::Yes, {"Corn", "Wheat"}},
        {1, MsgAnswer::Yes, {"Wheat", "Sunflower"}},
        {0, MsgAnswer::Yes, {"Corn", "Wheat", "Sunflower"}}, // the caption column
        {2, MsgAnswer::No, {"Corn", "Wheat", "Sunflower"}},
    };
    for (const Case& c : cases) {
        auto sunflower = makeField(30, 6, makeCrop("Sunflower", "lb", 0.2, 1500));
        saved = {makeOption({cornField()}), makeOption({wheatField(), cornField()}), makeOption({sunflower})};
        table.showSummary();
        shown = 0;
        dialogs.clearRecord();
        dialogs.answers = {c.answer};
        clickColumn(c.column);

        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "Do you want to delete this saved result?");
        EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Question);
        EXPECT_EQ(dialogs.messages[0].title, "Delete?");
        std::vector<std::string> left;
        for (const auto& option : saved)
            left.push_back(option->Item(1)->theCrop->cropType);
        EXPECT_EQ(left, c.remaining) << "column " << c.column;
        EXPECT_EQ(shown, c.answer == MsgAnswer::Yes ? 1 : 0) << "column " << c.column;
    }

    // After removing the second option the former third is headed with the number 2.
    auto sunflower = makeField(30, 6, makeCrop("Sunflower", "lb", 0.2, 1500));
    saved = {makeOption({cornField()}), makeOption({wheatField(), cornField()}), makeOption({sunflower})};
    table.showSummary();
    dialogs.answers = {MsgAnswer::Yes};
    clickColumn(3);
    EXPECT_EQ(headers(), (std::vector<std::string>{"Saved Option #1", "Saved Option #2"}));
    EXPECT_EQ(cell(1, 2), "Sunflower");
}

TEST_F(SummaryTableView, DeletingTheLastOptionHidesTheGrid)
{
    saved = {makeOption({cornField()})};
    table.showSummary();
    dialogs.answers = {MsgAnswer::Yes};
    clickColumn(1);
    EXPECT_TRUE(saved.empty());
    EXPECT_FALSE(grid()->isVisible());
    EXPECT_EQ(text(&table, "Label59(1)"), "No saved results.  Run a scenario and click the 'Save Results' button "
                                          "to add items to be displayed on this page");
}

TEST_F(SummaryTableView, FiguresWithoutAFiniteValueAreEmptyCells)
{
    auto bare = cornField();
    bare->acres = 0;
    saved = {makeOption({bare})};
    table.showSummary();
    EXPECT_EQ(cell(2, 1), "0");
    for (int row : {9, 10, 11})
        EXPECT_EQ(cell(row, 1), "") << row;

    session.IrrigationEfficiency = 0;
    saved = {makeOption({cornField()})};
    table.showSummary();
    for (int row : {7, 9, 11})
        EXPECT_EQ(cell(row, 1), "") << row;
    EXPECT_EQ(cell(10, 1), "$1,440 /acre");
    EXPECT_EQ(cell(8, 1), "9.0''");
}

TEST_F(SummaryTableView, ExportWritesEveryRowAsCommaSeparatedTextReplacingTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("table.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older and much longer table that must not survive\r\n");
    }
    saved = {makeOption({onSiltLoam(cornField())}), makeOption({onSiltLoam(wheatField())})};
    table.showSummary();
    // Leading comma from the empty corner cell; a money text of 1,000 or more is quoted, so it stays one field.
    EXPECT_EQ(saveTo(path), ",Saved Option #1,Saved Option #2\r\n"
                            "Crop,Corn,Wheat\r\n"
                            "Acres,60,40\r\n"
                            "Soil,Silt Loam,Silt Loam\r\n"
                            "Price,$8.00/bu.,$5.00/bu.\r\n"
                            "Yield,180.0 bu./ac,60.0 bu./ac\r\n"
                            "Annual Rainfall,16'',16''\r\n"
                            "Gross Irrigation,10.0'',5.0''\r\n"
                            "Net Irrigation,9.0'',4.5''\r\n"
                            "Operating Costs,$170 /acre,$25 /acre\r\n"
                            "Returns,\"$1,440 /acre\",$300 /acre\r\n"
                            "Net Return,\"$1,270 /acre\",$275 /acre\r\n");
    ASSERT_EQ(dialogs.fileCalls.size(), 1u);
    EXPECT_EQ(dialogs.fileCalls[0].kind, ui::test::ScriptedDialogService::FileKind::Save);
    EXPECT_EQ(dialogs.fileCalls[0].request.filter, "Comma Separated Values|*.csv");
    EXPECT_TRUE(dialogs.messages.empty());                                        // no message follows a save
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"table.csv"}); // no temporary file left

    // A name typed without an extension gets ".csv".
    EXPECT_EQ(saveTo(dir.filePath("plain")).substr(0, 33), ",Saved Option #1,Saved Option #2\r");
}

// Files beside the chosen one that earlier versions would have taken for their leftovers may be another
// program's: they stay. Only this program's own leftover of a save cut short goes.
TEST_F(SummaryTableView, AnExportRemovesOnlyItsOwnLeftoversBesideTheChosenFile)
{
    QTemporaryDir dir;
    const QStringList others = {"table.csv.tmp", "table.csv.1.tmp", "table.csv.99.tmp"};
    for (const QString& name : others + QStringList{"table.csv.kvl-a1B2c3.tmp"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("another program's\r\n");
    }
    saved = {makeOption({cornField()})};
    table.showSummary();
    EXPECT_NE(saveTo(dir.filePath("table.csv")), "<no file>");
    EXPECT_TRUE(dialogs.messages.empty());
    QStringList expected = others + QStringList{"table.csv"};
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
}

TEST_F(SummaryTableView, CancelledOrFailedExportWritesNothing)
{
    QTemporaryDir dir;
    saved = {makeOption({cornField()})};
    table.showSummary();

    dialogs.files.push_back(std::nullopt);
    child<QAbstractButton>(&table, "cmdExcelSave")->click();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());

    const QString unwritable = dir.filePath("no such folder/table.csv");
    EXPECT_EQ(saveTo(unwritable), "<no file>");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "File Error");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(dialogs.lastText().contains("could not be saved"));
    EXPECT_TRUE(dialogs.lastText().contains("table.csv"));
}

TEST(SummaryTableCsv, ExactlyTheCellsHoldingACommaAQuoteOrALineBreakAreQuoted)
{
    const struct {
        const char* cell;
        const char* written;
    } cases[] = {
        {"", ""},
        {"Corn", "Corn"},
        {"$8.00/bu.", "$8.00/bu."},
        {"16''", "16''"},               // the inch sign is two apostrophes, not a quote
        {" Silt Loam ", " Silt Loam "}, // blanks stay as they are
        {"$1,166 /acre", "\"$1,166 /acre\""},
        {"Corn \"early\"", "\"Corn \"\"early\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"a,\"b\"", "\"a,\"\"b\"\"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::csvCell(QString::fromUtf8(c.cell)).toStdString(), c.written) << c.cell;
}

TEST_F(SummaryTableView, AnExportReadsBackAsTheGridWhateverTheCellsHold)
{
    QTemporaryDir dir;
    auto big = onSiltLoam(cornField());
    big->theCrop->cropType = "Corn, \"late\"\nsown";
    big->theCrop->price = 1234.5;
    saved = {makeOption({big}), makeOption({onSiltLoam(wheatField())})};
    table.showSummary();
    const std::string csv = saveTo(dir.filePath("table.csv"));
    EXPECT_NE(csv.find("Crop,\"Corn, \"\"late\"\"\nsown\",Wheat\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Price,\"$1,234.50/bu.\",$5.00/bu.\r\n"), std::string::npos) << csv;

    // Read back by the comma-separated rules, every row has one field per column and gives the grid's texts.
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char ch = csv[i];
        if (quoted) {
            if (ch == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
                rows.back().back() += csv[++i];
            else if (ch == '"')
                quoted = false;
            else
                rows.back().back() += ch;
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            rows.back().emplace_back();
        } else if (ch == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            rows.back().back() += ch;
        }
    }
    ASSERT_EQ(rows.back(), std::vector<std::string>{""}); // after the last line end
    rows.pop_back();
    ASSERT_EQ(rows.size(), 12u);
    for (int r = 0; r < 12; ++r) {
        ASSERT_EQ(rows[r].size(), 3u) << r;
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(rows[r][c], cell(r, c)) << r << "," << c;
    }
}

// Run with the fault library preloaded (ctest entry korvel_ui_save_faults).
class SummaryTableSaveFaults : public SummaryTableView {};

TEST_F(SummaryTableSaveFaults, EveryFailingStepKeepsThePreviousFileAndSaysSo)
{
    ASSERT_TRUE(korvel::testing::InjectedFault::available()) << "run with the fault library preloaded";
    QTemporaryDir dir;
    const QString path = dir.filePath("table.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the previous table\r\n");
    }
    saved = {makeOption({cornField()}), makeOption({wheatField()})};
    table.showSummary();

    for (const char* call : korvel::testing::kSaveFaults) {
        SCOPED_TRACE(call);
        dialogs.clearRecord();
        {
            korvel::testing::InjectedFault fault(call, "table.csv");
            dialogs.files.push_back(path);
            child<QAbstractButton>(&table, "cmdExcelSave")->click();
            EXPECT_GT(fault.failures(), 0) << "the step was never taken";
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), "the previous table\r\n");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"table.csv"}); // no temporary file
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, "File Error");
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith("The summary table could not be saved to \"" + path + "\": "))
            << dialogs.messages[0].text.toStdString();
    }

    // With nothing armed the same export goes through.
    dialogs.clearRecord();
    EXPECT_EQ(saveTo(path).substr(0, 33), ",Saved Option #1,Saved Option #2\r");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SummaryTableView, BackGoesThroughItsHook)
{
    int back = 0;
    table.hooks.back = [&] { ++back; };
    child<QAbstractButton>(&table, "cmdCancel(2)")->click();
    EXPECT_EQ(back, 1);
}

} // namespace
