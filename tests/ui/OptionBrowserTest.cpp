// The option browser: field rows and totals against hand-computed figures, paging and the counter, saving
// an option, Back, printing and the trend frame.
#include <QAbstractButton>
#include <gtest/gtest.h>

#include "model/Errors.h"
#include "ui/ResultFixtures.h"
#include "ui/ScriptedDialogService.h"
#include "ui/results/FieldRow.h"
#include "ui/results/OptionBrowser.h"

using namespace korvel;
using namespace korvel::test;
using korvel::ui::FieldRow;
using korvel::ui::MsgButtons;
using korvel::ui::MsgIcon;
using korvel::ui::OptionBrowser;
using korvel::ui::OptionList;

namespace {

class ResultsView : public ::testing::Test {
protected:
    ResultsView() { session.IrrigationEfficiency = 0.9; }

    FieldRow* row(int k) { return child<FieldRow>(&view, ("rh(" + std::to_string(k) + ")").c_str()); }
    std::string rowText(int k, const char* label) { return text(row(k), label); }
    bool rowShown(int k) { return row(k)->isVisibleTo(&view); }
    void click(const char* name) { child<QAbstractButton>(&view, name)->click(); }
    std::string counter() { return text(&view, "lblCounter"); }

    ui::test::ScriptedDialogs dialogs;
    SessionState session;
    OptionList saved;
    OptionBrowser view{session, saved};
};

TEST_F(ResultsView, TwoFieldOptionShowsEachFieldPerAcreAndTheOptionTotal)
{
    auto corn = cornField();
    view.loadResults({makeOption({corn, wheatField()})});

    struct Expected {
        const char* label;
        const char* corn;
        const char* wheat;
    };
    const Expected rows[] = {
        {"lblAcres", "60.0", "40.0"},
        {"lblCrop", "Corn", "Wheat"},
        {"lblYield", "180.0 bu./ac", "60.0 bu./ac"},
        {"lblGross", "10.0''", "5.0''"},
        {"Label1", "/", "/"},
        {"lblNet", "9.0''", "4.5''"},
        {"lblTC", "$170 /acre", "$25 /acre"},
        {"lblTR", "$1,440 /acre", "$300 /acre"},
        {"lblProfit", "$1,270 /acre", "$275 /acre"},
    };
    for (const Expected& e : rows) {
        EXPECT_EQ(rowText(0, e.label), e.corn) << e.label;
        EXPECT_EQ(rowText(1, e.label), e.wheat) << e.label;
    }
    EXPECT_TRUE(rowShown(0));
    EXPECT_TRUE(rowShown(1));
    EXPECT_FALSE(rowShown(2));
    EXPECT_FALSE(rowShown(3));
    // (76,200 + 11,000) / 100 acres.
    EXPECT_EQ(text(&view, "lblTotalProfit"), "$872 /acre");
    EXPECT_EQ(counter(), "Option 1");
    EXPECT_EQ(view.getOption(), 1);
    EXPECT_DOUBLE_EQ(view.getTotalProfit(1), 87200);

    // The row holds its own copy of the field.
    ASSERT_NE(row(0)->theField, nullptr);
    EXPECT_NE(row(0)->theField, corn);
    EXPECT_NE(row(0)->theField->theCrop, corn->theCrop);
    EXPECT_EQ(row(0)->theField->acres, 60);
}

TEST_F(ResultsView, PagesThroughNonEmptyOptionsOnlyAndTheCounterFollows)
{
    auto four = makeOption({cornField(), wheatField(), cornField(), wheatField()});
    auto two = makeOption({wheatField(), cornField()});
    auto one = makeOption({cornField()});
    view.loadResults({four, two, one, placeholder(), placeholder()});
    EXPECT_TRUE(rowShown(3));

    click("cmdPrevious"); // nothing before the first option
    EXPECT_EQ(counter(), "Option 1");
    EXPECT_EQ(view.currentRecord, 1);
    EXPECT_TRUE(rowShown(3));

    click("cmdAdvance");
    EXPECT_EQ(counter(), "Option 2");
    EXPECT_EQ(rowText(0, "lblCrop"), "Wheat");
    EXPECT_TRUE(rowShown(1));
    EXPECT_FALSE(rowShown(2)); // hidden although the previous option had four fields
    EXPECT_FALSE(rowShown(3));

    click("cmdAdvance");
    click("cmdAdvance"); // the placeholders are never shown
    click("cmdAdvance");
    EXPECT_EQ(counter(), "Option 3");
    EXPECT_EQ(view.getOption(), 3);
    EXPECT_EQ(rowText(0, "lblCrop"), "Corn");
    EXPECT_TRUE(rowShown(0));
    EXPECT_FALSE(rowShown(1));

    click("cmdPrevious");
    EXPECT_EQ(counter(), "Option 2");

    // A new list starts again at its first option.
    view.loadResults({two, one});
    EXPECT_EQ(counter(), "Option 1");
    EXPECT_EQ(view.currentRecord, 1);
    EXPECT_EQ(rowText(0, "lblCrop"), "Wheat");
    EXPECT_THROW(view.getTotalProfit(3), IndexError);
}

TEST_F(ResultsView, NegativeNetReturnShowsTheMinusAfterTheDollar)
{
    auto poor = cornField();
    poor->theCrop->price = 0.5; // returns $90 against costs of $170 per acre
    view.loadResults({makeOption({poor})});
    EXPECT_EQ(rowText(0, "lblProfit"), "$-80 /acre");
    EXPECT_EQ(text(&view, "lblTotalProfit"), "$-80 /acre");
}

TEST_F(ResultsView, FiguresWithoutAFiniteValueAreEmptyAndFailingStepsKeepTheirText)
{
    // No acres: every per-acre figure and the total are left empty.
    auto bare = cornField();
    bare->acres = 0;
    view.loadResults({makeOption({bare})});
    EXPECT_EQ(rowText(0, "lblAcres"), "0.0");
    EXPECT_EQ(rowText(0, "lblTC"), "");
    EXPECT_EQ(rowText(0, "lblTR"), "");
    EXPECT_EQ(rowText(0, "lblProfit"), "");
    EXPECT_EQ(text(&view, "lblTotalProfit"), "");

    // An efficiency of 0: no gross depth, and no costs to divide.
    session.IrrigationEfficiency = 0;
    view.loadResults({makeOption({cornField()})});
    EXPECT_EQ(rowText(0, "lblGross"), "");
    EXPECT_EQ(rowText(0, "lblNet"), "9.0''");
    EXPECT_EQ(rowText(0, "lblTC"), "");
    EXPECT_EQ(rowText(0, "lblTR"), "$1,440 /acre");

    // A harvest rate that is text makes the costs fail: those labels keep the previous option's text.
    session.IrrigationEfficiency = 0.9;
    auto broken = wheatField();
    broken->theCrop->inputCosts.HarvestFlatRate = Variant("abc");
    view.loadResults({makeOption({cornField()}), makeOption({broken})});
    click("cmdAdvance");
    EXPECT_EQ(counter(), "Option 2");
    EXPECT_EQ(rowText(0, "lblCrop"), "Wheat");
    EXPECT_EQ(rowText(0, "lblTR"), "$300 /acre");
    EXPECT_EQ(rowText(0, "lblTC"), "$170 /acre");
    EXPECT_EQ(rowText(0, "lblProfit"), "$1,270 /acre");
}

TEST_F(ResultsView, CompareThisOptionSavesTheShownAllocationItself)
{
    auto first = makeOption({cornField()});
    auto second = makeOption({wheatField()});
    view.loadResults({first, second});
    click("cmdAdvance");
    click("cmdSaveResult");
    click("cmdSaveResult");
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0], second); // the object, not a copy
    EXPECT_EQ(saved[1], second);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text,
              "This option has been saved for comparison and is available by clicking the 'Summary Table' menu item");
    EXPECT_EQ(dialogs.messages[0].title, "Result saved");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::None);
}

