// The shell of the program: the welcome window's starts, the main window's load, menus, pane history,
// resizing and closing.
#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include "trend/TrendSetupPane.h"
#include "ui/AssembledWindow.h"
#include "ui/main/CustomCropPane.h"
#include "ui/main/SummaryPane.h"
#include "ui/main/WelcomeWindow.h"
#include "ui/platform/Twips.h"
#include "ui/results/ResultsPane.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

const QString kMainInfo = QStringLiteral(
    "This program evaluates all possible combinations of water distribution over specified land divisions and the "
    "crop production outcome associated with the water use.");

QStringList shownPanes(MainWindow& w)
{
    QStringList shown;
    for (QWidget* pane : w.panes())
        if (!pane->isHidden())
            shown << pane->objectName();
    shown.sort();
    return shown;
}

} // namespace

TEST_F(MainWindowTest, LoadShowsTheMainPaneWithTheStartUpValues)
{
    open();
    EXPECT_EQ(shownPanes(w()), QStringList{"pneMain"});
    EXPECT_EQ(find<QLabel>("lblMainInfo")->text(), kMainInfo);
    EXPECT_EQ(w().state().strMainInfo, kMainInfo);
    EXPECT_EQ(pane().txtSoil->currentText(), "Silt Loam");
    EXPECT_EQ(w().state().currentSoil, "Silt Loam");
    EXPECT_EQ(session.SplitFactor, 10);
    EXPECT_EQ(w().state().MaximumBatches, 2);
    EXPECT_FALSE(session.BatchEnabled);
    EXPECT_EQ(pane().txtEff->text(), "85");
    EXPECT_EQ(pane().txtArea->text(), "");
    EXPECT_EQ(pane().txtMax->text(), "");
    EXPECT_EQ(pane().txtAnnRain->currentText(), "");
    EXPECT_EQ(pane().txtAnnRain->count(), 11);
    EXPECT_EQ(pane().txtAnnRain->itemText(0), "11");
    EXPECT_EQ(pane().txtAnnRain->itemText(10), "21");
    EXPECT_EQ(pane().selectedPreset(), -1);
    EXPECT_TRUE(pane().chkNoSplit->isHidden());
    EXPECT_TRUE(pane().chkNoSplit->isChecked());
    EXPECT_TRUE(pane().txtArraySize->isHidden());
    EXPECT_EQ(pane().txtArraySize->text(), "100");
    EXPECT_TRUE(pane().pnlBatchInstructions->isHidden());
    EXPECT_EQ(pane().runButton->text(), "");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(inputsFileExists()) << "loading writes nothing";

    const QStringList captions = {"50 - 50", "75 - 25", "33 - 33 - 33", "50 - 25 - 25", "25 - 25 - 25 - 25", "100 "};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(find<QRadioButton>(arrayName("Option1", i))->text(), captions[i]);

    // One row per library crop, "Fallow" after the library crops.
    QStringList rows;
    for (int i = 0; i < w().cropRowCount(); ++i)
        rows << w().cr(i)->GetCrop();
    EXPECT_EQ(rows, (QStringList{"Corn", "Grain Sorghum", "Wheat", "Sunflower", "Alfalfa", "Soybeans", "Fallow"}));
    EXPECT_EQ(find<QComboBox>("cboCrops")->count(), 7);
    EXPECT_EQ(find<QComboBox>("cboCrops")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>("cboBatchSteps")->currentText(), "2");
    EXPECT_EQ(find<QComboBox>("cboBatchSteps")->count(), 9);
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsNamesAndLoadStates)
{
    open();
    struct Item {
        const char* name;
        const char* caption;
        bool enabled;
    };
    const Item items[] = {
        {"mnuPrint", "Print", false},
        {"mnuExit", "Exit", true},
        {"mnuOptions", "Options", true},
        {"mnuEnableBatch", "Enable Trend Processing", true},
        {"mnuFallBatch", "Run a variable trend process", false},
        {"mnuHelp", "Help", true},
        {"mnuAboutKVL", "About Korvel...", true},
        {"mnuSummary", "Summary Table", true},
        {"mnuCustomCrop", "Manage Custom Crops", true},
    };
    for (const Item& item : items) {
        QAction* action = find<QAction>(item.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), item.caption) << item.name;
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
        EXPECT_TRUE(action->shortcut().isEmpty()) << item.name;
    }
    EXPECT_TRUE(w().mnuEnableBatch->isCheckable());
    EXPECT_FALSE(w().mnuEnableBatch->isChecked());

    QStringList menus;
    for (QAction* top : w().menuBar()->actions())
        menus << top->text();
    EXPECT_EQ(menus, (QStringList{"File", "Location", "Summary Table", "Edit", "Tools", "Help"}));
    QMenu* location = find<QMenu>("mnuLocation");
    ASSERT_EQ(location->actions().size(), 2);
    EXPECT_TRUE(location->actions()[0]->isChecked());
    EXPECT_FALSE(location->actions()[1]->isEnabled());
    EXPECT_EQ(find<QMenu>("mnuTools(1)")->title(), "Edit");
    EXPECT_EQ(find<QMenu>("mnuTools(2)")->title(), "Tools");
    EXPECT_EQ(find<QMenu>("mnuFile(0)")->title(), "File");
    EXPECT_EQ(find<QMenu>("mnuAbout")->title(), "Help");
}

