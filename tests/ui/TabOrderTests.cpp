// The keyboard order of every pane and window: Tab, pressed for real, visits the controls in reading order (top
// to bottom and left to right, a group box's or a form column's controls together), reaches every control that
// can take the focus, and brings a crop row below the fold into view.
#include <QApplication>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "ui/AssembledWindow.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/OptionsWindow.h"
#include "ui/main/WelcomeWindow.h"
#include "ui/platform/Twips.h"

namespace korvel::ui::test {
namespace {

// The name a Tab stop goes by in the tables: its objectName, after the name of the crop row or field row
// holding it ("cr(1).txtPrice", "rh(0).cmdDetails").
QString stopName(const QWidget* w)
{
    if (!w)
        return QStringLiteral("<none>");
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const CropRow*>(p) || p->objectName().startsWith(QStringLiteral("rh(")))
            return p->objectName() + QLatin1Char('.') + w->objectName();
    return w->objectName();
}

// The control of that stop name under root, a shown one first (a view may hold a hidden control of the same
// name, as the trend results view's own export button beside its browser's).
QWidget* stopNamed(QWidget* root, const QString& name)
{
    QWidget* hidden = nullptr;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (stopName(w) == name) {
            if (w->isVisible())
                return w;
            hidden = hidden ? hidden : w;
        }
    return hidden;
}

// The stops Tab (or Shift+Tab) visits from first, first included: count real key presses' worth.
QStringList pressFrom(QWidget* first, int count, Qt::Key key = Qt::Key_Tab)
{
    first->setFocus(Qt::TabFocusReason);
    QStringList stops{stopName(QApplication::focusWidget())};
    for (int i = 1; i < count && QApplication::focusWidget(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        stops << stopName(QApplication::focusWidget());
    }
    return stops;
}

// Every control under root that can take the focus now, by stop name, but for the radio buttons: Tab stops
// once in a group of them (at its ticked button, or the first it meets), the arrow keys move within it.
QSet<QString> reachable(QWidget* root)
{
    QSet<QString> names;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            !w->objectName().isEmpty() && !qobject_cast<QRadioButton*>(w))
            names.insert(stopName(w));
    return names;
}

QSet<QString> withoutRadioButtons(QWidget* root, const QStringList& chain)
{
    QSet<QString> names;
    for (const QString& name : chain)
        if (!qobject_cast<QRadioButton*>(stopNamed(root, name)))
            names.insert(name);
    return names;
}

// The first step of the chain that goes against reading order, or "": a step to the left on the same line, or
// up to a place not wholly to the right (a column to the right may start higher up).
QString againstReadingOrder(QWidget* root, const QStringList& chain)
{
    for (int i = 1; i < chain.size(); ++i) {
        QWidget* a = stopNamed(root, chain[i - 1]);
        QWidget* b = stopNamed(root, chain[i]);
        if (!a || !b)
            return chain[i - 1] + " -> " + chain[i] + " (not found)";
        const QRect ra(a->mapTo(root->window(), QPoint(0, 0)), a->size());
        const QRect rb(b->mapTo(root->window(), QPoint(0, 0)), b->size());
        const bool sameLine = ra.top() <= rb.bottom() && rb.top() <= ra.bottom();
        if (sameLine ? rb.left() < ra.left() : rb.top() < ra.top() && rb.left() <= ra.right())
            return chain[i - 1] + " -> " + chain[i];
    }
    return {};
}

// Checks that Tab from the chain's first stop visits exactly the chain, in reading order, and that the chain
// holds every control of root that can take the focus.
void expectChain(QWidget* root, const QStringList& chain, const std::string& what)
{
    QWidget* first = stopNamed(root, chain.front());
    ASSERT_NE(first, nullptr) << what;
    EXPECT_EQ(pressFrom(first, static_cast<int>(chain.size())), chain) << what;
    EXPECT_EQ(reachable(root), withoutRadioButtons(root, chain)) << what;
    EXPECT_EQ(againstReadingOrder(root, chain), QString()) << what;
}

QStringList cropRowStops(int row, bool ticked)
{
    const QString r = arrayName(QStringLiteral("cr"), row) + QLatin1Char('.');
    if (!ticked)
        return {r + "chkCrop"};
    return {r + "chkCrop", r + "txtPrice", r + "txtMaxYield", r + "cmdInputCosts"};
}

class TabOrderTest : public MainWindowTest {
public:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        open();
        activate(window.get());
        ASSERT_EQ(rowNames(),
                  (QStringList{"Corn", "Grain Sorghum", "Wheat", "Sunflower", "Alfalfa", "Soybeans", "Fallow"}));
    }
};