TEST_F(ResultsView, BackGoesToTheTrendSetupDuringATrendElseToTheMainPaneAndDisablesPrint)
{
    std::vector<std::string> calls;
    view.hooks.showMainPane = [&] { calls.push_back("main"); };
    view.hooks.showTrendSetup = [&] { calls.push_back("trend setup"); };
    view.hooks.setPrintEnabled = [&](bool on) { calls.push_back(on ? "print on" : "print off"); };
    view.loadResults({makeOption({cornField()})});

    click("Command1");
    session.TrendMode = true;
    click("Command1");
    EXPECT_EQ(calls, (std::vector<std::string>{"main", "print off", "trend setup", "print off"}));
    // The list stays loaded.
    EXPECT_EQ(view.currentRecord, 1);
}

TEST_F(ResultsView, PrintResultsGoesThroughItsHook)
{
    view.loadResults({makeOption({cornField()})});
    click("Command2"); // without a printer hook nothing happens
    EXPECT_TRUE(dialogs.messages.empty());

    int printed = 0;
    view.hooks.printResults = [&] { ++printed; };
    click("Command2");
    EXPECT_EQ(printed, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ResultsView, DetailsButtonHandsOverTheRowsOwnCopy)
{
    std::shared_ptr<Field> received;
    view.hooks.showDetails = [&](const std::shared_ptr<Field>& f) { received = f; };
    view.loadResults({makeOption({cornField(), wheatField()})});
    child<QAbstractButton>(row(1), "cmdDetails")->click();
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received, row(1)->theField);
    EXPECT_EQ(received->theCrop->cropType, "Wheat");
}

