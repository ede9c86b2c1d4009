// The Options window: the iteration factor's checks, rounding and messages, and when the window closes.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/QtPrinting.h"

#include "model/SessionState.h"
#include "ui/ScriptedDialogService.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/OptionsWindow.h"
#include "ui/platform/HelpBrowser.h"

using namespace korvel::ui;

namespace {

const QString kValid = QStringLiteral("Please enter a valid number");
const QString kRange = QStringLiteral("Please enter a number between 1 and 100");
const QString kCaution = QStringLiteral(
    "Using a larger split-factor will increase the amount of time necessary to run the evaluation!  If the "
    "evaluation time is too long, please reduce the split-factor.");

void activate(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

} // namespace

TEST(OptionsWindow, AppliesTheFactorWithItsMessages)
{
    struct Case {
        const char* text;
        int stored; // the factor afterwards (7 = unchanged)
        const QString* message;
        const char* title;
        bool closes;
    };
    const Case cases[] = {
        {"10", 10, nullptr, "", true},
        {"11", 11, &kCaution, "Caution", true},
        {"99.6", 100, &kCaution, "Caution", true},
        {"abc", 7, &kValid, "Error", false},
        {"", 7, &kValid, "Error", false},
        {"0", 7, &kRange, "Error", false},
        {"-3", 7, &kRange, "Error", false},
        {"100", 7, &kRange, "Error", false},
        {"0.4", 7, &kRange, "Error", false},
        {"0.6", 1, nullptr, "", true},
        {"2.5", 2, nullptr, "", true},
        {"12.5", 12, &kCaution, "Caution", true},
        {" 20 ", 20, &kCaution, "Caution", true},
        {"1e400", 7, &kValid, "Error", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        test::ScriptedDialogs dialogs;
        korvel::SessionState session;
        session.SplitFactor = 7;
        QPointer<OptionsWindow> window = OptionsWindow::showOptions(session);
        auto* box = window->findChild<QLineEdit*>("txtFineFactor");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "7");
        box->setText(c.text);
        window->findChild<QPushButton*>("cmdApply")->click();
        QApplication::processEvents();

        EXPECT_EQ(session.SplitFactor, c.stored);
        if (c.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, *c.message);
            EXPECT_EQ(dialogs.messages[0].title, c.title);
            EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
            EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
        } else {
            EXPECT_TRUE(dialogs.messages.empty());
        }
        EXPECT_EQ(!window.isNull() && window->isVisible(), !c.closes);
        OptionsWindow::unload();
        QApplication::processEvents();
    }
}