const QStringList kMainInputs{"txtArea",    "cmdHelp(0)", "txtSoil",    "cmdHelp(29)", "txtEff",     "cmdHelp(2)",
                              "Command8",   "cmdHelp(1)", "txtAnnRain", "cmdHelp(3)",  "txtMax",     "cmdHelp(4)",
                              "cmdHelp(5)", "cmdHelp(6)", "Option1(0)", "cmdHelp(10)", "cmdHelp(9)", "cmdHelp(28)"};

const QStringList kGeneralInputCosts{"cmdHelp(11)", "txtNitrogenCost", "txtNitrogenApplied", "chkNOptimal",
                                     "cmdHelp(22)", "txtPCost",        "txtPApplied",        "chkPOptimal",
                                     "cmdHelp(23)", "txtSeedCost",     "txtSeedRate",        "chkSeedOptimal",
                                     "cmdHelp(24)", "txtHerbicide",    "txtInsecticide"};
const QStringList kOperationAndOtherCosts{"cmdHelp(13)",
                                          "txtTillage",
                                          "txtPlanting",
                                          "txtFertilizerApplication",
                                          "txtHerbicideApplication",
                                          "txtInsecticideApplication",
                                          "cmdHelp(12)",
                                          "txtReturns",
                                          "cmdHelp(21)",
                                          "txtMiscCost"};
const QStringList kProductionCostButtons{"cmdDefault", "cmdHelp(14)", "Command13", "cmdCancel(1)", "Command6"};

} // namespace

