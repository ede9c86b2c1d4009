// Windows on the screen: where a window opens (centred by its frame, shrunk to the screen's available area when
// larger), where the pop-up help opens (beside its button), Enter and Space on the focused button, the
// summary table growing with the window, and the cost and details panes fitting a narrow window.
#include <cmath>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "screen/WholeText.h"
#include "ui/AssembledWindow.h"
#include "ui/ResultFixtures.h"
#include "ui/main/CropRow.h"
#include "ui/main/CustomCropPane.h"
#include "ui/main/HelpScreen.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/ProductionCostPane.h"
#include "ui/main/SummaryTable.h"
#include "ui/platform/ReflowColumns.h"
#include "ui/platform/ShowCentred.h"
#include "ui/results/OptionBrowser.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

// Frame margins as a window manager draws them: a title bar on top, thin borders elsewhere.
const QMargins kFrame{1, 20, 1, 5};
const QMargins kFrameAtScale{1, 25, 1, 6};

QSize scaled(QSize size, double scale)
{
    return {static_cast<int>(std::lround(size.width() * scale)), static_cast<int>(std::lround(size.height() * scale))};
}

QRect frameOf(const QRect& client, const QMargins& m)
{
    return client.marginsAdded(m);
}

std::string show(const QRect& r)
{
    return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" + std::to_string(r.x()) + "+" +
           std::to_string(r.y());
}

// What is wrong with a pane as the window shows it: the pane area not scrolled to its top left, a button, box
// or tick box beyond the area's left or right side (reached only by scrolling sideways), cut by the pane's own
// edges, squeezed below its least height (a pane too short for its columns), two of them over each other, or a
// box or list narrower than its text. Empty when all is well.
std::vector<std::string> misplacedControls(QWidget* pane, const QScrollArea* scroller)
{
    std::vector<std::string> out;
    if (scroller->horizontalScrollBar()->value() != 0 || scroller->verticalScrollBar()->value() != 0)
        out.push_back("opened scrolled to " + std::to_string(scroller->horizontalScrollBar()->value()) + "," +
                      std::to_string(scroller->verticalScrollBar()->value()));
    std::vector<std::pair<std::string, QRect>> controls;
    for (QWidget* c : pane->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(pane))
            continue;
        if (const QString cut = cutText(*c); !cut.isEmpty())
            out.push_back(cut.toStdString());
        if (!(qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c)))
            continue;
        const std::string name = c->objectName().isEmpty() ? "(unnamed)" : c->objectName().toStdString();
        const QRect inPane(c->mapTo(pane, QPoint(0, 0)), c->size());
        const int left = c->mapTo(scroller->viewport(), QPoint(0, 0)).x();
        if (left < 0 || left + c->width() > scroller->viewport()->width())
            out.push_back(name + " beyond the sides");
        if (!pane->rect().contains(inPane))
            out.push_back(name + " cut at " + show(inPane) + " by the pane " + show(pane->rect()));
        if (c->parentWidget()->layout() && c->height() < c->minimumSizeHint().height())
            out.push_back(name + " squeezed");
        for (const auto& [other, rect] : controls) {
            if (rect.intersects(inPane)) {
                std::string overlap = name;
                overlap += " over ";
                overlap += other;
                out.push_back(overlap);
            }
        }
        controls.emplace_back(name, inPane);
    }
    return out;
}

// Every event the window has pending, those that handling them posts included (a frame shown posts a layout
// request that posts the next, up to the window).
void settle()
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
}

} // namespace