TEST(OptionsWindow, ShowsTheFactorInForceAndCancelChangesNothing)
{
    test::ScriptedDialogs dialogs;
    korvel::SessionState session;
    session.SplitFactor = 25;
    QPointer<OptionsWindow> window = OptionsWindow::showOptions(session);
    EXPECT_EQ(window->objectName(), "frmOptions");
    EXPECT_EQ(window->windowTitle(), "Options");
    EXPECT_EQ(window->findChild<QLineEdit*>("txtFineFactor")->text(), "25");
    window->findChild<QLineEdit*>("txtFineFactor")->setText("5");
    window->findChild<QPushButton*>("cmdCancel")->click();
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(session.SplitFactor, 25);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(OptionsWindow, EscClosesItWithoutApplyingFromTheBoxOrAButton)
{
    test::ScriptedDialogs dialogs;
    korvel::SessionState session;
    session.SplitFactor = 10;
    for (const char* focused : {"txtFineFactor", "cmdApply"}) {
        SCOPED_TRACE(focused);
        QPointer<OptionsWindow> window = OptionsWindow::showOptions(session);
        activate(window);
        auto* box = window->findChild<QLineEdit*>("txtFineFactor");
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, "30");
        QWidget* control = window->findChild<QWidget*>(focused);
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
        EXPECT_EQ(session.SplitFactor, 10);
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST(OptionsWindow, ClosesWithoutStoringWhenAnotherProgramWindowIsActivated)
{
    korvel::SessionState session;
    session.SplitFactor = 10;
    QWidget mainWindow;
    activate(&mainWindow);
    QPointer<OptionsWindow> window = OptionsWindow::showOptions(session);
    activate(window);
    window->findChild<QLineEdit*>("txtFineFactor")->setText("30");
    activate(&mainWindow);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
    EXPECT_EQ(session.SplitFactor, 10);
}

// The main window becomes active while a press of Apply (or of Enter in the factor box) still waits behind the
// activation: the Options window's close is asked for first, then its handler opens a box, whose own event loop
// would run that close. The window lives on while its box shows and closes once the box has gone.
TEST(OptionsWindow, AClosePendingWhenItsBoxOpensWaitsUntilTheBoxHasGone)
{
    struct Case {
        const char* text;
        bool enter; // Enter in the factor box, else a click on Apply
        const QString* message;
        int stored;
    };
    const Case cases[] = {
        {"abc", false, &kValid, 10},
        {"abc", true, &kValid, 10},
        {"20", true, &kCaution, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.enter ? " and Enter" : " and Apply"));
        korvel::SessionState session;
        session.SplitFactor = 10;
        QWidget mainWindow;
        activate(&mainWindow);
        QPointer<OptionsWindow> window = OptionsWindow::showOptions(session);
        activate(window);
        auto* factor = window->findChild<QLineEdit*>("txtFineFactor");
        factor->setText(c.text);

        QString seen;
        bool aliveUnderItsBox = false;
        bool pressed = false;
        const QMetaObject::Connection pressAfterActivation =
            QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &mainWindow, [&](QWindow* focus) {
                if (pressed || focus != mainWindow.windowHandle())
                    return;
                pressed = true;
                QTimer::singleShot(0, [&] {
                    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    ASSERT_NE(box, nullptr);
                    seen = box->text();
                    aliveUnderItsBox = !window.isNull() && window->isVisible();
                    box->button(QMessageBox::Ok)->click();
                });
                if (c.enter)
                    QTest::keyClick(factor, Qt::Key_Return);
                else
                    QTest::mouseClick(window->findChild<QPushButton*>("cmdApply"), Qt::LeftButton);
            });
        mainWindow.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pressed && window.isNull(); }, 2000));
        QObject::disconnect(pressAfterActivation);
        EXPECT_EQ(seen, *c.message);
        EXPECT_TRUE(aliveUnderItsBox);
        EXPECT_EQ(session.SplitFactor, c.stored);
    }
}

TEST(OptionsWindow, ItsOwnMessageBoxAndTheHelpBrowserLeaveItOpen)
{
    HelpTopics::setDataFolder(QStringLiteral(KORVEL_DATA_DIR));
    korvel::SessionState session;
    session.SplitFactor = 10;
    QPointer<OptionsWindow> window = OptionsWindow::showOptions(session);
    activate(window);

    // A real box (the program's own dialog service) over the window.
    window->findChild<QLineEdit*>("txtFineFactor")->setText("abc");
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    window->findChild<QPushButton*>("cmdApply")->click();
    QApplication::processEvents();
    EXPECT_EQ(seen, kValid);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());

    activate(window);
    auto* help = window->findChild<QPushButton*>("cmdHelp(11)");
    ASSERT_NE(help, nullptr) << "the help button is element 11 of the help buttons";
    help->click();
    HelpBrowser* browser = HelpTopics::helpBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->requestedTopic(), "HTML/mainInput.htm#SplitFactor");
    EXPECT_EQ(browser->anchor(), "SplitFactor");
    activate(browser);
    QApplication::processEvents();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());

    OptionsWindow::unload();
    HelpTopics::closeHelpBrowser();
    HelpTopics::setDataFolder(QString());
    QApplication::processEvents();
}