TEST_F(TabOrderTest, EveryPaneOfTheMainWindowInReadingOrder)
{
    struct Case {
        const char* what;
        std::function<QWidget*(TabOrderTest&)> show; // shows the pane, returns it
        QStringList chain;
    };
    const auto mainPane = [](TabOrderTest& t) -> QWidget* {
        t.row("Corn")->chkCrop->setChecked(true);
        t.row("Alfalfa")->chkCrop->setChecked(true);
        t.w().ShowPane(&t.pane());
        return &t.pane();
    };
    const auto costsOf = [](const char* crop) {
        return [crop](TabOrderTest& t) -> QWidget* {
            t.row(crop)->chkCrop->setChecked(true);
            t.row(crop)->cmdInputCosts->click();
            return t.w().pneInputCosts();
        };
    };
    const Case cases[] = {
        {"main pane, Corn and Alfalfa ticked", mainPane,
         kMainInputs + cropRowStops(0, true) + cropRowStops(1, false) + cropRowStops(2, false) +
             cropRowStops(3, false) + cropRowStops(4, true) + cropRowStops(5, false) + cropRowStops(6, false) +
             QStringList{"Command7", "Command1"}},
        {"production costs of a grain crop", costsOf("Corn"),
         kGeneralInputCosts + kOperationAndOtherCosts +
             QStringList{"txtHarvestBase", "txtExceed", "txtExceedCost", "txtHaulingCost", "txtFlatRate"} +
             kProductionCostButtons},
        {"production costs of a forage crop", costsOf("Alfalfa"),
         kGeneralInputCosts + kOperationAndOtherCosts +
             QStringList{"txtSwathing", "txtSwathingNum", "txtRaking", "txtRakingNum", "txtBaling", "txtBalingNum",
                         "txtAlfFlat", "txtStand"} +
             kProductionCostButtons},
        {"irrigation costs",
         [](TabOrderTest& t) -> QWidget* {
             t.pane().irrigationButton->click();
             return t.w().pneIrrigCosts();
         },
         {"cmdHelp(15)",  "txtGPM",          "cmdHelp(16)", "txtEstHours",       "cmdHelp(7)",           "txtLift",
          "cmdHelp(17)",  "txtPSI",          "cmdHelp(18)", "cboFuelType",       "cmdHelp(19)",          "txtCost",
          "cmdHelp(20)",  "txtLaborPerHour", "cmdHelp(8)",  "txtRepairsPerAcre", "cmdDefaultIrrigCosts", "Command4",
          "cmdCancel(0)", "Command9"}},
        {"custom crops",
         [](TabOrderTest& t) -> QWidget* {
             t.w().pneCustomCrop()->open();
             return t.w().pneCustomCrop();
         },
         {"cmdHelp(27)", "cboCustomGrid(0)", "txtCustom(0)", "cboCustomGrid(4)", "cboCustomGrid(1)", "cboCustomGrid(2)",
          "cboCustomGrid(3)", "cmdCustomGrid(0)", "cboCustomGrid(5)", "dgCustom", "cmdCustomGrid(3)",
          "cmdCustomGrid(4)", "cmdCustomGrid(2)", "cmdCustomGrid(5)"}},
        {"summary",
         [](TabOrderTest& t) -> QWidget* {
             t.w().ShowPane(t.w().pneSummary());
             return t.w().pneSummary();
         },
         {"fgsummary", "cmdExcelSave", "cmdCancel(2)"}},
        {"results of a run",
         [](TabOrderTest& t) -> QWidget* {
             t.fillInputs();
             t.pane().runButton->click();
             pneResults(t.w())->findChild<QPushButton*>("cmdAdvance")->click();
             return pneResults(t.w());
         },
         {"rh(0).cmdDetails", "rh(1).cmdDetails", "cmdPrevious", "cmdAdvance", "cmdSaveResult", "Command2",
          "Command1"}},
        {"details",
         [](TabOrderTest& t) -> QWidget* {
             t.w().ShowPane(pneDetails(t.w()));
             return pneDetails(t.w());
         },
         {"Command2", "Command3"}},
        {"trend setup",
         [](TabOrderTest& t) -> QWidget* {
             t.w().ShowPane(trendSetupPane(t.w()));
             return trendSetupPane(t.w());
         },
         {"cboCrops", "cmdHelp(26)", "optBatchVariable(0)", "optBatchOption(0)", "txtBatchMinimum(0)",
          "txtBatchMinimum(1)", "cboBatchSteps", "cmdOpenBatch(1)", "txtBatchList", "Command10", "cmdBatchIt"}},
        {"trend results, none loaded: nothing to print",
         [](TabOrderTest& t) -> QWidget* {
             t.w().ShowPane(trendResultsPane(t.w()));
             return trendResultsPane(t.w());
         },
         {"Command1"}},
    };
    for (const Case& c : cases) {
        QWidget* shown = c.show(*this);
        activate(window.get());
        ASSERT_TRUE(shown->isVisible()) << c.what;
        expectChain(shown, c.chain, c.what);
        w().ShowPane(&pane());
        dialogs.clearRecord();
    }
}

TEST_F(TabOrderTest, TheWelcomeAndOptionsWindowsInReadingOrder)
{
    {
        WelcomeWindow welcome(ProgramFolders::inOne(QString::fromStdString(folder.path().string())), session);
        activate(&welcome);
        expectChain(&welcome, {"Command1", "Command4", "cmdHelp(25)", "Command2", "Command3"}, "welcome");
    }
    QPointer<OptionsWindow> options = OptionsWindow::showOptions(session);
    ASSERT_TRUE(options);
    activate(options);
    expectChain(options, {"txtFineFactor", "cmdHelp(11)", "cmdApply", "cmdCancel"}, "options");
    OptionsWindow::unload();
}

TEST_F(TabOrderTest, TheTrendControlsInReadingOrder)
{
    fillInputs();
    w().EnableBatch(true);
    w().runEvaluation();
    activate(window.get());
    expectChain(pneResults(w()),
                {"rh(0).cmdDetails", "cmdPrevious", "cmdAdvance", "cmdSaveResult", "Command2", "Command1",
                 "cmdBatchThis", "cmdHelp(25)"},
                "results with trend processing on");

    pneResults(w())->findChild<QPushButton*>("cmdBatchThis")->click();
    activate(window.get());
    expectChain(trendSetupPane(w()),
                {"cboBatches", "cmdAddBatchProcess", "cmdHelp(25)", "cboCrops", "cmdHelp(26)", "optBatchVariable(0)",
                 "optBatchOption(0)", "txtBatchMinimum(0)", "txtBatchMinimum(1)", "cboBatchSteps", "cmdOpenBatch(1)",
                 "txtBatchList", "Command10", "cmdBatchIt"},
                "fixed trend setup");

    trendSetupPane(w())->txtBatchList->setText(QStringLiteral("5,6"));
    trendSetupPane(w())->cmdBatchIt->click();
    activate(window.get());
    ASSERT_FALSE(trendResultsPane(w())->isHidden()) << dialogs.lastText().toStdString();
    expectChain(trendResultsPane(w()),
                {"rh(0).cmdDetails", "cmdPrevious", "cmdAdvance", "cmdSaveResult", "Command2", "Command1",
                 "cmdBatchThis", "cmdHelp(25)", "cmdHelp2(0)", "cmdExcel", "cmdHelp3(1)"},
                "fixed trend results");
    // Tab goes round the results, never into the setup pane left behind.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(stopName(QApplication::focusWidget()), "rh(0).cmdDetails");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(stopName(QApplication::focusWidget()), "cmdHelp3(1)");
}