TEST_F(MainWindowTest, ShowPaneShowsOnePaneAndRecordsEachNewOne)
{
    open();
    const auto atLoad = w().paneHistory().size();
    w().ShowPane(w().pneSummary());
    EXPECT_EQ(shownPanes(w()), QStringList{"pneSummary"});
    w().ShowPane(w().pneSummary());
    EXPECT_EQ(w().paneHistory().size(), atLoad + 1) << "the pane already current adds no entry";
    EXPECT_EQ(w().paneHistory().last(), w().pneSummary());

    // The two trend panes share an array name and still hide each other.
    w().ShowPane(trendSetupPane(w()));
    w().ShowPane(trendResultsPane(w()));
    EXPECT_EQ(shownPanes(w()), QStringList{"pneBatchSetup(1)"});
    w().ShowPane(trendSetupPane(w()));
    EXPECT_EQ(shownPanes(w()), QStringList{"pneBatchSetup(0)"});
    w().ShowPane(w().pneMain());
    EXPECT_EQ(shownPanes(w()), QStringList{"pneMain"});
    // Frames inside a pane are not panes.
    EXPECT_FALSE(pane().cropFrame->isHidden());
}

TEST_F(MainWindowTest, BackReturnsToThePaneShownBefore)
{
    open();
    // Main pane -> irrigation costs -> Back.
    w().ShowPane(w().pneIrrigCosts());
    w().SetMainInfo("Irrigation");
    w().returnToPreviousPane();
    EXPECT_EQ(shownPanes(w()), QStringList{"pneMain"});
    EXPECT_EQ(find<QLabel>("lblMainInfo")->text(), kMainInfo);

    // Summary from the main pane, custom crops, summary again: Back goes to the custom crops.
    w().ShowPane(w().pneSummary());
    w().ShowPane(w().pneCustomCrop());
    w().ShowPane(w().pneSummary());
    w().returnToPreviousPane();
    EXPECT_EQ(shownPanes(w()), QStringList{"pneCustomCrop"});
    // The history is not trimmed: a second Back returns to the pane just left.
    w().returnToPreviousPane();
    EXPECT_EQ(shownPanes(w()), QStringList{"pneSummary"});
}

TEST_F(MainWindowTest, ResizingKeepsTheMainPaneWidthAndCentresThePanes)
{
    open();
    w().show();
    QTest::qWait(10);
    w().resize(200, w().height());
    QApplication::processEvents();
    // Never narrower than the main pane, on a screen that has room for it (the headless screen is 800 wide).
    EXPECT_GE(w().width(), std::min(pane().width(), w().screen()->availableGeometry().width() - 16));
    // At its narrowest every pane, when shown, still fits in the client area the panes sit in (which scrolls in
    // a window narrower than it), buttons at the right edge (Apply on the cost pane) included.
    QWidget* clientArea = pane().parentWidget();
    for (QWidget* p : w().panes()) {
        w().ShowPane(p);
        QApplication::processEvents();
        EXPECT_GE(p->x(), 0) << p->objectName().toStdString();
        EXPECT_LE(p->x() + p->width(), clientArea->width()) << p->objectName().toStdString() << " is cut off";
    }
    w().ShowPane(w().pneMain());

    w().resize(1400, w().height());
    QApplication::processEvents();
    const int client = clientArea->width();
    for (QWidget* pane : {static_cast<QWidget*>(w().pneMain()), static_cast<QWidget*>(pneResults(w())),
                          static_cast<QWidget*>(w().pneSummary())})
        EXPECT_NEAR(pane->x(), (client - pane->width()) / 2.0, 1) << pane->objectName().toStdString();
    QWidget* band = find<QWidget>("shpGeneric(5)");
    EXPECT_EQ(band->width(), client - band->x() - twips(500));
}