TEST_F(ResultsView, TrendFrameFollowsTrendProcessingAndShowsTheTrendLines)
{
    auto* frame = child<QWidget>(&view, "batchDisplay");
    view.loadResults({makeOption({cornField()})});
    EXPECT_FALSE(frame->isVisibleTo(&view));

    auto trended = makeOption({cornField()});
    trended->AddBatchDescription("Crop Price", 3.5, {"$", "/bu."});
    auto plainOption = makeOption({wheatField()});
    session.BatchEnabled = true;
    view.ShowBatchedVariables(true);
    view.loadResults({trended, plainOption});
    EXPECT_TRUE(frame->isVisibleTo(&view));
    EXPECT_TRUE(child<QWidget>(&view, "pnlBatchedVariables")->isVisibleTo(&view));
    EXPECT_EQ(text(&view, "lblBatchDescriptions(0)"), "Crop Price : $3.50 /bu.");
    EXPECT_EQ(text(&view, "lblBatchDescriptions(1)"), "");

    click("cmdAdvance");
    EXPECT_EQ(text(&view, "lblBatchDescriptions(0)"), "");

    std::shared_ptr<FieldCollection> trendedOption;
    view.hooks.runFixedTrend = [&](const std::shared_ptr<FieldCollection>& o) { trendedOption = o; };
    click("cmdBatchThis");
    EXPECT_EQ(trendedOption, plainOption);

    view.ShowBatchedVariables(false);
    EXPECT_FALSE(child<QWidget>(&view, "pnlBatchedVariables")->isVisibleTo(&view));
    view.EnableBatch(false);
    EXPECT_FALSE(frame->isVisibleTo(&view));
}

TEST_F(ResultsView, AListWithoutOptionsShowsNothingAndOffersNothingToSaveOrPrint)
{
    int printed = 0;
    view.hooks.printResults = [&] { ++printed; };
    EXPECT_FALSE(child<QAbstractButton>(&view, "Command2")->isEnabled()) << "nothing loaded yet";
    view.loadResults({makeOption({cornField()})});
    EXPECT_TRUE(child<QAbstractButton>(&view, "Command2")->isEnabled());
    view.loadResults({placeholder(), placeholder()});
    EXPECT_EQ(view.currentRecord, 0);
    EXPECT_EQ(counter(), "Option 1");
    EXPECT_FALSE(rowShown(0));
    EXPECT_EQ(text(&view, "lblTotalProfit"), "");
    click("cmdSaveResult"); // disabled: nothing to save
    EXPECT_TRUE(saved.empty());
    EXPECT_FALSE(child<QAbstractButton>(&view, "Command2")->isEnabled());
    click("Command2"); // disabled: no report without an option
    EXPECT_EQ(printed, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
