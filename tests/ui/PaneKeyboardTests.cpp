// One pane at a time, and the keyboard with it: the whole main road walked with keys, checking after every pane
// change that exactly one pane is shown and that the focus is on its first control (or the one named for it),
// a control that is shown, so that no key ever reaches a control of a pane left behind.
#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

#include "ui/AssembledWindow.h"
#include "ui/MainWindowFixture.h"

namespace korvel::ui::test {
namespace {

// A control by the name the tables use: its objectName, after the name of the field row holding it
// ("rh(0).cmdDetails").
QString stopName(const QWidget* w)
{
    if (!w)
        return QStringLiteral("<none>");
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (p->objectName().startsWith(QStringLiteral("rh(")))
            return p->objectName() + QLatin1Char('.') + w->objectName();
    return w->objectName();
}

// Gives the activation back to the main window the moment a progress window hides, as a window manager does:
// the pane a run then shows is shown in the active window.
class ActivationBack : public QObject {
public:
    QWidget* mainWindow = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (mainWindow && event->type() == QEvent::Hide && watched->objectName() == QLatin1String("frmUpdating")) {
            mainWindow->activateWindow();
            QApplication::setActiveWindow(mainWindow);
        }
        return false;
    }
};

class PaneKeyboardTest : public MainWindowTest {
public:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        open();
        fillInputs();
        activate(window.get());
        activationBack.mainWindow = window.get();
        qApp->installEventFilter(&activationBack);
    }
    void TearDown() override
    {
        qApp->removeEventFilter(&activationBack);
        MainWindowTest::TearDown();
    }

    // The control that gets the next key.
    QWidget* focused() { return w().focusWidget(); }

    void press(Qt::Key key)
    {
        QWidget* target = focused();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key);
        QApplication::processEvents();
    }

    // Tab (or Shift+Tab) until the focus is on the control of that name, as a user looking for it does.
    void tabTo(const QString& name, Qt::Key key = Qt::Key_Tab)
    {
        for (int i = 0; i < 80 && stopName(focused()) != name; ++i)
            press(key);
        ASSERT_EQ(stopName(focused()), name);
    }

    ActivationBack activationBack;

    // The names of the panes not hidden.
    QStringList shownPanes()
    {
        QStringList shown;
        for (QWidget* pane : w().panes())
            if (!pane->isHidden())
                shown << pane->objectName();
        return shown;
    }
};

} // namespace