TEST_F(MainWindowTest, TrendSavedOnComesUpOnWithoutTheExplanation)
{
    open();
    fillInputs();
    session.BatchEnabled = true;
    w().saveInputs();
    window.reset();

    korvel::SessionState fresh;
    MainWindow again(ProgramFolders::inOne(QString::fromStdString(folder.path().string())), fresh, windowPanes());
    again.load();
    EXPECT_TRUE(fresh.BatchEnabled);
    EXPECT_TRUE(fresh.TrendMessageShown);
    EXPECT_TRUE(again.mnuEnableBatch->isChecked());
    EXPECT_TRUE(again.mnuFallBatch->isEnabled());
    EXPECT_FALSE(again.pneMain()->pnlBatchInstructions->isHidden());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, TrendMenuTogglesTheSwitchAndExplainsItOnce)
{
    open();
    w().mnuEnableBatch->trigger();
    EXPECT_TRUE(session.BatchEnabled);
    EXPECT_TRUE(w().mnuEnableBatch->isChecked());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Trend processing enabled");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Trend processing is now enabled.  This is completely optional"));
    w().ShowPane(w().pneSummary());
    w().mnuEnableBatch->trigger();
    EXPECT_FALSE(session.BatchEnabled);
    EXPECT_FALSE(w().mnuEnableBatch->isChecked());
    EXPECT_EQ(shownPanes(w()), QStringList{"pneMain"}) << "switching off returns to the main pane";
    w().mnuEnableBatch->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u) << "the explanation shows once per program run";
}

TEST_F(MainWindowTest, WelcomeStartsOpenTheMainWindowAndCloseTheWelcome)
{
    {
        WelcomeWindow welcome(ProgramFolders::inOne(QString::fromStdString(folder.path().string())), session,
                              windowPanes());
        welcome.show();
        EXPECT_EQ(welcome.windowTitle(), "Welcome");
        EXPECT_EQ(welcome.findChild<QPushButton*>("Command1")->text(), "Start the Korvel");
        EXPECT_EQ(welcome.findChild<QPushButton*>("Command4")->text(), "Start the Korvel with Trend Processing");
        welcome.findChild<QPushButton*>("Command1")->click();
        QPointer<MainWindow> main = welcome.mainWindow();
        ASSERT_TRUE(main);
        EXPECT_TRUE(main->isVisible());
        EXPECT_FALSE(welcome.isVisible());
        EXPECT_FALSE(session.BatchEnabled);
        main->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(main) << "the main window goes away when closed";
    }
    {
        korvel::SessionState trend;
        WelcomeWindow welcome(ProgramFolders::inOne(QString::fromStdString(folder.path().string())), trend,
                              windowPanes());
        welcome.show();
        welcome.findChild<QPushButton*>("Command4")->click();
        QPointer<MainWindow> main = welcome.mainWindow();
        ASSERT_TRUE(main);
        EXPECT_TRUE(trend.BatchEnabled);
        EXPECT_TRUE(main->mnuEnableBatch->isChecked());
        ASSERT_EQ(dialogs.messages.size(), 1u) << "the trend start explains the switch once";
        EXPECT_EQ(dialogs.messages[0].title, "Trend processing enabled");
        EXPECT_EQ(trend.SplitFactor, 10) << "the main window loaded";
        main->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndWritesNothing)
{
    open();
    w().show();
    w().mnuExit->trigger();
    EXPECT_FALSE(w().isVisible());
    EXPECT_FALSE(inputsFileExists());
}