TEST_F(TabOrderTest, TheVariableTrendResultsInReadingOrder)
{
    fillInputs();
    w().EnableBatch(true);
    w().mnuFallBatch->trigger();
    trendSetupPane(w())->optBatchVariable[0]->click();
    trendSetupPane(w())->txtBatchList->setText(QStringLiteral("5, 6, 7"));
    trendSetupPane(w())->cmdBatchIt->click();
    activate(window.get());
    ASSERT_TRUE(trendResultsPane(w())->isVisible()) << dialogs.lastText().toStdString();
    expectChain(trendResultsPane(w()),
                {"cmdBatchStep(1)", "cmdBatchStep(0)", "cmdExcel", "rh(0).cmdDetails", "cmdPrevious", "cmdAdvance",
                 "cmdSaveResult", "Command2", "Command1", "cmdBatchThis", "cmdHelp(25)"},
                "variable trend results");
}

TEST_F(TabOrderTest, ShiftTabWalksTheMainPaneBackwards)
{
    QStringList chain = kMainInputs;
    // With no preset ticked, Shift+Tab meets the last of the land-split buttons first.
    chain.replace(chain.indexOf("Option1(0)"), "Option1(5)");
    for (int r = 0; r < 7; ++r)
        chain << cropRowStops(r, false);
    chain << "Command7"
          << "Command1";
    QStringList backwards(chain.rbegin(), chain.rend());
    EXPECT_EQ(pressFrom(pane().runButton, static_cast<int>(backwards.size()), Qt::Key_Backtab), backwards);
}

TEST_F(TabOrderTest, FromThePressureTabReachesTheFuelTypeBeforeTheFuelCost)
{
    pane().irrigationButton->click();
    QLineEdit* psi = find<QLineEdit>("txtPSI");
    psi->setFocus(Qt::TabFocusReason);
    QStringList stops;
    while (stops.size() < 5 && !stops.contains("txtCost")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << stopName(QApplication::focusWidget());
    }
    EXPECT_EQ(stops, (QStringList{"cmdHelp(18)", "cboFuelType", "cmdHelp(19)", "txtCost"}));
}

TEST_F(TabOrderTest, TabbingIntoACropRowOutOfViewScrollsItInAndKeepsTheFocusThere)
{
    QWidget* holder = pane().cropFrameHolder;
    auto inView = [&](int i) {
        const CropRow* r = w().cr(i);
        return QRect(QPoint(0, 0), holder->size()).contains(QRect(r->mapTo(holder, QPoint(0, 0)), r->size()));
    };
    ASSERT_TRUE(pane().cropScroll->isEnabled());
    ASSERT_FALSE(inView(6)) << "the last of the seven rows starts in view and ends below it";

    w().cr(5)->chkCrop->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w().cr(5)->chkCrop, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().cr(6)->chkCrop) << "the focus stays in the row";
    EXPECT_TRUE(inView(6));
    EXPECT_GT(pane().cropScroll->value(), 0) << "the scroll bar follows the rows";
    EXPECT_EQ(pane().cropFrame->y(), -twips(pane().cropScroll->value()));

    for (int i = 0; i < 6; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), w().cr(0)->chkCrop);
    EXPECT_TRUE(inView(0)) << "back up at the first row, the rows scroll back";
    EXPECT_EQ(pane().cropScroll->value(), 0);
}

} // namespace korvel::ui::test