TEST(WindowPlacement, FrameCentredOnTheAvailableAreaAndShrunkWhereItDoesNotFit)
{
    const QSize mainWindow(1198, 765);
    const QSize welcome(640, 364);
    const QSize options(420, 292);
    struct Case {
        const char* name;
        QMargins frame;
        QSize designed;
        QRect area;
    };
    const Case cases[] = {
        {"main, 1366x768", kFrame, mainWindow, {0, 0, 1366, 768}},
        {"main, 1366x768, task bar below", kFrame, mainWindow, {0, 0, 1366, 728}},
        {"main, 1366x768, task bar on the left", kFrame, mainWindow, {48, 0, 1318, 768}},
        {"main, 1366x768 at 125 %", kFrameAtScale, scaled(mainWindow, 1.25), {0, 0, 1366, 768}},
        {"main, 1024x768", kFrame, mainWindow, {0, 0, 1024, 768}},
        {"main, 1024x768, task bar above", kFrame, mainWindow, {0, 32, 1024, 736}},
        {"main, 1024x768 at 125 %", kFrameAtScale, scaled(mainWindow, 1.25), {0, 0, 1024, 768}},
        {"main, 1024x768 at 125 %, task bar below", kFrameAtScale, scaled(mainWindow, 1.25), {0, 0, 1024, 728}},
        {"welcome, 1366x768", kFrame, welcome, {0, 0, 1366, 768}},
        {"welcome, 1024x768 at 125 %, task bar below", kFrameAtScale, scaled(welcome, 1.25), {0, 0, 1024, 728}},
        {"options, 1024x768, task bar on the left", kFrame, options, {48, 0, 976, 768}},
        {"options, second screen", kFrame, options, {1366, 0, 1024, 768}},
        {"larger than the area both ways", kFrame, {3000, 2000}, {0, 0, 1024, 768}},
        {"no frame", {}, welcome, {0, 0, 1024, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect client = placement(c.frame, c.designed, c.area);
        const QRect frame = frameOf(client, c.frame);
        EXPECT_TRUE(c.area.contains(frame)) << show(frame) << " outside " << show(c.area);
        const QSize wanted = c.designed.grownBy(c.frame);
        // Each direction: the designed length with the frame centred when it fits, else the whole area.
        if (wanted.width() <= c.area.width()) {
            EXPECT_EQ(client.width(), c.designed.width());
            EXPECT_LE(std::abs((frame.left() - c.area.left()) - (c.area.right() - frame.right())), 1) << show(frame);
        } else {
            EXPECT_EQ(frame.left(), c.area.left());
            EXPECT_EQ(frame.width(), c.area.width());
        }
        if (wanted.height() <= c.area.height()) {
            EXPECT_EQ(client.height(), c.designed.height());
            EXPECT_LE(std::abs((frame.top() - c.area.top()) - (c.area.bottom() - frame.bottom())), 1) << show(frame);
        } else {
            EXPECT_EQ(frame.top(), c.area.top());
            EXPECT_EQ(frame.height(), c.area.height());
        }
    }
    // Two worked by hand: the title bar lands on the screen's top row, the client right below it.
    EXPECT_EQ(placement(kFrame, mainWindow, {0, 0, 1366, 768}), QRect(84, 20, 1198, 743));
    EXPECT_EQ(placement(kFrame, welcome, {0, 0, 1366, 728}), QRect(363, 189, 640, 364));
}

TEST(WindowPlacement, BesideTheAnchorFlippingAndClampingAtTheScreenEdges)
{
    const QRect area(0, 0, 1024, 728);
    const QSize popup(390, 180);
    struct Case {
        const char* name;
        QRect anchor;
        bool right; // the frame lies wholly right of the anchor (else wholly left of it)
    };
    const Case cases[] = {
        {"room on the right", {300, 300, 18, 18}, true},
        {"at the right edge", {1000, 300, 18, 18}, false},
        {"at the bottom", {300, 700, 18, 18}, true},
        {"at the top left corner", {0, 0, 18, 18}, true},
        {"at the bottom right corner", {1006, 710, 18, 18}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect client = placementBeside(kFrame, popup, c.anchor, area);
        const QRect frame = frameOf(client, kFrame);
        EXPECT_EQ(client.size(), popup);
        EXPECT_TRUE(area.contains(frame)) << show(frame);
        if (c.right) {
            EXPECT_GT(frame.left(), c.anchor.right());
            EXPECT_LE(frame.left() - c.anchor.right(), 8) << "not beside it";
        } else {
            EXPECT_LT(frame.right(), c.anchor.left());
            EXPECT_LE(c.anchor.left() - frame.right(), 8) << "not beside it";
        }
        // Level with the anchor unless the screen's edge pushes it up.
        if (c.anchor.top() + frame.height() <= area.bottom() + 1)
            EXPECT_EQ(frame.top(), c.anchor.top());
        else
            EXPECT_EQ(frame.bottom(), area.bottom());
    }
    // Larger than the area: it takes the area.
    EXPECT_EQ(frameOf(placementBeside(kFrame, {2000, 1000}, {300, 300, 18, 18}, area), kFrame), area);
}

TEST(WindowPlacement, ClampingMovesAWindowTheLeastOntoTheArea)
{
    const QRect area(0, 0, 1024, 728);
    // Partly above and left of the screen: moved just onto it.
    EXPECT_EQ(clampedPlacement(kFrame, {-50, -10, 300, 200}, area), QRect(1, 20, 300, 200));
    // Already on it: stays.
    EXPECT_EQ(clampedPlacement(kFrame, {100, 100, 300, 200}, area), QRect(100, 100, 300, 200));
    // Below the task bar's edge: moved up.
    EXPECT_EQ(clampedPlacement(kFrame, {600, 600, 300, 200}, area), QRect(600, 523, 300, 200));
}

// The Qt glue on the headless screen (whose frames are thin borders): windows of every size open with the frame
// on the available area.
TEST(WindowPlacement, ShownWindowsOpenWithTheirFrameOnTheAvailableArea)
{
    installWindowPlacement();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize designed : {QSize(300, 200), area.size(), area.size() + QSize(400, 300)}) {
        QWidget window;
        window.resize(designed);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        const QRect frame = window.frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << show(frame) << " outside " << show(area);
        if (designed.width() < area.width() - 20) {
            EXPECT_EQ(window.size(), designed);
            EXPECT_NEAR(frame.center().x(), area.center().x(), 1);
            EXPECT_NEAR(frame.center().y(), area.center().y(), 1);
        }
    }
}

TEST_F(MainWindowTest, TheMainWindowOpensOnTheScreenAndItsPanesScrollWhenItIsSmaller)
{
    installWindowPlacement();
    open();
    w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
    QApplication::processEvents();
    const QRect area = w().screen()->availableGeometry();
    EXPECT_TRUE(area.contains(w().frameGeometry())) << show(w().frameGeometry()) << " outside " << show(area);
    // The panes keep their size and scroll in a smaller window.
    auto* scroller = find<QScrollArea>("paneScroller");
    ASSERT_NE(scroller, nullptr);
    w().resize(800, 500);
    QApplication::processEvents();
    EXPECT_GE(pane().parentWidget()->width(), pane().width());
    EXPECT_TRUE(scroller->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());
}

TEST_F(MainWindowTest, EnterAndSpacePressTheFocusedButtonOnlyAndEnterInABoxStaysTheBoxs)
{
    open();
    activate(&w());
    QPushButton* irrigation = pane().irrigationButton;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(key);
        w().ShowPane(w().pneMain());
        irrigation->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(irrigation->hasFocus());
        QTest::keyClick(irrigation, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_TRUE(w().pneIrrigCosts()->isVisible());
    }

    // Enter in a box leaves the focus in the box and presses no button; its text is still the box's to check.
    w().ShowPane(w().pneMain());
    typeInto(pane().txtArea, QStringLiteral("160"));
    QTest::keyClick(pane().txtArea, Qt::Key_Return);
    EXPECT_TRUE(pane().isVisible());
    EXPECT_FALSE(w().pneIrrigCosts()->isVisible());
    EXPECT_TRUE(pane().txtArea->hasFocus());
    EXPECT_EQ(pane().txtArea->text(), "160");

    // Enter on a button that does not have the focus does nothing; a disabled one is not pressed either.
    QTest::keyClick(irrigation, Qt::Key_Return);
    EXPECT_FALSE(w().pneIrrigCosts()->isVisible());
    irrigation->setFocus(Qt::TabFocusReason);
    irrigation->setEnabled(false);
    QTest::keyClick(irrigation, Qt::Key_Return);
    EXPECT_FALSE(w().pneIrrigCosts()->isVisible());
}

TEST_F(MainWindowTest, PopUpHelpOpensBesideItsButtonWhollyOnTheScreen)
{
    installWindowPlacement();
    open();
    w().pneCustomCrop()->open();
    activate(&w());
    const QRect area = w().screen()->availableGeometry();
    auto* button = find<QPushButton>("cmdHelp(27)");
    ASSERT_NE(button, nullptr);
    // The window at the screen's left edge, then moved so that the button lies at the screen's right edge.
    const int offset = button->mapToGlobal(QPoint(0, 0)).x() - w().frameGeometry().left();
    for (const int left : {area.left(), area.right() - offset - button->width() - 2}) {
        SCOPED_TRACE(left);
        w().move(left, area.top());
        QApplication::processEvents();
        const QRect anchor(button->mapToGlobal(QPoint(0, 0)), button->size());
        QTest::mouseClick(button, Qt::LeftButton);
        HelpScreen* popup = HelpTopics::helpScreen();
        ASSERT_NE(popup, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
        QApplication::processEvents();
        const QRect frame = popup->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << show(frame) << " outside " << show(area);
        const int gap = frame.left() > anchor.right() ? frame.left() - anchor.right() : anchor.left() - frame.right();
        EXPECT_GT(gap, 0) << "covers its button: " << show(frame) << " over " << show(anchor);
        EXPECT_LE(gap, 10) << "far from its button: " << show(frame) << ", button " << show(anchor);
        EXPECT_LE(std::abs(frame.top() - anchor.top()), std::max(0, frame.bottom() - area.bottom()) + 1);
        popup->close();
    }
}

TEST_F(MainWindowTest, SummaryTableGrowsWithTheWindowAndShowsSevenFieldColumnsWhole)
{
    open();
    using korvel::test::cornField;
    using korvel::test::makeOption;
    using korvel::test::wheatField;
    w().state().summaryResults = {makeOption({cornField(), wheatField()}), makeOption({cornField()}),
                                  makeOption({wheatField(), cornField(), wheatField()}), makeOption({cornField()})};
    for (const QSize size : {QSize(1198, 765), QSize(1000, 700)}) {
        SCOPED_TRACE(size.width());
        // Shown first: a first show places the window on the screen, which may size it to fit.
        w().show();
        w().resize(size);
        w().mnuSummary->trigger();
        QApplication::processEvents();
        auto* grid = find<QTableWidget>("fgsummary");
        ASSERT_EQ(grid->columnCount(), 8);
        const QRect viewport = grid->viewport()->rect();
        for (const int column : {1, 7}) {
            const QRect netReturn = grid->visualItemRect(grid->item(11, column));
            EXPECT_TRUE(viewport.contains(netReturn))
                << "Net Return of column " << column << " at " << show(netReturn) << ", grid shows " << show(viewport);
        }
        // The pane fills the room below the header.
        QWidget* client = w().pneSummary()->parentWidget();
        EXPECT_GE(w().pneSummary()->geometry().bottom(), client->height() - 12);
    }
}

TEST_F(MainWindowTest, GridPanesFillTheWindowWhileInputPanesKeepTheirSize)
{
    open();
    w().show();
    QApplication::processEvents();
    const std::vector<QWidget*> grids = {pneResults(w()), pneDetails(w()), w().pneSummary(), trendResultsPane(w())};
    const QSize mainPane = pane().size();
    for (const QSize size : {QSize(1300, 900), QSize(1600, 1000)}) {
        SCOPED_TRACE(size.width());
        w().resize(size);
        QApplication::processEvents();
        QWidget* client = pane().parentWidget();
        for (QWidget* grid : grids) {
            SCOPED_TRACE(grid->objectName().toStdString());
            EXPECT_GE(grid->width(), client->width() - 16);
            EXPECT_GE(grid->geometry().bottom(), client->height() - 12);
            EXPECT_NEAR(grid->x(), (client->width() - grid->width()) / 2.0, 1);
        }
        EXPECT_EQ(pane().size(), mainPane);
    }
}

// The production-cost pane (of a grain and of a forage crop) and the field details in windows the size of the
// main window on screens of 1366 and 1024 by 768 at 100 % and 125 %: each opens at its top left, even after the
// user scrolled another pane, with every button and box reached by scrolling up and down alone and every box
// showing its whole value (the crop's defaults, then a long one typed); the columns stand side by side where the
// designed width fits and the last moves below the others where it does not.
TEST_F(MainWindowTest, CostAndDetailsPanesFitTheWindowsWidthAndOpenAtTheirTopLeft)
{
    open();
    w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
    auto* scroller = find<QScrollArea>("paneScroller");
    ASSERT_NE(scroller, nullptr);
    QWidget* costs = w().pneInputCosts();
    QWidget* details = pneDetails(w());
    struct Case {
        const char* name;
        QSize window;
        bool costsSideBySide;   // the columns of the cost pane, for both crops
        bool detailsSideBySide; // the columns of the details
    };
    const Case cases[] = {
        {"1366x768", {1198, 765}, true, true},
        {"1366x768 at 125 %", {1091, 594}, false, true},
        {"1024x768", {1022, 743}, false, true},
        {"1024x768 at 125 %", {817, 594}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w().resize(c.window);
        settle();
        for (const char* crop : {"Corn", "Alfalfa"}) {
            SCOPED_TRACE(crop);
            // The user scrolled the main pane to its bottom right, then opens the crop's costs.
            w().ShowPane(w().pneMain());
            settle();
            scroller->horizontalScrollBar()->setValue(scroller->horizontalScrollBar()->maximum());
            scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
            CropRow* r = row(QString::fromLatin1(crop));
            if (!r->chkCrop->isChecked())
                r->chkCrop->click();
            r->cmdInputCosts->click();
            find<QPushButton>("cmdDefault")->click();
            settle();
            ASSERT_TRUE(costs->isVisible());
            EXPECT_EQ(misplacedControls(costs, scroller), std::vector<std::string>{});
            if (c.costsSideBySide) {
                EXPECT_FALSE(costs->findChild<ReflowColumns*>()->isReflowed());
            }
            // A harvest charge far beyond the defaults, typed: the box grows to hold it.
            QLineEdit* harvest = find<QLineEdit>(std::string(crop) == "Alfalfa" ? "txtAlfFlat" : "txtHarvestBase");
            typeInto(harvest, QStringLiteral("1,234,567.89"));
            settle();
            EXPECT_EQ(misplacedControls(costs, scroller), std::vector<std::string>{});
            typeInto(harvest, QString()); // (before its check on leaving it)
        }
        scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
        w().ShowPane(details);
        pneDetails(w())->loadCosts(*korvel::test::cornField());
        settle();
        EXPECT_EQ(misplacedControls(details, scroller), std::vector<std::string>{});
        auto* detailColumns = details->findChild<ReflowColumns*>();
        EXPECT_EQ(detailColumns->isReflowed(), !c.detailsSideBySide);
        // The field information stays whole: right of the other columns, or below them.
        auto* acres = details->findChild<QLabel*>(QStringLiteral("lblAcres"));
        const QRect acresInPane(acres->mapTo(details, QPoint(0, 0)), acres->size());
        EXPECT_TRUE(details->rect().contains(acresInPane)) << show(acresInPane);
    }
}

namespace {

// The labels of pane whose figure is wider than the room the label gives it, as "name: text".
std::vector<std::string> clippedLabels(const QWidget* pane)
{
    std::vector<std::string> out;
    for (const QLabel* label : pane->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(pane) || label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull())
            continue;
        const int room = label->contentsRect().width() - 2 * label->margin();
        if (label->fontMetrics().horizontalAdvance(label->text()) > room)
            out.push_back(label->objectName().toStdString() + ": " + label->text().toStdString());
    }
    return out;
}

} // namespace

// With the largest acreage and gross inches the main pane takes, every figure of every option of the results,
// of the details of each field and of the summary table is shown whole, with one field and with four.
TEST_F(MainWindowTest, TheLargestAcresAndGrossInchesShowEveryFigureWhole)
{
    for (const int preset : {5, 4}) {
        SCOPED_TRACE(preset);
        open();
        w().show();
        w().resize(1366, 768);
        fillInputs();
        pane().txtArea->setText("1,000,000");
        pane().txtMax->setText("200");
        EXPECT_EQ(pane().lblVolume->text(), "200,000,000");
        EXPECT_EQ(clippedLabels(&pane()), std::vector<std::string>{});
        pane().presetButtons[static_cast<std::size_t>(preset)]->setChecked(true);
        pane().runButton->click();
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
        ASSERT_FALSE(pneResults(w())->isHidden());
        OptionBrowser& browser = *pneResults(w())->theResults();
        QApplication::processEvents();
        for (int shown = 0; shown != browser.getOption(); browser.Switch(1)) {
            shown = browser.getOption();
            SCOPED_TRACE(shown);
            EXPECT_EQ(clippedLabels(pneResults(w())), std::vector<std::string>{});
            if (shown == 1 || shown == 2)
                browser.findChild<QPushButton*>("cmdSaveResult")->click();
            dialogs.clearRecord();
        }
        browser.showOptionAt(1);
        for (int k = 0; k < 4; ++k) {
            auto* row = browser.findChild<QWidget*>(QString("rh(%1)").arg(k));
            if (!row || row->isHidden())
                continue;
            row->findChild<QToolButton*>("cmdDetails")->click();
            QApplication::processEvents();
            ASSERT_FALSE(pneDetails(w())->isHidden());
            EXPECT_EQ(clippedLabels(pneDetails(w())), std::vector<std::string>{}) << "field " << k;
            w().ShowPane(pneResults(w()));
        }
        w().mnuSummary->trigger();
        QApplication::processEvents();
        auto* grid = find<QTableWidget>("fgsummary");
        std::vector<std::string> clipped;
        // Row 0 and column 0 hold the headings, which wrap.
        for (int r = 1; r < grid->rowCount(); ++r)
            for (int c = 1; c < grid->columnCount(); ++c)
                if (const QTableWidgetItem* item = grid->item(r, c); item && !item->text().isEmpty()) {
                    const int room =
                        grid->columnWidth(c) - 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) - 2;
                    if (QFontMetrics(item->font()).horizontalAdvance(item->text()) > room)
                        clipped.push_back(item->text().toStdString());
                }
        EXPECT_EQ(clipped, std::vector<std::string>{});
    }
}

// Every box of the main pane, of its crop rows, of the irrigation costs and of the trend setup shows the largest
// value it takes whole, in a window the size of the main window and in a narrow one. The crop rows' boxes grow to
// the right only: each still starts below its column's heading, and the units beside it move along and stay clear.
TEST_F(MainWindowTest, EveryBoxShowsTheLargestValueItTakesWhole)
{
    open();
    w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
    struct Case {
        const char* box;
        const char* text;
    };
    const Case mainBoxes[] = {
        {"txtArea", "1,000,000"},
        {"txtArea", "1000000"},
        {"txtMax", "200"},
        {"txtEff", "100"},
    };
    const Case irrigationBoxes[] = {
        {"txtGPM", "10,000"},
        {"txtGPM", "1,234,567,890.12"},
        {"txtEstHours", "8,000"},
        {"txtLift", "999"},
        {"txtPSI", "200"},
        {"txtCost", "100.00"},
        {"txtLaborPerHour", "100.00"},
        {"txtRepairsPerAcre", "0.99"},
    };
    const Case trendBoxes[] = {
        {"txtBatchMinimum(0)", "1,000,000"},
        {"txtBatchMinimum(1)", "1,000,000"},
    };
    // Each crop row, its price and maximum yield at the largest a crop takes, as the row shows a crop's values.
    const auto largestRows = [this] {
        for (int i = 0; i < w().cropRowCount(); ++i) {
            CropRow* r = w().cr(i);
            r->crop()->price = 100000;
            r->crop()->maxYield = 1000000;
            r->refresh();
        }
    };
    const auto cutBoxes = [](QWidget* pane) {
        std::vector<std::string> out;
        for (QLineEdit* box : pane->findChildren<QLineEdit*>())
            if (box->isVisibleTo(pane))
                if (const QString cut = cutText(*box); !cut.isEmpty())
                    out.push_back(cut.toStdString());
        return out;
    };
    // Each box of cases, given its text, shows it whole.
    const auto eachBoxShowsItsTextWhole = [this](const auto& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.box);
            auto* box = find<QLineEdit>(c.box);
            box->setText(QString::fromLatin1(c.text));
            settle();
            EXPECT_EQ(cutText(*box), QString());
        }
    };
    for (const QSize size : {QSize(1198, 765), QSize(817, 594)}) {
        SCOPED_TRACE(size.width());
        w().resize(size);
        w().ShowPane(w().pneMain());
        settle();
        eachBoxShowsItsTextWhole(mainBoxes);

        for (const char* crop : {"Corn", "Alfalfa"})
            if (CropRow* r = row(QString::fromLatin1(crop)); !r->chkCrop->isChecked())
                r->chkCrop->click();
        largestRows();
        settle();
        const CropRow designed;
        ASSERT_EQ(row("Corn")->txtPrice->text(), "100,000.00");
        ASSERT_EQ(row("Corn")->txtMaxYield->text(), "1000000");
        for (int i = 0; i < w().cropRowCount(); ++i) {
            CropRow* r = w().cr(i);
            SCOPED_TRACE(r->GetCrop().toStdString());
            EXPECT_EQ(cutBoxes(r), std::vector<std::string>{});
            // The boxes start where the designed row has them, below their headings; the units follow them.
            EXPECT_EQ(r->txtPrice->x(), designed.txtPrice->x());
            EXPECT_EQ(r->txtMaxYield->x(), designed.txtMaxYield->x());
            EXPECT_LT(r->txtPrice->geometry().right(), r->lblPriceUnits->x());
            EXPECT_LE(r->lblPriceUnits->x() +
                          r->lblPriceUnits->fontMetrics().horizontalAdvance(r->lblPriceUnits->text()),
                      r->txtMaxYield->x());
            EXPECT_LT(r->txtMaxYield->geometry().right(), r->lblYieldUnits->x());
            EXPECT_LE(r->lblYieldUnits->x() +
                          r->lblYieldUnits->fontMetrics().horizontalAdvance(r->lblYieldUnits->text()),
                      r->cmdInputCosts->x());
        }

        // Back to a value that fits, the row is as designed again.
        CropRow* corn = row("Corn");
        corn->setDefault(3.5, 200);
        settle();
        EXPECT_EQ(corn->txtPrice->geometry(), designed.txtPrice->geometry());
        EXPECT_EQ(corn->txtMaxYield->geometry(), designed.txtMaxYield->geometry());
        EXPECT_EQ(corn->lblPriceUnits->geometry(), designed.lblPriceUnits->geometry());
        EXPECT_EQ(corn->lblYieldUnits->geometry(), designed.lblYieldUnits->geometry());

        w().ShowPane(w().pneIrrigCosts());
        settle();
        eachBoxShowsItsTextWhole(irrigationBoxes);

        // The custom crop editor: a yield of the grid at the largest a crop takes, and the grid back at a short one.
        w().mnuCustomCrop->trigger();
        settle();
        CustomCropPane* editor = w().pneCustomCrop();
        for (int n = 1; n <= 3; ++n)
            editor->cboCustomGrid[static_cast<std::size_t>(n)]->setCurrentIndex(1);
        editor->cmdCustomGrid[0]->click();
        settle();
        auto* grid = find<QTableWidget>("dgCustom");
        ASSERT_GE(grid->columnCount(), 2);
        const int designedColumn = grid->columnWidth(1);
        for (const char* yield : {"1000000", "1,000,000", "25"}) {
            SCOPED_TRACE(yield);
            editor->setCurrentCell(1, 2);
            QTest::keyClick(grid, Qt::Key_Delete);
            QTest::keyClicks(grid, QString::fromLatin1(yield));
            settle();
            const QTableWidgetItem* cell = grid->item(0, 1);
            ASSERT_NE(cell, nullptr);
            ASSERT_EQ(cell->text(), yield);
            // The room the style leaves for the cell's text, as it paints the cell.
            QStyleOptionViewItem option;
            option.initFrom(grid->viewport());
            option.rect = grid->visualItemRect(cell);
            option.text = cell->text();
            option.features = QStyleOptionViewItem::HasDisplay;
            option.displayAlignment = Qt::AlignCenter;
            option.font = grid->font();
            const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
            const int room =
                grid->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, grid).width() - 2 * margin;
            EXPECT_LE(grid->fontMetrics().horizontalAdvance(cell->text()), room)
                << "the cell shows " << room << " px of \"" << yield << "\"";
            EXPECT_EQ(grid->columnWidth(0), grid->columnWidth(2)); // the other columns as designed
        }
        EXPECT_EQ(grid->columnWidth(1), designedColumn);

        w().ShowPane(trendSetupPane(w()));
        settle();
        eachBoxShowsItsTextWhole(trendBoxes);
    }
}