TEST_F(PaneKeyboardTest, TheMainRoadByKeyboardShowsOnePaneAtATimeWithTheFocusOnIt)
{
    const auto results = [](PaneKeyboardTest& t) -> QWidget* { return pneResults(t.w()); };
    const auto details = [](PaneKeyboardTest& t) -> QWidget* { return pneDetails(t.w()); };
    const auto summary = [](PaneKeyboardTest& t) -> QWidget* { return t.w().pneSummary(); };
    const auto mainPane = [](PaneKeyboardTest& t) -> QWidget* { return t.w().pneMain(); };
    const auto setup = [](PaneKeyboardTest& t) -> QWidget* { return trendSetupPane(t.w()); };
    const auto trendResults = [](PaneKeyboardTest& t) -> QWidget* { return trendResultsPane(t.w()); };
    const auto runVariableTrend = [](PaneKeyboardTest& t) {
        t.w().mnuFallBatch->trigger();
        t.tabTo("txtBatchList");
        QTest::keyClicks(t.focused(), "5, 6");
        t.tabTo("cmdBatchIt");
        t.press(Qt::Key_Return);
    };
    struct Step {
        const char* what;
        std::function<void(PaneKeyboardTest&)> keys;
        std::function<QWidget*(PaneKeyboardTest&)> pane; // the one pane shown afterwards
        const char* focus;                               // the control with the focus then
    };
    const Step road[] = {
        {"start-up", [](PaneKeyboardTest&) {}, mainPane, "txtArea"},
        {"Enter on Enter Irrigation Information",
         [](PaneKeyboardTest& t) {
             t.tabTo("Command8");
             t.press(Qt::Key_Return);
         },
         [](PaneKeyboardTest& t) -> QWidget* { return t.w().pneIrrigCosts(); }, "cmdHelp(15)"},
        {"Enter on Back of the irrigation costs",
         [](PaneKeyboardTest& t) {
             t.tabTo("cmdCancel(0)");
             t.press(Qt::Key_Return);
         },
         mainPane, "txtArea"},
        {"Enter on a crop's Costs/Returns",
         [](PaneKeyboardTest& t) {
             t.tabTo("cmdInputCosts");
             t.press(Qt::Key_Return);
         },
         [](PaneKeyboardTest& t) -> QWidget* { return t.w().pneInputCosts(); }, "cmdHelp(11)"},
        {"Enter on Cancel of the production costs",
         [](PaneKeyboardTest& t) {
             t.tabTo("cmdCancel(1)");
             t.press(Qt::Key_Return);
         },
         mainPane, "txtArea"},
        {"Enter on the run button",
         [](PaneKeyboardTest& t) {
             t.tabTo("Command1", Qt::Key_Backtab);
             t.press(Qt::Key_Return);
         },
         results, "rh(0).cmdDetails"},
        {"Enter on a field's details button", [](PaneKeyboardTest& t) { t.press(Qt::Key_Return); }, details,
         "Command3"},
        {"Enter on Back of the details", [](PaneKeyboardTest& t) { t.press(Qt::Key_Return); }, results,
         "rh(0).cmdDetails"},
        {"Compare this option, then Summary Table, then Space",
         [](PaneKeyboardTest& t) {
             t.tabTo("cmdSaveResult");
             t.press(Qt::Key_Space);
             ASSERT_EQ(t.w().state().summaryResults.size(), 1u);
             t.w().mnuSummary->trigger();
             t.press(Qt::Key_Space);
             EXPECT_EQ(t.w().state().summaryResults.size(), 1u) << "the hidden save button was pressed";
         },
         summary, "fgsummary"},
        {"Space on Back of the summary",
         [](PaneKeyboardTest& t) {
             t.tabTo("cmdCancel(2)");
             t.press(Qt::Key_Space);
         },
         results, "rh(0).cmdDetails"},
        {"Shift+Tab round to Back of the results, then Enter",
         [](PaneKeyboardTest& t) {
             // From the first control, one Shift+Tab goes round to the last: no stop in between.
             t.press(Qt::Key_Backtab);
             ASSERT_EQ(stopName(t.focused()), QString("Command1"));
             t.press(Qt::Key_Return);
         },
         mainPane, "txtArea"},
        {"Tools > Manage Custom Crops", [](PaneKeyboardTest& t) { t.w().mnuCustomCrop->trigger(); },
         [](PaneKeyboardTest& t) -> QWidget* { return t.w().pneCustomCrop(); }, "cmdHelp(27)"},
        {"Tools > Enable Trend Processing keeps the pane and its focus",
         [](PaneKeyboardTest& t) { t.w().mnuEnableBatch->trigger(); },
         [](PaneKeyboardTest& t) -> QWidget* { return t.w().pneCustomCrop(); }, "cmdHelp(27)"},
        {"Tools > Run a variable trend process", [](PaneKeyboardTest& t) { t.w().mnuFallBatch->trigger(); }, setup,
         "cboCrops"},
        {"Enter on Generate Trend Output", runVariableTrend, trendResults, "cmdBatchStep(1)"},
        {"Enter on a trend step's details button",
         [](PaneKeyboardTest& t) {
             t.tabTo("rh(0).cmdDetails");
             t.press(Qt::Key_Return);
         },
         details, "Command3"},
        {"Enter on Back of the details in a trend", [](PaneKeyboardTest& t) { t.press(Qt::Key_Return); }, trendResults,
         "cmdBatchStep(1)"},
        {"Enter on Back of the trend results view",
         [](PaneKeyboardTest& t) {
             t.tabTo("Command1");
             t.press(Qt::Key_Return);
         },
         setup, "cboCrops"},
        {"Enter on Run a Fixed Trend on this Option of a trend's results",
         [&runVariableTrend](PaneKeyboardTest& t) {
             runVariableTrend(t);
             t.tabTo("cmdBatchThis");
             t.press(Qt::Key_Return);
         },
         setup, "cboBatches"},
        {"Enter on Generate Trend Output of the fixed trend",
         [](PaneKeyboardTest& t) {
             t.tabTo("txtBatchList");
             QTest::keyClicks(t.focused(), "7, 8");
             t.tabTo("cmdBatchIt");
             t.press(Qt::Key_Return);
         },
         trendResults, "rh(0).cmdDetails"},
        {"Enter on Back of the fixed trend's results, then Back of the setup: the trend's results it came from",
         [](PaneKeyboardTest& t) {
             t.tabTo("Command1");
             t.press(Qt::Key_Return);
             t.tabTo("Command10");
             t.press(Qt::Key_Return);
         },
         trendResults, "cmdBatchStep(1)"},
        {"Tools > Enable Trend Processing, switching it off",
         [](PaneKeyboardTest& t) { t.w().mnuEnableBatch->trigger(); }, mainPane, "txtArea"},
    };
    for (const Step& step : road) {
        SCOPED_TRACE(step.what);
        step.keys(*this);
        QApplication::processEvents(); // what the event loop does before the next key
        QWidget* pane = step.pane(*this);
        EXPECT_EQ(shownPanes(), QStringList{pane->objectName()}) << dialogs.lastText().toStdString();
        EXPECT_EQ(stopName(focused()), QString(step.focus));
        ASSERT_NE(focused(), nullptr);
        EXPECT_TRUE(focused()->isVisible());
        EXPECT_TRUE(pane->isAncestorOf(focused()));
    }
}

} // namespace korvel::ui::test
